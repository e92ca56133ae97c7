#pragma once

#include "mops/message_bits.h"

#include <cstdint>
#include <string>

// Base of the message decoders: holds one message as hexadecimal text.
class TMOPSMsg {
public:
    explicit TMOPSMsg(const std::string &initial = {}) { SetMessage(initial); }
    virtual ~TMOPSMsg() = default;

    const std::string &Message() const { return message_; }
    // An empty text keeps the previous message.
    void SetMessage(const std::string &text);
    // The same from a message already turned into bytes: its bytes are copied, not made again.
    void SetMessage(const TMOPSMsg &message);

    // Reads the bytes the text was turned into when it was set.
    int32_t BitField(int start, int width) const { return bits_.Read(start, width); }
    const MessageBits &Bits() const { return bits_; }

    // Reads the message into the decoder's records; unreadable bits read as zeros.
    virtual void Decode() {}

private:
    std::string message_;
    MessageBits bits_;
};
