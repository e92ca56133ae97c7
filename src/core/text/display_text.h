#pragma once

#include <string>

// Texts of values in the message windows.

// 10000 reads "Not Monitored", 20000 "Do Not Use", anything else its number.
std::string IndicatorText(double value);
// The variance column of a UDRE: the UDRE's own marker text when the UDRE is a marker.
std::string UDREVarianceText(double udre, double variance);
// Whole degrees with the degree sign and N/S or E/W: -45 reads "45°S", 0 reads "0°N".
std::string LatitudeText(int degrees);
std::string LongitudeText(int degrees);
