#include "text/display_text.h"

#include "text/number_text.h"

#include <cstdlib>

namespace {
const char kDegree[] = "\xC2\xB0"; // U+00B0 in UTF-8
}

std::string IndicatorText(double value)
{
    if (value == 10000.0)
        return "Not Monitored";
    if (value == 20000.0)
        return "Do Not Use";
    return FloatText(value);
}

std::string UDREVarianceText(double udre, double variance)
{
    return udre == 10000.0 || udre == 20000.0 ? IndicatorText(udre) : FloatText(variance);
}

std::string LatitudeText(int degrees)
{
    return std::to_string(std::abs(degrees)) + kDegree + (degrees >= 0 ? "N" : "S");
}

std::string LongitudeText(int degrees)
{
    return std::to_string(std::abs(degrees)) + kDegree + (degrees >= 0 ? "E" : "W");
}
