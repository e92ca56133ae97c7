#pragma once

#include <string>
#include <vector>

// One hour of messages of one GEO at one message per second, as log records.
struct DemoOptions {
    int geoPrn = 126;
    int seconds = 3600;
    // GPS time of the first message.
    int week = 2443;
    double startSecondOfWeek = 86400 + 36000; // Monday 10:00:00
};

std::vector<std::string> DemoRecording(const DemoOptions &options);
