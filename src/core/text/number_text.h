#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The text form of numbers shown in windows: the shortest text that reads back as the same
// value ("0.75", "-1.375", "12", "0.002" for a single-precision 0.002), in plain decimals for
// magnitudes from 1E-6 to below 1E15 and in exponent form outside ("4.656612873077393E-10").
std::string FloatText(double value);
std::string FloatText(float value);

// Whole decimal numbers: optional sign and digits only, within 32 bits; nothing else.
std::optional<int32_t> ParseInt32(const std::string &text);
// Decimal numbers as typed ("1234", "-0.5", "3e2"); surrounding blanks are refused.
std::optional<double> ParseDouble(const std::string &text);
