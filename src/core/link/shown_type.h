#pragma once

#include "text/number_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

// The type the main window shows for a message, as its caption "Message Type: N" says it.
// The type 1 and the type 2 to 5 windows take the type from this caption and not from the
// message's own type bits: a type 0 that carries corrections is shown, and filed, as the
// type 2 it carries. They read it as they always have, by the text after the caption's first
// 14 characters, so a caption that is not a number still reaches the fast-correction
// window's own complaint. That text is read as a number once, when the caption is made.
struct ShownType {
    std::string caption;

    ShownType() = default;
    explicit ShownType(std::string caption_) : caption(std::move(caption_)), number_(ParseInt32(Number())) {}

    static ShownType Of(int type) { return ShownType("Message Type: " + std::to_string(type)); }
    std::string Number() const { return caption.size() > 14 ? caption.substr(14) : std::string(); }
    // Number() read as a whole number; none when it is not one.
    std::optional<int32_t> NumberValue() const { return number_; }
    bool IsMask() const { return caption.size() == 15 && caption[14] == '1'; } // Number() == "1"

private:
    std::optional<int32_t> number_;
};
