// Intake of message lines: captions, duplicates, expansion, validation and dispatch by type.
#include "mainfrm.h"

#include "link/message_text.h"
#include "link/reply_line.h"
#include "overview_form.h"
#include "prns_form.h"
#include "sis_mode_form.h"
#include "text/number_text.h"
#include "worker.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::size_t kMaxMessageText = 67; // 64 digits of the message and a 3-character trailer

double FloatField(const std::string &text)
{
    const auto value = ParseDouble(text);
    if (!value)
        throw std::invalid_argument("'" + text + "' is not a valid floating point value");
    return *value;
}

} // namespace

void TMainFrm::HandleMsgLine(const std::string &line)
{
    const MessageFields fields = SplitMessageLine(line);
    Week->setText("GPS Week: " + QString::fromStdString(fields.week));
    const double week = FloatField(fields.week);
    Time->setText("GPS Time: " + QString::fromStdString(fields.time));
    const double gpsSeconds = week * 604800 + FloatField(fields.time);
    const std::string timeCaption = Time->text().toStdString();
    SignalOverview &overview = FrmOverview->Model();

    if (protocol_.RequestCount() > SessionProtocol::kRequestCount && timeCaption == PrevGpsTime) {
        overview.NoteDuplicate();
        return;
    }
    if (fields.payload.empty())
        return;

    PARDO.Data = fields.payload;
    try {
        // Past the length limit the message is refused anyway: no need to expand the rest.
        PARDO.Decompress(kMaxMessageText);
    } catch (const std::exception &) {
        Log("PARDO Decompression Error.");
        Log(Time->text() + "  " + Week->text());
        Log("This message will be ignored");
        LogTimeStamp();
        overview.NoteRejected(RejectKind::Pardo);
        return;
    }
    const std::string text = PARDO.Data;
    Msg->setText(QString::fromStdString(text));
    msgRejected_ = text.size() > kMaxMessageText;
    UpdateMsgColours();
    if (msgRejected_) {
        overview.NoteRejected(RejectKind::OverLong);
        return;
    }

    const auto received = MessageTypeOf(text);
    if (!received)
        throw std::invalid_argument("'0x" + text.substr(std::min<std::size_t>(2, text.size()), 2) +
                                    "' is not a valid integer value");
    int type = *received;
    if (LogActive)
        LogAcceptedMessage(fields.week, fields.time, type, text);
    sisMonitor_->State.MarkReceived(type);
    FrmSISMode->NoteType(type, true);
    // After the windows' handling, so that the grid values the overview reads are this message's.
    const auto noteOverview = [&] {
        overview.NoteMessage(gpsSeconds, text, protocol_.RequestCount() >= SessionProtocol::kRequestCount, sisMonitor_->CurrentMode());
    };
    if (type == 0) {
        if (IsEmptyMt0(text)) {
            noteOverview();
            return;
        }
        type = 2; // a type 0 with corrections is shown as the type 2 it carries
    }
    const ShownType shown = ShownType::Of(type);
    MsgType->setText(QString::fromStdString(shown.caption));
    FrmPRNs->ProcessMT1(text, shown);
    sisMonitor_->Evaluate();
    PrevGpsTime = timeCaption;
    DispatchMessage(type, text, shown);
    noteOverview();

    // Polls are re-armed by the line handling, for every answer alike.
    if (protocol_.RequestCount() == SessionProtocol::kRequestCount)
        sisMonitor_->Evaluate();
}

void TMainFrm::DispatchMessage(int type, const std::string &text, const ShownType &shown)
{
    const auto it = workers_.find(type);
    if (it == workers_.end())
        return;
    it->second->SetMessage(text, shown);
    it->second->Execute();
}
