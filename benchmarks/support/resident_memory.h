#pragma once

#include <malloc.h>
#include <unistd.h>

#include <fstream>

// The process's resident memory now, in MiB.
inline double ResidentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// What the program holds allocated on the heap now, in MiB: unlike the resident memory it does
// not count the free pieces the allocator keeps, so a growth here is memory really held.
inline double HeapInUseMiB()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}
