#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The general text form of numbers shown in windows: up to 15 significant digits,
// no trailing zeros ("0.75", "-1.375", "12").
std::string FloatText(double value);
// The shortest text that reads back as the same single-precision value ("0.002").
std::string FloatText(float value);

// Whole decimal numbers: optional sign and digits only, within 32 bits; nothing else.
std::optional<int32_t> ParseInt32(const std::string &text);
// Decimal numbers as typed ("1234", "-0.5", "3e2"); surrounding blanks are refused.
std::optional<double> ParseDouble(const std::string &text);
