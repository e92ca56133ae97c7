// Intake of message lines: the core intake decides; here its outcome reaches the captions, the
// log window, the message log, the broadcast status, the windows and the overview.
#include "mainfrm.h"

#include "message_captions.h"
#include "overview_form.h"
#include "prns_form.h"
#include "server_link.h"
#include "sis_mode_form.h"
#include "worker.h"

#include <QLabel>
#include <QLineEdit>

#include <stdexcept>

namespace {

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

void TMainFrm::HandleMsgLine(const std::string &line)
{
    IntakeSession session;
    session.requestCount = link_->Protocol().RequestCount();
    session.logging = messageLog_.Active();
    if (session.logging)
        session.geoPrn = GEO_PRN->text().toStdString();
    const IntakeOutcome &out = intake_.Take(line, session);

    captions_->SetWeek(Q(out.weekCaption));
    if (!out.timeCaption.empty())
        captions_->SetTime(Q(out.timeCaption));
    SignalOverview &overview = FrmOverview->Model();
    switch (out.refusal) {
    case IntakeRefusal::Repeat:
        overview.NoteDuplicate();
        return;
    case IntakeRefusal::NoPayload:
        return;
    case IntakeRefusal::Pardo:
        for (const std::string &logLine : out.log)
            Log(Q(logLine));
        LogTimeStamp();
        overview.NoteRejected(RejectKind::Pardo);
        return;
    case IntakeRefusal::OverLong:
    case IntakeRefusal::None:
        break;
    }
    if (out.text) {
        captions_->SetMessage(Q(*out.text));
        msgRejected_ = out.overLong;
        UpdateMsgColours();
    }
    if (out.overLong) {
        overview.NoteRejected(RejectKind::OverLong);
        return;
    }
    if (!out.error.empty())
        throw std::invalid_argument(out.error); // reported by the line handling; captions stay

    if (out.record)
        WriteLogRecord(out.record->prn, out.record->type, out.record->text, out.record->week, out.record->seconds);
    sisMonitor_->State.MarkReceived(out.type);
    FrmSISMode->NoteType(out.type, true);
    if (out.shown) {
        captions_->SetType(Q(out.shown->caption));
        FrmPRNs->ProcessMT1(*out.message, *out.shown);
        sisMonitor_->Evaluate();
        intake_.NoteDispatched();
        DispatchMessage(out.shownType, *out.message, *out.shown);
    }
    // The watch logs its events for the GEO of the connection; compared without a copy, as it
    // changes only with a connection.
    const QString geo = GEO_PRN->text();
    if (geo != QLatin1String(overview.Watch().Geo().data(), static_cast<qsizetype>(overview.Watch().Geo().size())))
        overview.Watch().SetGeo(geo.toStdString());
    // After the windows' handling, so that the grid values the overview reads are this message's.
    overview.NoteMessage(out.gpsSeconds, *out.message, out.shownType, out.live, sisMonitor_->CurrentMode());
    if (out.secondTick)
        sisMonitor_->Evaluate();
}

void TMainFrm::DispatchMessage(int type, const TMOPSMsg &message, const ShownType &shown)
{
    TWorker *worker = workerOfType_[static_cast<std::size_t>(type)];
    if (!worker)
        return;
    worker->Take(message, shown); // the bytes the intake made, not the text again
    worker->Execute();
}
