#pragma once

#include "config/config_store.h"
#include "config/geo_table.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The keys of userapp.cfg, in the order a save writes them.
enum class SettingKey {
    IPServer,
    PortClient,
    PortServer,
    MessageRequestMethod,
    VelmarGpsDir,
    ESPDir,
    NoSISMargin,
    BufLen,
    BufPer,
    GEO1,
    GEO2,
    GEO3,
    GEO4,
    GEO5,
    GEO6,
    EndOfConfigFile,
};

struct SettingKeyRow {
    SettingKey key;
    const char *name;
    const char *defaultValue; // what the settings dialog holds before any file is read
};

// The request method's two values; only this exact text subscribes.
inline constexpr char kSubscribeMethod[] = "Subscribe";
inline constexpr char kPollMethod[] = "Poll";

// Every key once, with the value a new file receives when the dialog is confirmed unchanged.
inline constexpr std::array<SettingKeyRow, 16> kSettingKeys{{
    {SettingKey::IPServer, "IPServer", "127.0.0.1"},
    {SettingKey::PortClient, "PortClient", "6666"}, // carried only: loaded, checked and saved
    {SettingKey::PortServer, "PortServer", "7777"},
    {SettingKey::MessageRequestMethod, "MessageRequestMethod", kSubscribeMethod},
    {SettingKey::VelmarGpsDir, "VelmarGpsDir", "c:\\"}, // carried only
    {SettingKey::ESPDir, "ESPDir", ""},
    {SettingKey::NoSISMargin, "NoSISMargin", "60"}, // seconds
    {SettingKey::BufLen, "BufLen", "15"},           // minutes
    {SettingKey::BufPer, "BufPer", "10"},           // minutes
    // A GEO row of four empty cells, each followed by its ';'.
    {SettingKey::GEO1, "GEO1", ";;;;"},
    {SettingKey::GEO2, "GEO2", ";;;;"},
    {SettingKey::GEO3, "GEO3", ";;;;"},
    {SettingKey::GEO4, "GEO4", ";;;;"},
    {SettingKey::GEO5, "GEO5", ";;;;"},
    {SettingKey::GEO6, "GEO6", ";;;;"},
    {SettingKey::EndOfConfigFile, "EndOfConfigFile", "EndOfConfigFile"}, // written last, read by nobody
}};

const char *SettingName(SettingKey key);
const char *SettingDefault(SettingKey key);
// GEO1 to GEO6 for rows 1 to 6.
SettingKey GeoKey(int row);

// The settings as the settings dialog shows and saves them: text as typed, the request method
// as a choice, the GEO rows as cells.
struct Settings {
    std::string ipServer;
    std::string portClient;
    std::string portServer;
    bool subscribe{}; // MessageRequestMethod; like every member, set to its default by the constructor
    std::string velmarGpsDir;
    std::string espDir;
    std::string noSisMargin;
    std::string bufLen;
    std::string bufPer;
    GeoTable geo; // headed; rows 1 to 6

    // Every key at its default.
    Settings();

    // Reads the dialog's keys in save order from one reading of the file. The first failure
    // (unreadable file, missing key, no value line) ends the reading and gives false: members
    // read before it hold the file's values, the others keep what they held.
    bool Load(const TConfigStore &store);
    // Writes the sixteen keys in order, one rewrite of the file each, so keys that are not
    // among them stay on top. A failure is thrown as ConfigError; keys written before it stay.
    void Save(TConfigStore &store) const;
};

// What the main window runs on, read from userapp.cfg at start and again after the settings
// are confirmed. One step per key, in this order; the first failure (unreadable file, missing
// key, a number that is not a whole number or is out of range) ends the reading, and a member
// is set only when its step was reached, so earlier steps keep their effect.
struct AppliedSettings {
    std::optional<std::string> serverAddress; // IPServer
    std::optional<uint16_t> serverPort;       // PortServer
    std::optional<int32_t> stallCheckMs;      // NoSISMargin x 1000; 0 switches the no-data check off
    std::optional<int32_t> disconnCheckMs;    // NoSISMargin x 1000 again, for the close-time check
    std::optional<int32_t> bufferLength;      // BufLen x 60
    std::optional<int32_t> bufferPeriod;      // BufPer x 60
    std::optional<std::string> outputFileName; // ESPDir
    bool monitoring = false;                   // the broadcast status is offered
    std::optional<bool> pollMode;              // MessageRequestMethod
    std::vector<GeoRow> geoRows;               // GEO1.. in order, as far as read; at start only

    bool readFailed = false;   // address and port are then the defaults, 127.0.0.1:7777
    bool portReplaced = false; // a port out of 1-65535 alone is the default port; the rest is read

    // The user is warned after a failure and after a replaced port.
    bool Warn() const { return readFailed || portReplaced; }
    // The GEO rows read; the header only once all six were read.
    void UpdateGeoTable(GeoTable &table) const;

    // One reading of the file for the whole sequence; the GEO rows only when withGeoTable.
    static AppliedSettings Read(const TConfigStore &store, bool withGeoTable);
};
