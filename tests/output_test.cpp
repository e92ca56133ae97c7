// The message log without a window: the record's PRN and text, the log file's modes, lock and
// whole records, and the log's own rules (type switches, reopening, a failed write stops it).
#include "output/log_file.h"
#include "output/log_record.h"
#include "output/message_log.h"
#include "support/file_size_limit.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <vector>

namespace {

const std::string kHex64 = "5308DFFDFFDFFDFFC001FFDFFDFFDFFDFFDFFDFFC003BBBA3BBBBBBA1EB6CD80";

TEST(LogRecordTest, PrnOfTheGeoBoxAndTheLoggedText)
{
    const struct {
        const char *box;
        int prn;
    } prns[] = {{"120", 120}, {"120.9", 120}, {"-3.7", -3}, {"0", 0}, {"NA", 0}, {"", 0}, {"1e12", 0}, {" 5", 0}};
    for (const auto &row : prns)
        EXPECT_EQ(LogRecordPrn(row.box), row.prn) << row.box;

    const struct {
        std::string expanded, logged;
    } texts[] = {{kHex64 + "ABC", kHex64 + "BC"}, {"12345", "1245"}, {"123", "23"}, {"12", "12"}, {"", ""}};
    for (const auto &row : texts)
        EXPECT_EQ(LoggedMessageText(row.expanded), row.logged) << row.expanded;
}

TEST(LogFileTest, ModesLockAndWriteThrough)
{
    ScratchDir dir;
    const std::string path = dir.Path("log.klt");
    const struct {
        const char *name;
        bool exists, overwrite;
        std::string after;
    } rows[] = {
        {"append to an existing file", true, false, "old\r\nnew\r\n"},
        {"overwrite an existing file", true, true, "new\r\n"},
        {"append creates a missing file", false, false, "new\r\n"},
        {"overwrite creates a missing file", false, true, "new\r\n"},
    };
    for (const auto &row : rows) {
        std::filesystem::remove(path);
        if (row.exists)
            dir.Write("log.klt", "old\r\n");
        const int fd = OpenMessageLog(path, row.overwrite);
        ASSERT_GE(fd, 0) << row.name;
        WriteMessageLog(fd, "new\r\n");
        EXPECT_EQ(dir.Read("log.klt"), row.after) << row.name << " (read while still open)";
        CloseMessageLog(fd);
    }

    // Nothing but a regular file is opened, and nothing waits: a FIFO nobody reads would
    // block an ordinary open for ever.
    ASSERT_EQ(::mkfifo(dir.Path("fifo.klt").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.Path("folder.klt"));
    for (const std::string &refused :
         {std::string(), dir.Path("no/such/dir.klt"), dir.Path("fifo.klt"), dir.Path("folder.klt"), std::string("/dev/null")})
        for (const bool overwrite : {false, true})
            EXPECT_EQ(OpenMessageLog(refused, overwrite), -1) << refused;

    // A file another writer holds is neither opened nor emptied.
    const int holder = OpenMessageLog(path, false);
    ASSERT_GE(holder, 0);
    EXPECT_EQ(OpenMessageLog(path, true), -1);
    EXPECT_EQ(dir.Read("log.klt"), "new\r\n");
    CloseMessageLog(holder);
    const int next = OpenMessageLog(path, false);
    EXPECT_GE(next, 0) << "the lock goes with the close";
    CloseMessageLog(next);
}

TEST(LogFileTest, ARecordIsWrittenWholeOrNotAtAll)
{
    const std::string a = "AAAAAAAA\r\n", b = "BBBBBBBB\r\n"; // 10 bytes each
    const std::string tooLarge = "the log file has reached the largest size allowed (File too large)";
    const struct {
        const char *name;
        rlim_t limit;
        bool oneWrite; // both records handed over together
        std::string file, failure;
    } rows[] = {
        {"room for both", 20, false, a + b, ""},
        {"the second record cut after 5 of its bytes", 15, false, a, tooLarge},
        {"the second record finds no room at all", 10, false, a, tooLarge},
        {"together, room for both", 20, true, a + b, ""},
        {"together, the second cut after 5 of its bytes: the first stays", 15, true, a, tooLarge},
        {"together, the first cut after 5 of its bytes: nothing stays", 5, true, "", tooLarge},
    };
    for (const auto &row : rows) {
        ScratchDir dir;
        const int fd = OpenMessageLog(dir.Path("log.klt"), true);
        ASSERT_GE(fd, 0);
        std::optional<std::string> first, second;
        {
            FileSizeLimit limit(row.limit);
            if (row.oneWrite) {
                second = WriteMessageLog(fd, a + b);
            } else {
                first = WriteMessageLog(fd, a);
                second = WriteMessageLog(fd, b);
            }
        }
        CloseMessageLog(fd);
        EXPECT_EQ(first, std::nullopt) << row.name;
        EXPECT_EQ(second.value_or(""), row.failure) << row.name;
        EXPECT_EQ(dir.Read("log.klt"), row.file) << row.name;
    }
}

TEST(LogFileTest, FailureReasonsSayWhatHappened)
{
    const struct {
        int err;
        const char *reason;
    } rows[] = {
        {ENOSPC, "the disk is full (No space left on device)"},
        {EDQUOT, "the disk is full (Disk quota exceeded)"},
        {EFBIG, "the log file has reached the largest size allowed (File too large)"},
        {EIO, "the log file could not be written (Input/output error)"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(LogWriteFailure(row.err), row.reason);
}

// The type field of every record in a log file.
std::vector<int> LoggedTypes(const std::string &file)
{
    std::vector<int> types;
    std::istringstream lines(file);
    for (std::string line; std::getline(lines, line);)
        if (const auto r = ParseLogRecord(line))
            types.push_back(r->type);
    return types;
}

TEST(MessageLogTest, OnlyTheTypesSwitchedOnAreRecorded)
{
    const struct {
        const char *name;
        std::function<void(MessageLog &)> switches;
        std::vector<int> fed, logged;
    } rows[] = {
        {"none switched on at start", [](MessageLog &) {}, {0, 2, 63}, {}},
        {"all 64, also type 8 that has no box of its own", [](MessageLog &l) { l.SetAllTypes(true); },
         {0, 2, 8, 63}, {0, 2, 8, 63}},
        {"type 2 alone", [](MessageLog &l) { l.SetTypeEnabled(2, true); }, {2, 3, 63, 2}, {2, 2}},
        {"all, then type 63 off", [](MessageLog &l) { l.SetAllTypes(true); l.SetTypeEnabled(63, false); },
         {63, 62}, {62}},
        {"all, then all off", [](MessageLog &l) { l.SetAllTypes(true); l.SetAllTypes(false); }, {2, 8}, {}},
        // Types outside 0 to 63 have no switch: setting one changes nothing, and none is recorded.
        {"no switch outside 0 to 63", [](MessageLog &l) { l.SetTypeEnabled(-1, true); l.SetTypeEnabled(64, true); },
         {-1, 64, 0, 63}, {}},
    };
    for (const auto &row : rows) {
        ScratchDir dir;
        MessageLog log;
        log.SetFileName(dir.Path("log.klt"));
        ASSERT_TRUE(log.Open()) << row.name;
        row.switches(log);
        for (const int type : row.fed)
            EXPECT_EQ(log.Write(124, type, kHex64, 2443, 1000), std::nullopt) << row.name;
        EXPECT_EQ(LoggedTypes(dir.Read("log.klt")), row.logged) << row.name;
    }
}

// Starting again without a stop in between must not keep the first descriptor, whose lock would
// refuse the second open.
TEST(MessageLogTest, OpeningAgainClosesTheFileFirst)
{
    ScratchDir dir;
    MessageLog log;
    log.SetFileName(dir.Path("log.klt"));
    log.SetAllTypes(true);
    ASSERT_TRUE(log.Open());
    ASSERT_TRUE(log.Open());
    log.SetOverwrite(true);
    ASSERT_TRUE(log.Open());
    EXPECT_EQ(log.Write(124, 2, kHex64, 2443, 1000), std::nullopt);
    log.Close();
    EXPECT_FALSE(log.IsOpen());
    const int other = OpenMessageLog(dir.Path("log.klt"), false);
    EXPECT_GE(other, 0) << "closing releases the lock";
    CloseMessageLog(other);
    EXPECT_EQ(LoggedTypes(dir.Read("log.klt")), std::vector<int>{2});

    log.SetFileName(dir.Path("no/such/folder/log.klt"));
    EXPECT_FALSE(log.Open());
    EXPECT_FALSE(log.IsOpen());
}

// Within a batch of lines the records wait for its end and then go out together; a log closed
// meanwhile still gets them.
TEST(MessageLogTest, HeldRecordsReachTheFileAtTheRelease)
{
    ScratchDir dir;
    MessageLog log;
    log.SetFileName(dir.Path("log.klt"));
    log.SetAllTypes(true);
    ASSERT_TRUE(log.Open());
    log.Hold();
    EXPECT_EQ(log.Write(124, 2, kHex64, 2443, 1000), std::nullopt);
    EXPECT_EQ(log.Write(124, 3, kHex64, 2443, 1001), std::nullopt);
    EXPECT_EQ(dir.Read("log.klt"), "");
    EXPECT_EQ(log.Release(), std::nullopt);
    EXPECT_EQ(LoggedTypes(dir.Read("log.klt")), (std::vector<int>{2, 3}));
    EXPECT_EQ(log.Write(124, 4, kHex64, 2443, 1002), std::nullopt);
    EXPECT_EQ(LoggedTypes(dir.Read("log.klt")), (std::vector<int>{2, 3, 4})) << "written at once after the release";
    log.Hold();
    EXPECT_EQ(log.Write(124, 5, kHex64, 2443, 1003), std::nullopt);
    log.Close();
    EXPECT_EQ(LoggedTypes(dir.Read("log.klt")), (std::vector<int>{2, 3, 4, 5}));
}

// A record that cannot be written whole stops the log, says why, and nothing more is written.
TEST(MessageLogTest, AFailedWriteStopsTheLogWithItsReason)
{
    ScratchDir dir;
    MessageLog log;
    log.SetFileName(dir.Path("log.klt"));
    log.SetAllTypes(true);
    ASSERT_TRUE(log.Open());
    log.SetActive(true);
    ASSERT_EQ(log.Write(124, 2, kHex64, 2443, 1000), std::nullopt);
    const std::string first = dir.Read("log.klt");
    ASSERT_EQ(first.size(), 90u); // "124 yy mm dd hh nn ss 2 " (24 bytes), 64 digits, CR LF
    std::optional<std::string> failure;
    {
        FileSizeLimit limit(135); // room for half of the next record
        failure = log.Write(124, 3, kHex64, 2443, 1001);
    }
    EXPECT_EQ(failure, "the log file has reached the largest size allowed (File too large)");
    EXPECT_FALSE(log.Active());
    EXPECT_FALSE(log.IsOpen());
    EXPECT_EQ(log.Write(124, 4, kHex64, 2443, 1002), "the log file is not open");
    EXPECT_EQ(dir.Read("log.klt"), first);
}

} // namespace
