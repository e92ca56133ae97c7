#include "mainfrm.h"

#include "caption_label.h"
#include "message_captions.h"
#include "message_line.h"
#include "message_window.h"
#include "paint_pacer.h"

#include "data_server_socket.h"
#include "log_window.h"
#include "server_link.h"
#include "sis_mode_form.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cstring>

const char *const kAppCaption = " VELMAR User Application  v3.2.3";

namespace {

QLineEdit *ReadOnlyEdit(QWidget *parent, const QString &name, const QString &label)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setAccessibleName(label);
    return edit;
}

template <typename T>
std::unique_ptr<T> ZeroFilled()
{
    auto block = std::make_unique<T>();
    std::memset(block.get(), 0, sizeof(T));
    return block;
}

} // namespace

TMainFrm::TMainFrm(UiSeam &ui, const Clock &clock, QWidget *parent)
    : QMainWindow(parent), ui_(ui), clock_(clock)
{
    setObjectName("MainFrm");
    setWindowTitle(kAppCaption);
    BuildDisplay();
    BuildLink();
    BuildTimers();

    FrmSISMode = new TFrmSISMode(clock_, [this] { return IsConnected(); }, this);
    // A flood of messages repaints these windows some 30 times a second, not after each one.
    auto *pacer = new PaintPacer(*this);
    pacer->PaceLayoutOf(*centralWidget());
    new PaintPacer(*FrmSISMode);
    sisMonitor_ = std::make_unique<TSISModeThread>(*FrmSISMode, clock_);

    prnMaskBuffer_ = ZeroFilled<PRNMaskBuffer>();
    igpBuffer_ = ZeroFilled<IGPBuffer>();
    serviceMsgBuffer_ = ZeroFilled<ServiceMsgBuffer>();
    // Workers are handed their windows, so the windows come first.
    BuildMessageWindows();
    BuildWorkers();
    BuildViewCommands();
    BuildLogging();

    Config.FileName = (QDir::currentPath() + QDir::separator() + "userapp.cfg").toStdString();
}

TMainFrm::~TMainFrm() = default;

void TMainFrm::BuildLink()
{
    logWindow_ = std::make_unique<LogWindow>(*LogWin, clock_);
    link_ = new ServerLink(lamps_, *logWindow_, this);
    DataServerSocket *C = &link_->Socket();
    connect(C, &DataServerSocket::Connected, this, &TMainFrm::CConnect);
    connect(C, &DataServerSocket::ReadyRead, this, &TMainFrm::CRead);
    connect(C, &DataServerSocket::Disconnected, this, &TMainFrm::CDisconnect);
    connect(C, &DataServerSocket::Error, this, &TMainFrm::CError);
    connect(&link_->PollTimer(), &QTimer::timeout, this, &TMainFrm::TimerMSGTimer);
    connect(&link_->ReceiveTimer(), &QTimer::timeout, this, &TMainFrm::TimerRxTimer);
    connect(&link_->ReconnectTimer(), &QTimer::timeout, this, &TMainFrm::TimerReconTimer);
    connect(link_, &ServerLink::StateEntered, this, &TMainFrm::ShowLinkState);
    connect(link_, &ServerLink::LinesWaiting, this, &TMainFrm::HandleWaitingLines);
    connect(link_, &ServerLink::RequestPhaseDone, this, [this] {
        if (SisMonitoring)
            sisMonitor_->Evaluate();
    });
}

void TMainFrm::BuildTimers()
{
    auto timer = [this](const char *name, int interval, bool enabled) {
        auto *t = new QTimer(this);
        t->setObjectName(name);
        t->setInterval(interval);
        if (enabled)
            t->start();
        return t;
    };
    SISChecker = timer("SISChecker", 60000, false);
    DisconnChecker = timer("DisconnChecker", 720000, false);
    TimerQI = timer("TimerQI", 1500, true);
    Timer1sec = timer("Timer1sec", 1000, true);
    connect(SISChecker, &QTimer::timeout, this, &TMainFrm::SISCheckerTimer);
    connect(DisconnChecker, &QTimer::timeout, this, &TMainFrm::DisconnCheckerTimer);
    connect(TimerQI, &QTimer::timeout, this, &TMainFrm::TimerQITimer);
    connect(Timer1sec, &QTimer::timeout, this, &TMainFrm::Timer1secTimer);
}

