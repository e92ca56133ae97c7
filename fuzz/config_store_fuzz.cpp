// The configuration store on arbitrary files: reads of every key the application asks for, one
// by one and from a single reading, a write and a read-back, with failures reported through
// OnError and never thrown or crashing.
#include "config/config_store.h"
#include "config/geo_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

const char *const kKeys[] = {"IPServer", "PortClient", "PortServer", "MessageRequestMethod", "VelmarGpsDir",
                             "ESPDir", "NoSISMargin", "BufLen", "BufPer", "GEO1", "GEO2", "GEO3", "GEO4",
                             "GEO5", "GEO6", "EndOfConfigFile"};

std::string FileName()
{
    return "/tmp/velmar-fuzz-config-" + std::to_string(getpid()) + ".cfg";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    static const std::string name = FileName();
    {
        std::ofstream out(name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    int errors = 0;
    TConfigStore store;
    store.FileName = name;
    store.OnError = [&errors] { ++errors; };
    // One reading answers every key as a fresh reading of the same file does.
    int readingErrors = 0;
    TConfigStore once = store;
    once.OnError = [&readingErrors] { ++readingErrors; };
    const TConfigReading reading = once.Read();
    GeoTable table;
    for (const char *key : kKeys) {
        const std::string value = store.ReadField(key);
        Check(reading.ReadField(key) == value && readingErrors == errors);
        if (key[0] == 'G' && key[1] == 'E')
            table.SetRowFromStored(key[3] - '0', value);
    }
    for (int row = 1; row <= GeoTable::kRows; ++row)
        table.FindPort(table.StoredRow(row));

    // A pair read from the file, written into a fresh file, reads back as written.
    const std::string key = store.ReadField("IPServer");
    const std::string value = store.ReadField(key);
    std::remove(name.c_str());
    if (!key.empty() && key.find_first_of("\r\n") == std::string::npos &&
        value.find_first_of("\r\n") == std::string::npos) {
        int freshErrors = 0;
        TConfigStore fresh;
        fresh.FileName = name;
        fresh.OnError = [&freshErrors] { ++freshErrors; };
        fresh.AddField(key, value);
        Check(fresh.ReadField(key) == value && freshErrors == 0);
    }
    std::remove(name.c_str());
    return 0;
}
