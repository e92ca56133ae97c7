#pragma once

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

    int32_t BitField(int start, int width) const;

    // Reads the message into the decoder's records; unreadable bits read as zeros.
    virtual void Decode() {}

private:
    std::string message_;
};
