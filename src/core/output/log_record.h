#pragma once

#include "time/date_time.h"

#include <optional>
#include <string>

// One line of a message log: "PRN yy mm dd hh nn ss type HEX" and CR LF, the date being the
// message's GPS time read as a calendar time.
std::string FormatLogRecord(int prn, int type, double week, double seconds, const std::string &text);

// The PRN a record carries for the text of the main window's GEO PRN box: the number with
// its fraction dropped, 0 for a text that is not a number (or not an int32), so a bad box
// costs the record its PRN rather than the message its processing.
int LogRecordPrn(const std::string &geoPrnText);

// An expanded message as it is logged: the third character from its end (the first of the
// server's trailer on a full message) taken out. Texts of fewer than three are unchanged.
std::string LoggedMessageText(const std::string &expanded);

struct LogRecord {
    int prn = 0;
    CivilTime time;  // years 80-99 are 1980-1999, the others 2000-2079
    int type = 0;
    std::string hex; // 64 hexadecimal digits
};

// Accepts LF or CR LF line ends; anything malformed gives no record.
std::optional<LogRecord> ParseLogRecord(const std::string &line);
