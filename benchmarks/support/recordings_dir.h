#pragma once

#include <cstdlib>
#include <string>

// Where the real recordings are: VELMAR_RECORDINGS_DIR in the environment when set, else the
// folder the build was configured with (by default ../shared/sbas-recordings beside the source
// tree, wherever the build folder is).
inline std::string RecordingsDir()
{
    if (const char *dir = std::getenv("VELMAR_RECORDINGS_DIR"); dir && *dir)
        return dir;
    return VELMAR_RECORDINGS_DIR;
}
