#include "link/message_intake.h"

#include "link/message_text.h"
#include "link/reply_line.h"
#include "output/log_record.h"
#include "text/number_text.h"

#include <algorithm>
#include <exception>

namespace {

constexpr std::size_t kMaxMessageText = 67; // 64 digits of the message and a 3-character trailer
constexpr double kSecondsPerWeek = 604800;

std::string NotAFloat(const std::string &field)
{
    return "'" + ReportedField(field) + "' is not a valid floating point value";
}

} // namespace

std::string ReportedField(const std::string &field)
{
    std::string text;
    text.reserve(field.size());
    for (const char c : field) {
        if (c == '\0')
            text += "\\0";
        else
            text += c;
    }
    return text;
}

void IntakeOutcome::Clear()
{
    // Cleared, not freed: the next line writes into the same buffers.
    weekCaption.clear();
    timeCaption.clear();
    error.clear();
    refusal = IntakeRefusal::None;
    log.clear();
    text = nullptr;
    overLong = false;
    type = -1;
    record.reset();
    shown = nullptr;
    shownType = -1;
    noteOverview = false;
    gpsSeconds = 0;
    live = false;
    message = nullptr;
    secondTick = false;
}

MessageIntake::MessageIntake()
{
    for (int type = 0; type < catalogue::kTypeCount; ++type)
        shownTypes_[static_cast<std::size_t>(type)] = ShownType::Of(type);
}

const IntakeOutcome &MessageIntake::Refuse(std::string error)
{
    outcome_.error = std::move(error);
    return outcome_;
}

const IntakeOutcome &MessageIntake::Take(const std::string &line, const IntakeSession &session)
{
    IntakeOutcome &out = outcome_;
    out.Clear();
    const MessageFields fields = SplitMessageLine(line);
    out.weekCaption.append("GPS Week: ").append(fields.week);
    const auto week = ParseDouble(fields.week);
    if (!week)
        return Refuse(NotAFloat(fields.week));
    out.timeCaption.append("GPS Time: ").append(fields.time);
    const auto time = ParseDouble(fields.time);
    if (!time)
        return Refuse(NotAFloat(fields.time));

    // During the request phase answers come in any order and may share a time.
    if (session.requestCount > kRequestCount && out.timeCaption == previousTime_) {
        out.refusal = IntakeRefusal::Repeat;
        return out;
    }
    if (fields.payload.empty()) {
        out.refusal = IntakeRefusal::NoPayload;
        return out;
    }
    try {
        // Past the length limit the message is refused anyway: no need to expand the rest.
        pardo_.DecompressFrom(fields.payload, kMaxMessageText);
    } catch (const std::exception &) {
        out.refusal = IntakeRefusal::Pardo;
        out.log = {"PARDO Decompression Error.", out.timeCaption + "  " + out.weekCaption,
                   "This message will be ignored"};
        return out;
    }
    return Accept(pardo_.Data, *week, *time, session);
}

const IntakeOutcome &MessageIntake::TakeExpanded(const std::string &text, double week, double time,
                                                 const IntakeSession &session)
{
    outcome_.Clear();
    return Accept(text, week, time, session);
}

const IntakeOutcome &MessageIntake::Accept(const std::string &text, double week, double time,
                                           const IntakeSession &session)
{
    IntakeOutcome &out = outcome_;
    out.text = &text;
    if (text.size() > kMaxMessageText) {
        out.overLong = true;
        out.refusal = IntakeRefusal::OverLong;
        return out;
    }

    const auto type = MessageTypeOf(text);
    if (!type)
        return Refuse("'0x" + ReportedField(text.substr(std::min<std::size_t>(2, text.size()), 2)) +
                      "' is not a valid integer value");
    out.type = *type;
    if (session.logging)
        out.record = DueRecord{LogRecordPrn(session.geoPrn), *type, week, time, LoggedMessageText(text)};
    message_.SetMessage(text);
    out.message = &message_;
    out.noteOverview = true;
    out.gpsSeconds = week * kSecondsPerWeek + time;
    out.live = session.requestCount >= kRequestCount;

    int shown = *type;
    if (shown == 0) {
        if (IsEmptyMt0(message_.Bits()))
            return out; // seen by the broadcast status and the overview, and no further
        shown = 2;      // a type 0 with corrections is shown as the type 2 it carries
    }
    out.shownType = shown;
    out.shown = &shownTypes_[static_cast<std::size_t>(shown)];
    out.secondTick = session.requestCount == kRequestCount;
    return out;
}
