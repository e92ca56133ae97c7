// Writes the demo recording: one hour of one GEO's messages in the message-log record format.
#include "demo_schedule.h"

#include <fstream>
#include <iostream>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: demo-recording OUTPUT-FILE\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    for (const auto &record : DemoRecording({}))
        out << record << "\r\n";
    return out ? 0 : 1;
}
