#pragma once

#include "state/shared_buffers.h"

#include <functional>
#include <string>

// Keeps the last type 1 message and files its PRN mask into the shared mask buffer.
class TMsgType0 final {
public:
    // colourSlot(index, inMask) shows slot index + 1 in the mask window.
    TMsgType0(PRNMaskBuffer &mask, std::function<void(int, bool)> colourSlot)
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
    int Digit(std::size_t position) const; // 1-based

    PRNMaskBuffer &mask_;
    std::function<void(int, bool)> colourSlot_;
    std::string text_;
};
