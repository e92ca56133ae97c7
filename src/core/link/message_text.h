#pragma once

#include <optional>
#include <string>

class MessageBits;

// The message type of an expanded message text: the six bits after the preamble, read from
// hexadecimal digits 3 and 4 (either case). No value when those are not hexadecimal digits.
std::optional<int> MessageTypeOf(const std::string &text);

// A type 0 message whose thirteen corrections are 0 and thirteen UDRE indicators 0 carries
// nothing; any other type 0 is handled as a type 2. Read as the text reader reads: a digit that
// is not an upper-case hexadecimal digit is 0000, bits past the end are absent.
bool IsEmptyMt0(const MessageBits &bits);
bool IsEmptyMt0(const std::string &text);
