#include "config/config_store.h"
#include "config/geo_table.h"
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
}

} // namespace
