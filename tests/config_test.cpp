#include "config/config_store.h"
#include "config/geo_table.h"
#include "config/settings.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ConfigStoreTest : public ::testing::Test {
protected:
    ScratchDir cwd;
    TConfigStore store;
    void SetUp() override { store.FileName = cwd.Path("userapp.cfg"); }
};

TEST_F(ConfigStoreTest, WritesPairsOfLinesWithCrLfAndReadsThemBack)
{
    store.AddField("IPServer", "127.0.0.1");
    store.AddField("PortServer", "7777");
    EXPECT_EQ(cwd.Read("userapp.cfg"), "IPServer\r\n127.0.0.1\r\nPortServer\r\n7777\r\n");
    EXPECT_EQ(store.ReadField("portserver"), "7777"); // keys match in any letter case
    store.AddField("IPServer", "10.0.0.1");            // moves the pair to the end
    EXPECT_EQ(cwd.Read("userapp.cfg"), "PortServer\r\n7777\r\nIPServer\r\n10.0.0.1\r\n");
    store.AddField("", "ignored");
    EXPECT_EQ(cwd.Read("userapp.cfg"), "PortServer\r\n7777\r\nIPServer\r\n10.0.0.1\r\n");
}

TEST_F(ConfigStoreTest, ReadsAnyLineEnding)
{
    cwd.Write("userapp.cfg", "A\r1\nB\r\n2\rC\n3");
    EXPECT_EQ(store.ReadField("A"), "1");
    EXPECT_EQ(store.ReadField("B"), "2");
    EXPECT_EQ(store.ReadField("C"), "3");
}

TEST_F(ConfigStoreTest, LookupQuirksOfWholeLineMatching)
{
    // A value line equal to a later key is found first; its next line is taken as the value.
    cwd.Write("userapp.cfg", "ESPDir\r\nBufLen\r\nBufLen\r\n15\r\nLast\r\n");
    EXPECT_EQ(store.ReadField("BufLen"), "BufLen");
    EXPECT_EQ(store.ReadField("ESPDir"), "BufLen");
    // A key on the last line has no value line.
    EXPECT_THROW(store.ReadField("Last"), ConfigError);
    EXPECT_THROW(store.ReadField("Missing"), ConfigError);
}

TEST_F(ConfigStoreTest, MissingFileFailsToReadButNotToWrite)
{
    EXPECT_THROW(store.ReadField("IPServer"), ConfigError);
    int reported = 0;
    store.OnError = [&] { ++reported; };
    EXPECT_EQ(store.ReadField("IPServer"), "");
    EXPECT_EQ(reported, 1);
    store.AddField("IPServer", "1.2.3.4");
    EXPECT_EQ(store.ReadField("IPServer"), "1.2.3.4");
    EXPECT_EQ(reported, 1);
}

TEST_F(ConfigStoreTest, UnwritableFileIsReported)
{
    store.FileName = cwd.Path("no-such-dir/userapp.cfg");
    EXPECT_THROW(store.AddField("IPServer", "1.2.3.4"), ConfigError);
}

TEST_F(ConfigStoreTest, ExtraPairsStayOnTopAndSavingTwiceIsByteIdentical)
{
    cwd.Write("userapp.cfg", "Custom\nkept\nPortServer\n1\n");
    auto saveAll = [&] {
        store.AddField("IPServer", "127.0.0.1");
        store.AddField("PortServer", "7777");
        store.AddField("EndOfConfigFile", "EndOfConfigFile");
    };
    saveAll();
    const std::string first = cwd.Read("userapp.cfg");
    saveAll();
    EXPECT_EQ(cwd.Read("userapp.cfg"), first);
    EXPECT_EQ(first, "Custom\r\nkept\r\nIPServer\r\n127.0.0.1\r\nPortServer\r\n7777\r\n"
                     "EndOfConfigFile\r\nEndOfConfigFile\r\n");
}

