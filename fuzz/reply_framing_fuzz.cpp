// Reply framing fed arbitrary chunk sequences: the framer and the one-line extractor must cut
// the same lines, never keep more than the cap, and every line must classify and split.
#include "link/reply_line.h"

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
    Check(line.size() <= kMaxPendingText);
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

} // namespace

// Input: a sequence of (length byte, that many bytes) chunks; a length byte of 0xFF repeats
// the chunk after it 1,024 times so that over-long text is reached quickly.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    std::vector<std::string> chunks;
    std::size_t i = 0;
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

    LineFramer framer;
    std::string pending;
    for (const std::string &chunk : chunks) {
        framer.Append(chunk);
        ExtractedLine a = framer.Next();
        ExtractedLine b = ExtractLine(pending, chunk);
        for (;;) {
            Check(a.line == b.line && a.more == b.more && a.dropped == b.dropped);
            Exercise(a.line);
            if (!a.more)
                break;
            a = framer.Next();
            b = ExtractLine(pending, std::string());
        }
        Check(pending == framer.Rest());
        Check(pending.size() <= kMaxPendingText + chunk.size());
    }
    return 0;
}
