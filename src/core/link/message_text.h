#pragma once

#include <optional>
#include <string>

// The message type of an expanded message text: the six bits after the preamble, read from
// hexadecimal digits 3 and 4. No value when those are not hexadecimal digits.
std::optional<int> MessageTypeOf(const std::string &text);

// A type 0 message whose thirteen corrections are 0 and thirteen UDRE indicators 0 carries
// nothing; any other type 0 is handled as a type 2.
bool IsEmptyMt0(const std::string &text);
