// The message windows and their workers, created once and reset on a stale connection.
#include "mainfrm.h"

#include "corrections_forms.h"
#include "fastcorr_form.h"
#include "geos_form.h"
#include "grid_map_forms.h"
#include "grid_workers.h"
#include "label_grid_form.h"
#include "mt02_05_worker.h"
#include "mt06_form.h"
#include "mt07_form.h"
#include "grid_point_choice.h"
#include "overview_form.h"
#include "table_export.h"
#include "prns_form.h"
#include "satellite_workers.h"
#include "sis_mode_form.h"
#include "standalone_workers.h"

#include <QLabel>
#include <QLineEdit>

#include <cstring>

void TMainFrm::BuildMessageWindows()
{
    FrmPRNs = new TFrmPRNs(*prnMaskBuffer_, this);
    FrmFastCorr = new TFrmFastCorr(this);
    FrmMT06 = new TFrmMT06(this);
    FrmMT07 = new TFrmMT07(this);
    FrmMT09 = new TFrmMT09(
        [this]() -> std::optional<std::pair<QString, QString>> {
            const int row = geoTable_.FindPort(std::to_string(serverPort_));
            if (row == 0)
                return std::nullopt;
            const GeoRow &geo = geoTable_.Row(row);
            return std::make_pair(QString::fromStdString(geo.prn), QString::fromStdString(geo.name));
        },
        this);
    FrmMT10 = new TFrmMT10(this);
    FrmMT12 = new TFrmMT12(this);
    FrmGEOs = new TFrmGEOs(this);
    FrmMT18 = new TFrmMT18(this);
    FrmMT24 = new TFrmMT24(this);
    FrmMT25 = new TFrmMT25(this);
    FrmMT26 = new TFrmMT26(this);
    FrmMT27 = new TFrmMT27(this);
    FrmMT28 = new TFrmMT28(this);
    messageWindows_ = {FrmPRNs, FrmFastCorr, FrmMT06, FrmMT07, FrmMT09, FrmMT10, FrmMT12,
                       FrmGEOs, FrmMT18,     FrmMT24, FrmMT25, FrmMT26, FrmMT27, FrmMT28};
    FrmOverview = new TFrmOverview(*prnMaskBuffer_, *igpBuffer_, this);
    messageWindows_.push_back(FrmOverview);
    ConnectGridPointChoice(*FrmMT26, *FrmOverview);
    for (TMessageWindow *window : messageWindows_)
        InstallTableExports(*window, ui_);
}

void TMainFrm::BuildWorkers()
{
    auto add = [this](std::unique_ptr<TWorker> worker, std::initializer_list<int> types) {
        for (const int type : types)
            workers_[type] = worker.get();
        ownedWorkers_.push_back(std::move(worker));
    };
    add(std::make_unique<TThread_MT2_5>(*FrmPRNs, *FrmFastCorr, ui_), {2, 3, 4, 5});
    add(std::make_unique<TMsgType06>(*FrmMT06, *prnMaskBuffer_), {6});
    add(std::make_unique<TMsgType07>(*FrmMT07, *prnMaskBuffer_), {7});
    add(std::make_unique<TMsgType09>(*FrmMT09), {9});
    add(std::make_unique<TMsgType10>(*FrmMT10), {10});
    add(std::make_unique<TMsgType12>(*FrmMT12), {12});
    add(std::make_unique<TMsgType17>(*FrmGEOs), {17});
    CreateMT18Worker();
    add(std::make_unique<TMsgType24>(*FrmMT24, *prnMaskBuffer_), {24});
    add(std::make_unique<TThreadMT25>(*FrmMT25, *prnMaskBuffer_, *FrmPRNs), {25});
    add(std::make_unique<TMsgType26>(*FrmMT26, *igpBuffer_), {26});
    add(std::make_unique<TMsgType27>(*FrmMT27, *serviceMsgBuffer_), {27});
    add(std::make_unique<TMsgType28>(*FrmMT28, *prnMaskBuffer_), {28});
}

void TMainFrm::CreateMT18Worker()
{
    mt18Worker_.reset();
    // Its decoder lays the grid's coordinates into the buffer.
    mt18Worker_ = std::make_unique<TMsgType18>(*FrmMT18, *igpBuffer_);
    workers_[18] = mt18Worker_.get();
}

void TMainFrm::ResetDecodedState()
{
    std::memset(prnMaskBuffer_.get(), 0, sizeof(PRNMaskBuffer));
    std::memset(igpBuffer_.get(), 0, sizeof(IGPBuffer));
    CreateMT18Worker();
    std::memset(serviceMsgBuffer_.get(), 0, sizeof(ServiceMsgBuffer));
    for (TMessageWindow *window : messageWindows_)
        window->Reset();
    FrmSISMode->ClearModeDisplay();
    FrmSISMode->ClearTypeTimes();
}
