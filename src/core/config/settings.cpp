#include "config/settings.h"

#include "text/number_text.h"

#include <exception>
#include <limits>

namespace {

constexpr bool KeysInTheirOwnOrder()
{
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i)
        if (static_cast<std::size_t>(kSettingKeys[i].key) != i)
            return false;
    return true;
}
static_assert(KeysInTheirOwnOrder(), "kSettingKeys is indexed by SettingKey");
static_assert(kSettingKeys.back().key == SettingKey::EndOfConfigFile, "one row per key");

bool IsGeoKey(SettingKey key)
{
    return key >= SettingKey::GEO1 && key <= SettingKey::GEO6;
}

int GeoRowOf(SettingKey key)
{
    return static_cast<int>(key) - static_cast<int>(SettingKey::GEO1) + 1;
}

std::string Field(const TConfigReading &file, SettingKey key)
{
    return file.ReadField(SettingName(key));
}

// A whole number from the file, times a unit, within the range of a timer interval.
int32_t ScaledInteger(const TConfigReading &file, SettingKey key, int32_t unit)
{
    const std::string text = Field(file, key);
    const auto value = ParseInt32(text);
    if (!value)
        throw ConfigError("'" + text + "' is not a valid integer value for " + SettingName(key));
    const int64_t scaled = int64_t{*value} * unit;
    if (scaled > std::numeric_limits<int32_t>::max() || scaled < std::numeric_limits<int32_t>::min())
        throw ConfigError(std::string(SettingName(key)) + " is out of range");
    return static_cast<int32_t>(scaled);
}

// Seconds as milliseconds; 0 is allowed (it switches the check off), below 0 is not.
int32_t Interval(const TConfigReading &file, SettingKey key)
{
    const int32_t ms = ScaledInteger(file, key, 1000);
    if (ms < 0)
        throw ConfigError(std::string(SettingName(key)) + " must not be a negative number of seconds");
    return ms;
}

uint16_t DefaultPort()
{
    return static_cast<uint16_t>(*ParseInt32(SettingDefault(SettingKey::PortServer)));
}

} // namespace

const char *SettingName(SettingKey key)
{
    return kSettingKeys.at(static_cast<std::size_t>(key)).name;
}

const char *SettingDefault(SettingKey key)
{
    return kSettingKeys.at(static_cast<std::size_t>(key)).defaultValue;
}

SettingKey GeoKey(int row)
{
    return static_cast<SettingKey>(static_cast<int>(SettingKey::GEO1) + row - 1);
}

namespace {

void Set(Settings &s, SettingKey key, const std::string &text)
{
    switch (key) {
    case SettingKey::IPServer: s.ipServer = text; break;
    case SettingKey::PortClient: s.portClient = text; break;
    case SettingKey::PortServer: s.portServer = text; break;
    // Compared exactly, so "subscribe" in lower case polls: kept on purpose.
    case SettingKey::MessageRequestMethod: s.subscribe = text == kSubscribeMethod; break;
    case SettingKey::VelmarGpsDir: s.velmarGpsDir = text; break;
    case SettingKey::ESPDir: s.espDir = text; break;
    case SettingKey::NoSISMargin: s.noSisMargin = text; break;
    case SettingKey::BufLen: s.bufLen = text; break;
    case SettingKey::BufPer: s.bufPer = text; break;
    case SettingKey::EndOfConfigFile: break;
    default: s.geo.SetRowFromStored(GeoRowOf(key), text); break;
    }
}

std::string Text(const Settings &s, SettingKey key)
{
    switch (key) {
    case SettingKey::IPServer: return s.ipServer;
    case SettingKey::PortClient: return s.portClient;
    case SettingKey::PortServer: return s.portServer;
    case SettingKey::MessageRequestMethod: return s.subscribe ? kSubscribeMethod : kPollMethod;
    case SettingKey::VelmarGpsDir: return s.velmarGpsDir;
    case SettingKey::ESPDir: return s.espDir;
    case SettingKey::NoSISMargin: return s.noSisMargin;
    case SettingKey::BufLen: return s.bufLen;
    case SettingKey::BufPer: return s.bufPer;
    case SettingKey::EndOfConfigFile: return SettingDefault(key);
    default: return s.geo.StoredRow(GeoRowOf(key));
    }
}

} // namespace

Settings::Settings()
{
    for (const SettingKeyRow &row : kSettingKeys)
        // A GEO row starts as four empty cells, which store as its default; read back, that
        // default gives cells of one space, so it is not read here.
        if (!IsGeoKey(row.key))
            Set(*this, row.key, row.defaultValue);
    geo.SetDefaultHeader();
}

bool Settings::Load(const TConfigStore &store)
{
    try {
        const TConfigReading file = store.Read(); // one reading for the whole page
        for (const SettingKeyRow &row : kSettingKeys)
            if (row.key != SettingKey::EndOfConfigFile)
                Set(*this, row.key, file.ReadField(row.name));
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void Settings::Save(TConfigStore &store) const
{
    for (const SettingKeyRow &row : kSettingKeys)
        store.AddField(row.name, Text(*this, row.key));
}

void AppliedSettings::UpdateGeoTable(GeoTable &table) const
{
    for (std::size_t i = 0; i < geoRows.size(); ++i)
        table.Row(static_cast<int>(i) + 1) = geoRows[i];
    if (geoRows.size() == GeoTable::kRows)
        table.SetDefaultHeader();
}

AppliedSettings AppliedSettings::Read(const TConfigStore &store, bool withGeoTable)
{
    AppliedSettings s;
    try {
        // A file that cannot be read (missing, not a regular file, too large) fails at the
        // first key, as a missing key would.
        const TConfigReading file = store.Read();
        s.serverAddress = Field(file, SettingKey::IPServer);
        const int32_t port = ScaledInteger(file, SettingKey::PortServer, 1);
        // A port the socket cannot use must not become some other port, nor cost the other keys.
        s.portReplaced = port < 1 || port > 65535;
        s.serverPort = s.portReplaced ? DefaultPort() : static_cast<uint16_t>(port);
        s.stallCheckMs = Interval(file, SettingKey::NoSISMargin);
        // The same key read a second time for the other checker: kept on purpose.
        s.disconnCheckMs = Interval(file, SettingKey::NoSISMargin);
        // Stored though nothing reads them: kept on purpose.
        s.bufferLength = ScaledInteger(file, SettingKey::BufLen, 60);
        s.bufferPeriod = ScaledInteger(file, SettingKey::BufPer, 60);
        s.outputFileName = Field(file, SettingKey::ESPDir);
        s.monitoring = true;
        // Compared exactly, so "subscribe" in lower case polls: kept on purpose.
        s.pollMode = Field(file, SettingKey::MessageRequestMethod) != kSubscribeMethod;
        for (int row = 1; withGeoTable && row <= GeoTable::kRows; ++row) {
            s.geoRows.push_back(GeoTable::RowFromStored(Field(file, GeoKey(row))));
        }
    } catch (const std::exception &) {
        s.readFailed = true;
        s.serverAddress = SettingDefault(SettingKey::IPServer);
        s.serverPort = DefaultPort();
    }
    return s;
}
