#pragma once

#include <cstdlib>
#include <string>

// The folder of the real recordings, which sit beside the source tree and are never copied into
// it: VELMAR_RECORDINGS_DIR when set (the test command sets it from the repository root), else
// the folder the build was configured with.
inline std::string RealRecordingsDir()
{
    const char *dir = std::getenv("VELMAR_RECORDINGS_DIR");
    return dir != nullptr && *dir != '\0' ? dir : VELMAR_RECORDINGS_DIR;
}

// Why a test of the real recordings is skipped, and how to run it.
inline std::string NoRealRecordings(const std::string &dir)
{
    return "no real recordings in \"" + dir +
           "\"; set VELMAR_RECORDINGS_DIR to the folder that holds recording-a.txt to run this test";
}
