// Writes the seed corpora of the fuzz targets from the demo recording and the example
// configuration: fuzz-seeds <demo-recording.txt> <userapp.cfg.example> <output directory>.
#include "codec/pardo.h"
#include "decoder_cases.h"
#include "output/log_record.h"
#include "receiver_writers.h"
#include "text_reader.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Seeds {
    fs::path dir;
    int count = 0;

    void Write(const std::string &target, const std::string &bytes)
    {
        fs::create_directories(dir / target);
        std::ofstream(dir / target / ("seed-" + std::to_string(count++)), std::ios::binary) << bytes;
    }
};

std::string Payload(const std::string &hex)
{
    TPARDO p;
    p.Data = hex + "000";
    p.Compress();
    return p.Data;
}

std::string MessageLine(int week, int tow, const std::string &hex)
{
    return "*MSG," + std::to_string(week) + "," + std::to_string(tow) + "," + Payload(hex);
}

// The decoder target's selector character for a message type.
char Selector(int type)
{
    return decoder_cases::SelectorOf(type);
}

// Framing input: the text cut into chunks of `size`, each led by its length.
std::string Chunked(const std::string &text, std::size_t size)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += size) {
        const std::string piece = text.substr(i, size);
        out += static_cast<char>(piece.size());
        out += piece;
    }
    return out;
}

template <typename T>
void Put(std::string &out, T value)
{
    char b[sizeof value];
    std::memcpy(b, &value, sizeof value);
    out.append(b, sizeof value);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: fuzz-seeds <demo-recording.txt> <userapp.cfg.example> <output directory>\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::vector<LogRecord> records;
    std::vector<std::string> recordLines;
    for (std::string line; std::getline(in, line);)
        if (const auto r = ParseLogRecord(line)) {
            records.push_back(*r);
            recordLines.push_back(line);
        }
    if (records.empty()) {
        std::cerr << "fuzz-seeds: no records in " << argv[1] << "\n";
        return 1;
    }
    Seeds seeds{argv[3]};
    fs::remove_all(seeds.dir);

    std::string mask;
    std::map<int, std::string> firstOfType;
    for (const LogRecord &r : records) {
        if (r.type == 1 && mask.empty())
            mask = r.hex;
        firstOfType.emplace(r.type, r.hex);
    }
    int tow = 1000;
    for (const auto &[type, hex] : firstOfType) {
        seeds.Write("decoders", std::string(1, Selector(1)) + mask + "\n" + Selector(type) + hex);
        seeds.Write("pardo", Payload(hex));
        // The first byte chooses the limits: the real ones, or a cap of 8 that these lines pass.
        const std::string lines = Chunked("*AUTH\r\n" + MessageLine(2443, tow, hex) + "\r\n*END\r\n", 40);
        seeds.Write("reply_framing", "\x80" + lines);
        seeds.Write("reply_framing", "\x27" + lines);
        seeds.Write("time_record", recordLines[0]);
        ++tow;
    }
    seeds.Write("decoders", std::string(1, Selector(2)) + "c61800d159cd159cd159" + "\n" + Selector(-1) + "zz");
    seeds.Write("reply_framing", "\x80" + Chunked("*ERR,7,No message\r\n*TXT,Service notice\r\n*GETMSG,2443,5,A|4\n", 7));

    // The message intake: stretches of the recording, twenty lines each.
    for (std::size_t i = 0; i < records.size() && i < 400; i += 20) {
        std::string lines;
        for (std::size_t k = i; k < i + 20 && k < records.size(); ++k)
            lines += MessageLine(2443, 1000 + static_cast<int>(k), records[k].hex) + "\n";
        seeds.Write("msg_line", lines);
    }
    // Weeks and times a server may make up: before GPS time began, far beyond it, not numbers.
    std::string madeUp;
    for (const char *week : {"-1", "1e61", "nan", "inf", "-inf", "2443"})
        for (const char *tow : {"-0.5", "1e300", "345600"})
            madeUp += std::string("*MSG,") + week + "," + tow + "," + Payload(records[0].hex) + "\n";
    seeds.Write("msg_line", madeUp);

    std::ifstream cfgIn(argv[2], std::ios::binary);
    std::stringstream cfg;
    cfg << cfgIn.rdbuf();
    seeds.Write("config_store", cfg.str());
    std::string lf = cfg.str();
    for (std::size_t p; (p = lf.find('\r')) != std::string::npos;)
        lf.erase(p, 1);
    seeds.Write("config_store", lf);

    for (const double week : {0.0, 2443.0, 1e9}) {
        std::string b;
        Put(b, week);
        Put(b, 345600.5);
        Put<int32_t>(b, 126);
        Put<int32_t>(b, 26);
        for (const int32_t v : {2026, 12, 8, 21, 5, 0, 250})
            Put(b, v);
        b += records[0].hex;
        seeds.Write("time_record", b);
    }
    // The receiver readers: the first records in each format, led by the byte that sets the
    // size of the pieces the target cuts the rest into.
    std::vector<SbasMessage> messages;
    for (std::size_t i = 0; i < recordLines.size() && messages.size() < 12; ++i)
        if (const auto m = TextReader::ReadLine(recordLines[i]))
            messages.push_back(*m);
    for (const char cut : {'\x07', '\x3F'}) {
        const std::string lead(1, cut);
        seeds.Write("ubx_reader", lead + receiver::Ubx(messages));
        seeds.Write("ubx_reader", lead + receiver::Ubx(messages, receiver::UbxClock::Rawx));
        seeds.Write("sbf_reader", lead + receiver::Sbf(messages));
        seeds.Write("novatel_reader", lead + receiver::NovatelBinary(messages) + receiver::NovatelAscii(messages));
        seeds.Write("text_reader", lead + receiver::ToolLines(messages, false) + receiver::ToolLines(messages, true) +
                                       receiver::LogRecords(messages));
    }

    std::cout << "fuzz-seeds: " << seeds.count << " seeds in " << seeds.dir << "\n";
    return 0;
}
