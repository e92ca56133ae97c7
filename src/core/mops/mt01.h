#pragma once

#include "mops/field.h"
#include "state/shared_buffers.h"

#include <functional>
#include <string>

namespace mt01 {
constexpr Field kIODP{225, 2};
// Slot n (1..210) is in the mask when its bit is set.
constexpr Field Slot(int n) { return {14 + n, 1}; }
}

// Keeps the last type 1 message and files its PRN mask into the shared mask buffer.
class TMT01 final {
public:
    // colourSlot(index, inMask) shows slot index + 1 in the mask window.
    TMT01(PRNMaskBuffer &mask, std::function<void(int, bool)> colourSlot)
        : mask_(mask), colourSlot_(std::move(colourSlot))
    {
    }

    void SetText(const std::string &text) { text_ = text; }
    // The IODP of the kept text, -1 when there is none.
    int ReadIODP() const;
    // Whether slot n (1..210) is in the kept mask. Throws std::invalid_argument on a text
    // that is not hexadecimal where the slot is read.
    bool SlotActive(int n) const;
    void Execute() { Update(); }

private:
    void Update();

    PRNMaskBuffer &mask_;
    std::function<void(int, bool)> colourSlot_;
    std::string text_;
};
