// sbas-convert: rewrites SBAS messages from one format into another, for example a message-log
// recording as the UBX, SBF or NovAtel output of a receiver that received it.
//   sbas-convert FROM TO INPUT OUTPUT
// FROM: ubx, sbf, novatel, text. TO: ubx, ubx-rawx, sbf, novatel, novatel-ascii, text (the
// "week tow prn type : HEX" line), text-short (its 58-digit form) or record (message-log records).
#include "frame_reader.h"
#include "receiver_writers.h"

#include <fstream>
#include <iostream>
#include <iterator>

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::cerr << "usage: sbas-convert FROM TO INPUT OUTPUT\n"
                     "  FROM: ubx, sbf, novatel, text\n"
                     "  TO:   ubx, ubx-rawx, sbf, novatel, novatel-ascii, text, text-short, record\n";
        return 2;
    }
    const auto from = SourceFormatNamed(argv[1]);
    const std::string to = argv[2];
    if (!from) {
        std::cerr << "unknown input format " << argv[1] << "\n";
        return 2;
    }
    std::ifstream in(argv[3], std::ios::binary);
    if (!in) {
        std::cerr << "cannot open " << argv[3] << "\n";
        return 1;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto reader = MakeReader(*from);
    std::vector<SbasMessage> messages;
    reader->Feed(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size(), messages);
    reader->Finish(messages);

    int left = 0;
    std::string out;
    if (to == "ubx")
        out = receiver::Ubx(messages);
    else if (to == "ubx-rawx")
        out = receiver::Ubx(messages, receiver::UbxClock::Rawx);
    else if (to == "sbf")
        out = receiver::Sbf(messages);
    else if (to == "novatel")
        out = receiver::NovatelBinary(messages, &left);
    else if (to == "novatel-ascii")
        out = receiver::NovatelAscii(messages, &left);
    else if (to == "text")
        out = receiver::ToolLines(messages, false);
    else if (to == "text-short")
        out = receiver::ToolLines(messages, true, &left);
    else if (to == "record")
        out = receiver::LogRecords(messages);
    else {
        std::cerr << "unknown output format " << to << "\n";
        return 2;
    }
    std::ofstream(argv[4], std::ios::binary) << out;
    std::cerr << messages.size() << " messages read, " << messages.size() - static_cast<std::size_t>(left)
              << " written";
    if (left > 0)
        std::cerr << " (" << left << " with failed parity left out: the format cannot carry them)";
    std::cerr << "\n";
    return 0;
}
