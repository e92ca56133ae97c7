#pragma once

#include "codec/pardo.h"
#include "link/message_catalogue.h"
#include "link/shown_type.h"
#include "mops/mops_msg.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// What the intake needs of the session for one line.
struct IntakeSession {
    int requestCount = 0;   // answers counted since authorisation
    bool logging = false;   // the message log is on: an accepted message is due a record
    std::string geoPrn;     // the GEO PRN box, the record's PRN; read only while logging
};

// A message log record due for an accepted message.
struct DueRecord {
    int prn = 0;
    int type = 0;       // the message's own type: a type 0 is logged as 0
    double week = 0, seconds = 0;
    std::string text;   // the expanded text without the first character of the trailer
};

// Why a line went no further than the captions (or the text).
enum class IntakeRefusal { None, Repeat, NoPayload, Pardo, OverLong };

// What the main window does with one message line, in the order it does it: the week and time
// captions; a conversion error that ends the handling there; a refusal with its log lines; the
// expanded text and its colour; the message log record; the type for the broadcast status; the
// shown type (its caption, the type 1 window, a tick of the status monitor, the type's worker);
// the note to the signal overview; a second tick. A part not reached is empty.
//
// The strings and the message are the intake's own and stay valid until its next line: a
// message costs no allocation of its own once the first lines have sized them.
struct IntakeOutcome {
    std::string weekCaption;   // "GPS Week: " and the week field
    std::string timeCaption;   // "GPS Time: " and the time field; "" when the week was refused
    std::string error;         // the report of a field that is not a number; "" when none
    IntakeRefusal refusal = IntakeRefusal::None;
    std::vector<std::string> log; // lines for the log window, then a time-stamp block
    const std::string *text = nullptr; // the expanded text, shown; null before expansion
    bool overLong = false;     // the text is refused: it is shown on yellow
    int type = -1;             // the message's own type (bits 9 to 14), -1 before it is read
    std::optional<DueRecord> record;
    const ShownType *shown = nullptr; // null when the message is not handled (an empty type 0)
    int shownType = -1;        // the type it is shown and handled as
    bool noteOverview = false; // with the following three
    double gpsSeconds = 0;     // week * 604800 + time of week
    bool live = false;         // part of the stream, not an answer to the requests
    const TMOPSMsg *message = nullptr; // the message's bytes, built once for all its readers
    bool secondTick = false;   // the status monitor ticks once more after the overview

    void Clear();
};

// The intake of "*MSG" lines without a widget: splits the line, drops repeats, expands the
// PARDO payload, refuses an over-long text, reads the type, decides the record, the type 0 rule
// and the shown type. The main window applies the outcome.
class MessageIntake final {
public:
    MessageIntake();

    const IntakeOutcome &Take(const std::string &line, const IntakeSession &session);
    // The part of Take after the expansion, for a text already expanded: it must stay valid
    // while the outcome is read. The captions and the repeat rule are not applied.
    const IntakeOutcome &TakeExpanded(const std::string &text, double week, double time,
                                      const IntakeSession &session);
    // The shown message has passed the type 1 window and the monitor's tick: its time caption
    // is now the one a repeat is measured against. A failure before this point leaves it.
    void NoteDispatched() { previousTime_ = outcome_.timeCaption; }

private:
    const IntakeOutcome &Refuse(std::string error);
    const IntakeOutcome &Accept(const std::string &text, double week, double time, const IntakeSession &session);

    TPARDO pardo_;
    std::string previousTime_; // the time caption of the last message dispatched
    TMOPSMsg message_;
    std::array<ShownType, catalogue::kTypeCount> shownTypes_;
    IntakeOutcome outcome_;
};

// The text of a field inside an error report: a NUL byte is written "\0" rather than ending
// the report there.
std::string ReportedField(const std::string &field);