void TMainFrm::BuildDisplay()
{
    BuildMenus();

    auto *central = new QWidget(this);
    auto *grid = new QGridLayout(central);

    auto *banner = new QLabel("VELMAR  ·  ORVAN", central);
    banner->setObjectName("Banner");
    banner->setAlignment(Qt::AlignCenter);
    banner->setStyleSheet("background:#0b3d6b;color:white;font-size:18pt;font-weight:bold;padding:8px");
    grid->addWidget(banner, 0, 0, 1, 4);

    grid->addWidget(new QLabel("ORVAN Message:", central), 1, 0);
    Msg = new MessageLine(central);
    Msg->setObjectName("Msg");
    Msg->setAccessibleName("ORVAN Message:");
    Msg->setMinimumWidth(560);
    TMessageWindow::LayOutWithoutShaping(*Msg);
    Msg->setStyleSheet("background:palette(base);color:palette(text)"); // see UpdateMsgColours
    grid->addWidget(Msg, 1, 1, 1, 3);

    Week = new CaptionLabel("GPS Week:", central);
    Week->setObjectName("Week");
    Time = new CaptionLabel("GPS Time:", central);
    Time->setObjectName("Time");
    MsgType = new CaptionLabel("Message Type:", central);
    MsgType->setObjectName("MsgType");
    grid->addWidget(Week, 2, 0);
    grid->addWidget(Time, 2, 1);
    grid->addWidget(MsgType, 2, 2);
    captions_ = new MessageCaptions(*this, *Msg, *Week, *Time, *MsgType);

    auto *geo = new QGroupBox("GEO", central);
    auto *geoGrid = new QGridLayout(geo);
    GEO_PRN = ReadOnlyEdit(geo, "GEO_PRN", "GEO PRN");
    GEO_Name = ReadOnlyEdit(geo, "GEO_Name", "GEO Name");
    SBAS_System = ReadOnlyEdit(geo, "SBAS_System", "SBAS System");
    geoGrid->addWidget(new QLabel("GEO PRN", geo), 0, 0);
    geoGrid->addWidget(new QLabel("GEO Name", geo), 0, 1);
    geoGrid->addWidget(new QLabel("SBAS System", geo), 0, 2);
    geoGrid->addWidget(GEO_PRN, 1, 0);
    geoGrid->addWidget(GEO_Name, 1, 1);
    geoGrid->addWidget(SBAS_System, 1, 2);
    grid->addWidget(geo, 3, 0, 1, 4);

    grid->addWidget(new QLabel("Log Window", central), 4, 0);
    LogWin = new QPlainTextEdit(central);
    LogWin->setObjectName("LogWin");
    LogWin->setReadOnly(true);
    LogWin->setAccessibleName("Log Window");
    LogWin->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LogWin->setMinimumHeight(220);
    grid->addWidget(LogWin, 5, 0, 1, 3);

    auto *sidePanel = new QWidget(central);
    sidePanel->setFixedWidth(200);
    auto *side = new QVBoxLayout(sidePanel);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(lamps_.Add("Send", "Request", Qt::yellow));
    side->addWidget(lamps_.Add("AckWait", "Waiting for data", QColor(255, 128, 0)));
    side->addWidget(lamps_.Add("AckRx", "Data Received", Qt::green));
    side->addWidget(lamps_.Add("DiskLogging", "Disk Logging", Qt::blue));
    side->addWidget(lamps_.Add("Error", "Error", Qt::red));
    AutoRec = new QCheckBox("Auto-Reconnect", central);
    AutoRec->setObjectName("AutoRec");
    AutoRec->setAccessibleName("Auto-Reconnect");
    side->addWidget(AutoRec);
    Connect = new QPushButton("Connect", central);
    Connect->setObjectName("Connect");
    // No fixed accessible name: screen readers then read the caption, which is the state
    // ("Connect", "Disconnect", "Auto").
    BtnClose = new QPushButton("Close", central);
    BtnClose->setObjectName("BtnClose");
    BtnClose->setAccessibleName("Close");
    connect(BtnClose, &QPushButton::clicked, this, &TMainFrm::BtnCloseClick);
    connect(Connect, &QPushButton::clicked, this, &TMainFrm::ConnectClick);
    // Any change of the check box counts, not only mouse clicks (keyboard, accessibility).
    connect(AutoRec, &QCheckBox::toggled, this, &TMainFrm::AutoRecClick);
    side->addWidget(Connect);
    side->addWidget(BtnClose);
    side->addStretch();
    grid->addWidget(sidePanel, 5, 3);

    setCentralWidget(central);
    // A permanent widget: a temporary message would be wiped by the first menu hint.
    auto *credit = new QLabel("VELMAR User Application - SBAS messages relayed over the Internet", this);
    credit->setObjectName("StatusCredit");
    statusBar()->addPermanentWidget(credit, 1);
    statusBar()->setSizeGripEnabled(false);
    // Fixed size: the layout decides it once.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

bool TMainFrm::IsConnected() const
{
    return link_->IsConnected();
}

bool TMainFrm::PollMode() const
{
    return link_->Protocol().PollMode();
}