// A FIFO nobody writes would block the open for ever; a file past 1 MiB is refused from its
// size, keys or not.
TEST_F(ConfigStoreTest, ReadsOnlyASmallRegularFileAndNeverWaits)
{
    const std::string keys = "IPServer\r\n10.0.0.1\r\n";
    const std::size_t mib = 1024 * 1024;
    const struct {
        const char *name;
        std::function<void(const std::string &path)> make;
        bool readable;
    } rows[] = {
        {"a FIFO nobody writes", [](const std::string &p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, false},
        {"keys followed by line feeds to 1 MiB", [&](const std::string &p) {
             std::ofstream(p, std::ios::binary) << keys << std::string(mib - keys.size(), '\n');
         }, true},
        {"one byte more", [&](const std::string &p) {
             std::ofstream(p, std::ios::binary) << keys << std::string(mib - keys.size() + 1, '\n');
         }, false},
        {"100 MB without reading it", [&](const std::string &p) {
             std::ofstream(p, std::ios::binary) << keys;
             std::filesystem::resize_file(p, 100'000'000);
         }, false},
    };
    for (const auto &row : rows) {
        std::filesystem::remove_all(store.FileName);
        row.make(store.FileName);
        if (row.readable) {
            EXPECT_EQ(store.ReadField("IPServer"), "10.0.0.1") << row.name;
        } else {
            EXPECT_THROW(store.ReadField("IPServer"), ConfigError) << row.name;
            EXPECT_THROW(store.Read().ReadField("IPServer"), ConfigError) << row.name;
        }
    }
}

TEST_F(ConfigStoreTest, WritingIntoAFifoFailsAtOnce)
{
    ASSERT_EQ(::mkfifo(store.FileName.c_str(), 0600), 0);
    EXPECT_THROW(store.AddField("IPServer", "1.2.3.4"), ConfigError);
}

// One reading answers a whole sequence of keys from the file as it was read, even when the
// file changes in between.
TEST_F(ConfigStoreTest, AReadingAnswersFromTheFileAsItWasRead)
{
    cwd.Write("userapp.cfg", "IPServer\r\n10.0.0.1\r\nPortServer\r\n7000\r\n");
    const TConfigReading reading = store.Read();
    cwd.Write("userapp.cfg", "IPServer\r\n10.9.9.9\r\n");
    EXPECT_EQ(reading.ReadField("IPServer"), "10.0.0.1");
    EXPECT_EQ(reading.ReadField("portserver"), "7000");
    EXPECT_THROW(reading.ReadField("NoSISMargin"), ConfigError);
    EXPECT_EQ(store.ReadField("IPServer"), "10.9.9.9");

    // A file that could not be read fails every key of the reading, through OnError when set.
    std::filesystem::remove(store.FileName);
    int reported = 0;
    store.OnError = [&] { ++reported; };
    const TConfigReading missing = store.Read();
    EXPECT_EQ(missing.ReadField("IPServer"), "");
    EXPECT_EQ(missing.ReadField("PortServer"), "");
    EXPECT_EQ(reported, 2);
}

TEST(GeoTable, StoredRowsSplitAtSemicolons)
{
    GeoTable t;
    t.SetRowFromStored(3, "120;EGNOS AOR-E;EGNOS;7777;");
    EXPECT_EQ(t.Row(3).prn, "120");
    EXPECT_EQ(t.Row(3).name, "EGNOS AOR-E");
    EXPECT_EQ(t.Row(3).port, "7777");
    EXPECT_EQ(t.FindPort("7777"), 3);
    EXPECT_EQ(t.FindPort("7778"), 0);

    t.SetRowFromStored(1, ";;;;"); // empty cells come back as one space each
    EXPECT_EQ(t.StoredRow(1), " ; ; ; ;");
    t.SetRowFromStored(2, "126;name"); // fewer fields leave the later cells empty
    EXPECT_EQ(t.Row(2).name, "name");
    EXPECT_EQ(t.Row(2).system, "");
    t.SetRowFromStored(4, "1;a;b;c;d;e;"); // pieces beyond the fourth are dropped
    EXPECT_EQ(t.StoredRow(4), "1;a;b;c;");

    // The GEO of a server port: the first row whose Port cell is the port's decimal text.
    t.SetRowFromStored(5, "126;second;EGNOS;7777;");
    t.SetRowFromStored(6, "127;padded;EGNOS;07778;");
    ASSERT_NE(t.RowOfPort(7777), nullptr);
    EXPECT_EQ(t.RowOfPort(7777)->name, "EGNOS AOR-E");
    EXPECT_EQ(t.RowOfPort(7778), nullptr); // "07778" is not the text of 7778
    EXPECT_EQ(t.RowOfPort(0), nullptr);
}

const std::string kFullConfig = "IPServer\r\n10.1.2.3\r\nPortClient\r\n6666\r\nPortServer\r\n7000\r\n"
                                "MessageRequestMethod\r\nSubscribe\r\nVelmarGpsDir\r\nc:\\\r\nESPDir\r\nout.klt\r\n"
                                "NoSISMargin\r\n30\r\nBufLen\r\n15\r\nBufPer\r\n10\r\n"
                                "GEO1\r\n;;;;\r\nGEO2\r\n;;;;\r\nGEO3\r\n124;ORVAN-1;ORVAN;7000;\r\n"
                                "GEO4\r\n;;;;\r\nGEO5\r\n;;;;\r\nGEO6\r\n;;;;\r\nEndOfConfigFile\r\nEndOfConfigFile\r\n";

std::string Replaced(std::string text, const std::string &from, const std::string &to)
{
    const auto at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The main window's reading, step by step: IPServer, PortServer, NoSISMargin (twice), BufLen,
// BufPer, ESPDir, the broadcast status, MessageRequestMethod, GEO1 to GEO6. A failure stops the
// steps, keeps what earlier ones read and falls back to 127.0.0.1:7777.
TEST_F(ConfigStoreTest, TheMainWindowReadsItsStepsInOrderAndFallsBack)
{
    constexpr int kUnset = -1;
    const struct {
        const char *name;
        std::string from, to; // one replacement in the full file
        bool withGeo;
        bool warn, failed;
        const char *address;
        int port, stallMs, pollMode; // kUnset: the step was not reached
        bool monitoring;
        std::size_t geoRows;
    } rows[] = {
        {"the full file", "", "", true, false, false, "10.1.2.3", 7000, 30000, 0, true, 6},
        {"after the settings dialog, without GEO rows", "GEO1", "Other", false, false, false, "10.1.2.3", 7000, 30000, 0, true, 0},
        {"non-integer port", "PortServer\r\n7000", "PortServer\r\n77x", true, true, true, "127.0.0.1", 7777, kUnset, kUnset, false, 0},
        {"negative margin", "NoSISMargin\r\n30", "NoSISMargin\r\n-5", true, true, true, "127.0.0.1", 7777, kUnset, kUnset, false, 0},
        {"empty margin: the port read before it falls back too", "NoSISMargin\r\n30", "NoSISMargin\r\n", true, true, true, "127.0.0.1", 7777, kUnset, kUnset, false, 0},
        // 4294968 s is 4 294 968 000 ms, past the 2 147 483 647 of a timer interval (and, cut
        // to 32 bits, 704 ms).
        {"margin past a timer's range", "NoSISMargin\r\n30", "NoSISMargin\r\n4294968", true, true, true, "127.0.0.1", 7777, kUnset, kUnset, false, 0},
        {"non-integer buffer after the margin was read", "BufPer\r\n10", "BufPer\r\nten", true, true, true, "127.0.0.1", 7777, 30000, kUnset, false, 0},
        {"missing GEO row after the method was read", "GEO6\r\n;;;;\r\n", "", true, true, true, "127.0.0.1", 7777, 30000, 0, true, 5},
        {"lower-case subscribe selects polling", "Subscribe", "subscribe", true, false, false, "10.1.2.3", 7000, 30000, 1, true, 6},
        {"port 0 alone is replaced", "PortServer\r\n7000", "PortServer\r\n0", true, true, false, "10.1.2.3", 7777, 30000, 0, true, 6},
        {"port 65536 alone is replaced", "PortServer\r\n7000", "PortServer\r\n65536", true, true, false, "10.1.2.3", 7777, 30000, 0, true, 6},
        {"port 70000 alone is replaced", "PortServer\r\n7000", "PortServer\r\n70000", true, true, false, "10.1.2.3", 7777, 30000, 0, true, 6},
        {"port 65535 is used", "PortServer\r\n7000", "PortServer\r\n65535", true, false, false, "10.1.2.3", 65535, 30000, 0, true, 6},
        {"a margin of 0 switches the check off", "NoSISMargin\r\n30", "NoSISMargin\r\n0", true, false, false, "10.1.2.3", 7000, 0, 0, true, 6},
    };
    for (const auto &row : rows) {
        cwd.Write("userapp.cfg", row.from.empty() ? kFullConfig : Replaced(kFullConfig, row.from, row.to));
        const AppliedSettings read = AppliedSettings::Read(store, row.withGeo);
        EXPECT_EQ(read.Warn(), row.warn) << row.name;
        EXPECT_EQ(read.readFailed, row.failed) << row.name;
        EXPECT_EQ(read.serverAddress.value_or("unset"), row.address) << row.name;
        EXPECT_EQ(read.serverPort.value_or(0), row.port) << row.name;
        EXPECT_EQ(read.stallCheckMs.value_or(kUnset), row.stallMs) << row.name;
        // The close-time check takes the same key, read again.
        EXPECT_EQ(read.disconnCheckMs.value_or(kUnset), row.stallMs) << row.name;
        EXPECT_EQ(read.pollMode ? int(*read.pollMode) : kUnset, row.pollMode) << row.name;
        EXPECT_EQ(read.monitoring, row.monitoring) << row.name;
        ASSERT_EQ(read.geoRows.size(), row.geoRows) << row.name;
        if (row.geoRows >= 3) {
            EXPECT_EQ(read.geoRows[2].name, "ORVAN-1") << row.name;
        }
    }

    // The whole file: the buffer minutes as seconds (15 x 60, 10 x 60), the output file as is.
    cwd.Write("userapp.cfg", kFullConfig);
    const AppliedSettings full = AppliedSettings::Read(store, true);
    EXPECT_EQ(full.bufferLength, 900);
    EXPECT_EQ(full.bufferPeriod, 600);
    EXPECT_EQ(full.outputFileName, "out.klt");

    // No file: nothing but the fall-back.
    std::filesystem::remove(store.FileName);
    const AppliedSettings none = AppliedSettings::Read(store, true);
    EXPECT_TRUE(none.readFailed);
    EXPECT_EQ(none.serverAddress, "127.0.0.1");
    EXPECT_EQ(none.serverPort, 7777);
    EXPECT_FALSE(none.stallCheckMs || none.bufferLength || none.outputFileName || none.pollMode || none.monitoring);
}

// Rows read before a failure replace theirs; the header comes with the sixth.
TEST(AppliedSettings, UpdatesTheGeoRowsItReadAndTheHeaderOnlyAfterAllSix)
{
    GeoTable table;
    table.SetRowFromStored(2, "120;old;EGNOS;1;");
    AppliedSettings read;
    read.geoRows = {GeoRow{"126", "first", "ORVAN", "7777"}};
    read.UpdateGeoTable(table);
    EXPECT_EQ(table.Row(1).name, "first");
    EXPECT_EQ(table.Row(2).name, "old");
    EXPECT_EQ(table.header[0], "");
    read.geoRows.resize(6);
    read.UpdateGeoTable(table);
    EXPECT_EQ(table.Row(2).name, "");
    EXPECT_EQ(table.header[3], "Port");
}

TEST_F(ConfigStoreTest, TheDialogsDefaultsSaveAsTheSixteenKeysInOrder)
{
    cwd.Write("userapp.cfg", "Custom\r\nkept\r\nNoSISMargin\r\n5\r\n");
    Settings().Save(store);
    EXPECT_EQ(cwd.Read("userapp.cfg"),
              "Custom\r\nkept\r\n" // other keys stay on top
              "IPServer\r\n127.0.0.1\r\nPortClient\r\n6666\r\nPortServer\r\n7777\r\n"
              "MessageRequestMethod\r\nSubscribe\r\nVelmarGpsDir\r\nc:\\\r\nESPDir\r\n\r\n"
              "NoSISMargin\r\n60\r\nBufLen\r\n15\r\nBufPer\r\n10\r\nGEO1\r\n;;;;\r\nGEO2\r\n;;;;\r\n"
              "GEO3\r\n;;;;\r\nGEO4\r\n;;;;\r\nGEO5\r\n;;;;\r\nGEO6\r\n;;;;\r\n"
              "EndOfConfigFile\r\nEndOfConfigFile\r\n");
}

// The dialog's reading: its keys in save order; after a failure the rest keep what they held.
TEST_F(ConfigStoreTest, TheDialogLoadsItsKeysAndKeepsTheRestAfterTheFirstMissingOne)
{
    const struct {
        const char *name;
        std::string file;
        bool loaded;
        const char *ipServer, *portClient, *portServer;
        bool subscribe;
        const char *geo3Name, *geo1Prn;
    } rows[] = {
        {"the full file", kFullConfig, true, "10.1.2.3", "6666", "7000", true, "ORVAN-1", " "},
        {"lower-case subscribe is poll", Replaced(kFullConfig, "Subscribe", "subscribe"), true, "10.1.2.3", "6666", "7000", false, "ORVAN-1", " "},
        {"two keys", "IPServer\r\n10.0.0.9\r\nPortClient\r\n6000\r\n", false, "10.0.0.9", "6000", "7777", true, "", ""},
        {"GEO3 missing", Replaced(kFullConfig, "GEO3", "Other"), false, "10.1.2.3", "6666", "7000", true, "", " "},
        {"no file", "", false, "127.0.0.1", "6666", "7777", true, "", ""},
    };
    for (const auto &row : rows) {
        std::filesystem::remove(store.FileName);
        if (!row.file.empty())
            cwd.Write("userapp.cfg", row.file);
        Settings s;
        EXPECT_EQ(s.Load(store), row.loaded) << row.name;
        EXPECT_EQ(s.ipServer, row.ipServer) << row.name;
        EXPECT_EQ(s.portClient, row.portClient) << row.name;
        EXPECT_EQ(s.portServer, row.portServer) << row.name;
        EXPECT_EQ(s.subscribe, row.subscribe) << row.name;
        EXPECT_EQ(s.geo.Row(3).name, row.geo3Name) << row.name;
        EXPECT_EQ(s.geo.Row(1).prn, row.geo1Prn) << row.name;
        EXPECT_EQ(s.geo.header[0], "GEO PRN") << row.name;
    }
}

} // namespace
