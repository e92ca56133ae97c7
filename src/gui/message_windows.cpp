// The message windows and their workers, made once from the window table and reset on a stale
// connection.
#include "mainfrm.h"

#include "givei_map.h"
#include "grid_map_forms.h"
#include "grid_point_choice.h"
#include "overview_form.h"
#include "sis_mode_form.h"
#include "table_export.h"
#include "window_catalogue.h"

#include <cstring>

void TMainFrm::BuildMessageWindows()
{
    WindowParts parts{*prnMaskBuffer_, *igpBuffer_, *serviceMsgBuffer_, ui_, this,
                      [this]() -> std::optional<std::pair<QString, QString>> {
                          const GeoRow *geo = geoTable_.RowOfPort(serverPort_);
                          if (!geo)
                              return std::nullopt;
                          return std::make_pair(QString::fromStdString(geo->prn), QString::fromStdString(geo->name));
                      }};
    parts.messageLogPath = [this] { return messageLog_.FileName(); };
    for (const MessageWindowKind &kind : MessageWindowTable())
        messageWindows_.push_back(kind.makeWindow(parts));
    FrmPRNs = parts.prns;
    FrmOverview = parts.overview;
    for (TMessageWindow *window : messageWindows_) {
        if (auto *grid = qobject_cast<TFrmMT26 *>(window)) {
            ConnectGridPointChoice(*grid, *FrmOverview);
            AddGiveiPage(*grid, FrmOverview->Model().Watch(), *igpBuffer_);
        }
        InstallTableExports(*window, ui_);
    }
}

void TMainFrm::BuildWorkers()
{
    workers_.resize(messageWindows_.size());
    for (std::size_t row = 0; row < messageWindows_.size(); ++row)
        MakeWorker(row);
}

void TMainFrm::MakeWorker(std::size_t row)
{
    const MessageWindowKind &kind = MessageWindowTable()[row];
    if (!kind.makeWorker)
        return;
    workers_[row].reset(); // the old one goes before the new one touches the shared state
    WindowParts parts{*prnMaskBuffer_, *igpBuffer_, *serviceMsgBuffer_, ui_, this, {}, FrmPRNs, FrmOverview};
    workers_[row] = kind.makeWorker(parts, *messageWindows_[row]);
    for (int type = kind.firstType; type <= kind.lastType; ++type)
        workerOfType_[static_cast<std::size_t>(type)] = workers_[row].get();
}

void TMainFrm::ResetDecodedState()
{
    std::memset(prnMaskBuffer_.get(), 0, sizeof(PRNMaskBuffer));
    std::memset(igpBuffer_.get(), 0, sizeof(IGPBuffer));
    for (std::size_t row = 0; row < messageWindows_.size(); ++row)
        if (MessageWindowTable()[row].workerRenewed)
            MakeWorker(row);
    std::memset(serviceMsgBuffer_.get(), 0, sizeof(ServiceMsgBuffer));
    for (TMessageWindow *window : messageWindows_)
        window->Reset();
    FrmSISMode->ClearModeDisplay();
    FrmSISMode->ClearTypeTimes();
}
