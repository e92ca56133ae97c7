// Every decoder on arbitrary text (short, empty, lower-case, not hexadecimal) with the shared
// buffers the decoders read and write. Input lines are "selector text": the selector picks the
// decoder, and the buffers carry over from line to line as they do in the application.
#include "decoder_cases.h"
#include "link/message_text.h"
#include "mops/aux_functions.h"
#include "mops/message_bits.h"
#include "mops/mops_msg.h"
#include "mops/mt18.h"
#include "state/shared_buffers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// The PRN mask as a type 1 message fills it: slots from bit 15 on, IODP at bits 225-226.
void FillMask(PRNMaskBuffer &mask, const std::string &text)
{
    if (text.empty())
        return;
    const MessageBits bits(text);
    const int iodp = bits.Read(225, 2);
    Check(iodp >= 0 && iodp < kIodps);
    mask.currentIODP = static_cast<uint16_t>(iodp);
    int listed = 0;
    for (int i = 0; i < kSlots; ++i) {
        const bool on = bits.Read(15 + i, 1) == 1;
        mask.mask[iodp][i] = on;
        if (on)
            mask.slotList[iodp][listed++] = static_cast<uint16_t>(i + 1);
    }
    for (int k = listed; k < kSlots; ++k)
        mask.slotList[iodp][k] = 0;
    mask.received = 1;
}

// The byte reader and the text reader agree on every field the text can hold.
void CompareReaders(const std::string &text, const uint8_t *data, std::size_t size)
{
    const MessageBits bits(text);
    for (std::size_t k = 0; k + 1 < size && k < 16; k += 2) {
        const int start = data[k] + 1;
        const int width = data[k + 1] % 33;
        Check(bits.Read(start, width) == BitField(text, start, width));
    }
}

struct State {
    PRNMaskBuffer mask{};
    IGPBuffer grid{};
    ServiceMsgBuffer service{};
    State() { TMT18 layout(grid); } // the grid positions, laid out once as at start-up
};

void DecodeOne(State &s, char selector, const std::string &text, const uint8_t *data, std::size_t size)
{
    using namespace decoder_cases;
    const int c = static_cast<unsigned char>(selector) % kCases;
    if (c < kDecoders) {
        DecoderBuffers buffers{s.mask, s.grid, s.service};
        const std::unique_ptr<TMOPSMsg> decoder = kDecoderRows[static_cast<std::size_t>(c)]->decoder(buffers);
        decoder->SetMessage(text);
        decoder->Decode();
        return;
    }
    switch (c) {
    case kMask: FillMask(s.mask, text); break;
    case kFastCorrections:
        try {
            Check(FastCorrectionVector(MessageBits(text)) == FastCorrectionVector(text));
        } catch (const AssertionFailed &) {
            Check(text.empty()); // an empty text reads -1 in every field, which no correction holds
        }
        try {
            UDREIVector(text);
        } catch (const std::invalid_argument &) {
            // indicator digits missing or not hexadecimal: reported to the caller
        }
        break;
    case kType: {
        const auto type = MessageTypeOf(text);
        Check(!type || (*type >= 0 && *type < 64));
        IsEmptyMt0(text);
        break;
    }
    default: CompareReaders(text, data, size); break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    auto state = std::make_unique<State>();
    const std::string input(reinterpret_cast<const char *>(data), size);
    std::size_t begin = 0;
    while (begin < input.size()) {
        std::size_t end = input.find('\n', begin);
        if (end == std::string::npos)
            end = input.size();
        const std::string line = input.substr(begin, end - begin);
        if (!line.empty())
            DecodeOne(*state, line[0], line.substr(1), data, size);
        begin = end + 1;
    }
    return 0;
}
