#pragma once

#include "mops/field.h"
#include "mops/mops_msg.h"
#include "state/shared_buffers.h"

#include <array>
#include <cstdint>
#include <string>

namespace mt01 {
constexpr Field kIODP{225, 2};
// Slot n (1..210) is in the mask when its bit is set.
constexpr Field Slot(int n) { return {14 + n, 1}; }

// The digit rules of a type 1 text, read digit by digit: either case counts, and a digit that
// is missing or not hexadecimal is refused with std::invalid_argument rather than read as zeros.
// The IODP of a text (-1 for an empty one), and whether slot n (1..210) is in its mask.
int ReadIODP(const std::string &text);
bool SlotActive(const std::string &text, int n);
} // namespace mt01

// The slots of one mask in ascending order: entry k is the slot of PRN mask number k + 1.
struct MaskSlots {
    std::array<uint16_t, kSlots> slot{};
    int count = 0;
};

// Type 1: the mask window's copy of the mask of each IODP, which the fast corrections place their
// satellites by, and the shared mask buffer, which the other types name satellites through. A
// message is taken (its IODP read), then filed. A text of upper-case digits is read from its
// bytes once; any other goes digit by digit through the rules above, with their refusals.
class TMT01 final {
public:
    explicit TMT01(PRNMaskBuffer &shared) : shared_(shared) {}

    // Keeps the message and reads its IODP (-1 for an empty one). Throws std::invalid_argument
    // when the IODP's digit is missing or not hexadecimal.
    int Take(const TMOPSMsg &message);
    // Files the taken message: the copy of its IODP's mask with its slot list, then the shared
    // buffer's mask, slot list and current IODP, and the received flag. Throws
    // std::invalid_argument at a slot digit that is not hexadecimal: the copy keeps the slots
    // read before it, and the shared buffer is left as it was.
    void File();

    // An IODP was read from a message: the copy serves fast corrections from then on, also after
    // the shared buffer is cleared for a new connection.
    bool MaskReceived() const { return received_; }
    // The copy: one byte per slot index, by IODP, and its slots in order.
    uint8_t MaskBit(int iodp, int index) const { return copy_[iodp & 3][index]; }
    const MaskSlots &Slots(int iodp) const { return slots_[iodp & 3]; }
    // Whether slot index + 1 is in the mask filed last: what its cell shows.
    bool Filed(int index) const { return filed_[index] != 0; }

private:
    void FileBytes(int iodp);
    void FileText(int iodp);
    void ListCopy(int iodp);

    PRNMaskBuffer &shared_;
    TMOPSMsg message_;
    int iodp_ = -1; // of the message taken; -1 when none is waiting to be filed
    bool received_ = false;
    uint8_t copy_[kIodps][kSlots] = {};
    std::array<MaskSlots, kIodps> slots_{};
    std::array<uint8_t, kSlots> filed_{};
};
