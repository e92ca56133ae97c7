#pragma once

#include <string>

// The type the main window shows for a message, as its caption "Message Type: N" says it.
// The type 1 and the type 2 to 5 windows take the type from this caption and not from the
// message's own type bits: a type 0 that carries corrections is shown, and filed, as the
// type 2 it carries. They read it as they always have, by the text after the caption's first
// 14 characters, so a caption that is not a number still reaches the fast-correction
// window's own complaint.
struct ShownType {
    std::string caption;

    static ShownType Of(int type) { return {"Message Type: " + std::to_string(type)}; }
    std::string Number() const { return caption.size() > 14 ? caption.substr(14) : std::string(); }
    bool IsMask() const { return Number() == "1"; }
};
