// Reply framing fed arbitrary chunk sequences: whatever the reads, the framer must give the
// lines and dropped-text reports that a plain reading of the whole text gives, keep no more than
// the cap of an unfinished line, and every line must classify and split.
#include "link/reply_line.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void Exercise(const std::string &line)
{
    Check(line.find('\n') == std::string::npos);
    switch (Classify(line)) {
    case ReplyKind::Message: {
        const MessageFields f = SplitMessageLine(line);
        Check(f.week.size() + f.time.size() + f.payload.size() <= line.size());
        break;
    }
    case ReplyKind::RequestedMessage:
        Check(Classify(RequestedToMessage(line)) == ReplyKind::Message);
        SplitMessageLine(RequestedToMessage(line));
        break;
    case ReplyKind::Error: {
        const ErrorFields f = SplitErrorLine(line);
        Check(f.code.size() + f.message.size() <= line.size());
        break;
    }
    case ReplyKind::Text:
        Check(SplitTextLine(line).size() + 5 == line.size() || line.size() <= 5);
        break;
    default:
        break;
    }
}

struct Entry {
    DroppedText dropped;
    std::string line;
    bool operator==(const Entry &o) const { return dropped == o.dropped && line == o.line; }
};

// The whole text read plainly: each line, or the reason its text was dropped; the text after
// the last line feed ends with the connection.
std::vector<Entry> Reference(const std::string &text, FramingLimits limits)
{
    std::vector<Entry> out;
    std::size_t start = 0;
    for (std::size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1) {
        const std::size_t length = lf - start;
        const std::size_t content = length > 0 && text[lf - 1] == '\r' ? length - 1 : length;
        if (length >= limits.unterminatedAfter)
            out.push_back({DroppedText::Unterminated, {}});
        else if (content > limits.maxLine)
            out.push_back({DroppedText::OverLongLine, {}});
        else
            out.push_back({DroppedText::None, text.substr(start, content)});
    }
    const std::size_t rest = text.size() - start;
    if (rest > limits.maxLine + 1 || (rest == limits.maxLine + 1 && text.back() != '\r'))
        out.push_back({DroppedText::Unterminated, {}});
    return out;
}

void Drain(LineFramer &framer, std::vector<Entry> &out)
{
    while (framer.HasLine()) {
        const ExtractedLine l = framer.Next();
        Check(l.dropped == DroppedText::None || l.line.empty());
        out.push_back({l.dropped, l.line});
        Check(l.more == framer.HasLine());
    }
    Check(framer.Next().line.empty() && framer.Next().dropped == DroppedText::None);
}

} // namespace

// Input: a first byte choosing the limits (small ones, so that over-long text is reached
// quickly, or the real ones), then a sequence of (length byte, that many bytes) chunks; a length
// byte of 0xFF repeats the chunk after it 1,024 times.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    FramingLimits limits;
    if ((data[0] & 0x80) == 0) {
        limits.maxLine = 1 + (data[0] & 0x0F);
        limits.unterminatedAfter = limits.maxLine + 2 + ((data[0] >> 4) & 0x07) * 5;
    }
    std::vector<std::string> chunks;
    std::size_t i = 1;
    while (i < size) {
        const std::size_t n = data[i++];
        const bool repeat = n == 0xFF;
        const std::size_t take = std::min<std::size_t>(repeat ? 16 : n, size - i);
        std::string chunk(reinterpret_cast<const char *>(data + i), take);
        i += take;
        if (repeat) {
            std::string big;
            for (int k = 0; k < 1024; ++k)
                big += chunk;
            chunk = big;
        }
        chunks.push_back(chunk);
    }

    std::string whole;
    LineFramer framer(limits);
    std::vector<Entry> framed;
    for (const std::string &chunk : chunks) {
        whole += chunk;
        framer.Append(chunk);
        // Taken after each read, so what it keeps is this read's lines and one unfinished line.
        Check(framer.Held() <= chunk.size() + limits.maxLine + 2);
        Drain(framer, framed);
    }
    framer.EndOfText();
    Drain(framer, framed);
    Check(framer.Held() == 0);

    LineFramer oneRead(limits);
    std::vector<Entry> inOneRead;
    oneRead.Append(whole);
    oneRead.EndOfText();
    Drain(oneRead, inOneRead);

    const std::vector<Entry> expected = Reference(whole, limits);
    Check(framed == expected);
    Check(inOneRead == expected);
    for (const Entry &e : framed) {
        Check(e.line.size() <= limits.maxLine);
        Exercise(e.line);
    }
    return 0;
}
