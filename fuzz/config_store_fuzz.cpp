// The configuration store on arbitrary files: reads of every key the application asks for, one
// by one and from a single reading, a write and a read-back, with failures reported through
// OnError and never thrown or crashing; then the main window's and the dialog's readings of the
// settings.
#include "config/config_store.h"
#include "config/geo_table.h"
#include "config/settings.h"

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
    int pageErrors = 0; // among the keys the dialog reads
    for (const SettingKeyRow &key : kSettingKeys) {
        const int before = errors;
        const std::string value = store.ReadField(key.name);
        Check(reading.ReadField(key.name) == value && readingErrors == errors);
        if (key.key != SettingKey::EndOfConfigFile)
            pageErrors += errors - before;
        if (key.key >= SettingKey::GEO1 && key.key <= SettingKey::GEO6)
            table.SetRowFromStored(key.name[3] - '0', value);
    }
    for (int row = 1; row <= GeoTable::kRows; ++row)
        table.FindPort(table.StoredRow(row));

    // The main window's reading never keeps a port the socket cannot use nor a negative
    // interval, and falls back to 127.0.0.1:7777 after a failure.
    TConfigStore throwing; // failures thrown, as the windows' stores have them
    throwing.FileName = name;
    const AppliedSettings applied = AppliedSettings::Read(throwing, true);
    Check(applied.serverPort && *applied.serverPort >= 1 && applied.serverAddress);
    Check(!applied.stallCheckMs || (*applied.stallCheckMs >= 0 && applied.stallCheckMs == applied.disconnCheckMs));
    if (applied.readFailed)
        Check(*applied.serverAddress == "127.0.0.1" && *applied.serverPort == 7777);
    else
        Check(applied.pollMode && applied.geoRows.size() == GeoTable::kRows);
    // The dialog's reading succeeds exactly when each of its keys has a value.
    Settings page;
    Check(page.Load(throwing) == (pageErrors == 0));

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
