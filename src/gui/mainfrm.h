#pragma once

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "config/config_store.h"
#include "config/geo_table.h"
#include "link/message_intake.h"
#include "link/reply_line.h"
#include "link/session_protocol.h"
#include "sismode/sis_mode_monitor.h"
#include "state/shared_buffers.h"
#include "worker.h"

#include <QAbstractSocket>

#include <vector>

class Clock;
class DataServerSocket;
class MessageCaptions;
class TFrmLogging;
class TFrmConf;
class TFrmPRNs;
class TFrmSISMode;
class TFrmOverview;
class TMessageWindow;
class TTextFrm;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolBar;
class QToolButton;
class UiSeam;

extern const char *const kAppCaption;

// The application: owns the connection, the decoded state, every window and the status display.
class TMainFrm final : public QMainWindow {
    Q_OBJECT
public:
    TMainFrm(UiSeam &ui, const Clock &clock, QWidget *parent = nullptr);
    ~TMainFrm() override;

    // Reads userapp.cfg and applies it; runs when the window is first shown.
    void FormShow();
    void BtnCloseClick();
    void Close1Click() { BtnCloseClick(); }

    // Appends whole lines to the log window.
    void Log(const QString &line);
    void LogTimeStamp();

    void ShowLamp(const char *lamp);
    void HideLamp(const char *lamp);

    // Session: the Connect button, the socket events and the request cycle.
    void ConnectClick();
    void AuthorisationData1Click();
    void CConnect();
    void CRead();
    void CDisconnect();
    void CError(QAbstractSocket::SocketError error);
    void TimerMSGTimer();

    // Intake of one message line ("*MSG,week,time,payload").
    void HandleMsgLine(const std::string &line);

    // Supervision timers.
    void TimerReconTimer();
    void AutoRecClick();
    void SISCheckerTimer();
    void DisconnCheckerTimer();
    void TimerQITimer();
    void Timer1secTimer();
    void TimerRxTimer();

    void ReceivedText1Click();
    // Settings and help commands.
    void MnuSettingsClick();
    void UASUserManual1Click();
    void VelmarUASDisclaimer1Click();
    void Velmaronline1Click();
    void KnowmoreonORVAN1Click();
    void AboutVelmarUAS1Click();
    TFrmConf *SettingsDialog() const { return FrmConf; }
    void QUILSISBroadcastStatus1Click();

    // Message log: the logging window sets the file and the switches; the intake writes.
    void SetOutputFileName(const std::string &name) { OutputFileName = name; }
    const std::string &MessageLogPath() const { return OutputFileName; }
    void SetLogActive(bool on) { LogActive = on; }
    void SetLogOverwrite(bool on) { LogOverwrite = on; }
    void SetLogTypeEnabled(int type, bool on);
    bool OpenLogFile();
    void CloseLogFile();
    // One record, when logging of the type is enabled; written through before returning.
    void WriteLogRecord(int32_t prn, int32_t type, const std::string &text, double week, double seconds);
    bool LogIsActive() const { return LogActive; }
    TFrmLogging *LoggingForm() const { return FrmLogging; }
    void LoggingClick();

    const GeoTable &GeoTableRef() const { return geoTable_; }
    GeoTable &GeoTableRef() { return geoTable_; }
    TFrmSISMode *SisModeForm() const { return FrmSISMode; }
    TTextFrm *TextForm() const { return TextFrm; }
    TFrmOverview *OverviewForm() const { return FrmOverview; }
    TSISModeThread &SisMonitor() { return *sisMonitor_; }
    bool IsConnected() const;
    QString ServerAddress() const { return serverAddress_; }
    quint16 ServerPort() const { return serverPort_; }
    bool PollMode() const { return protocol_.PollMode(); }
    // The received text: whether a batch of its lines waits for its turn, and the bytes held
    // for lines not yet handled.
    bool LinesQueued() const { return moreLinesQueued_; }
    std::size_t ReceivedTextHeld() const { return PendingText.Held(); }

    PRNMaskBuffer &PrnMask() { return *prnMaskBuffer_; }
    IGPBuffer &Igp() { return *igpBuffer_; }
    ServiceMsgBuffer &ServiceMsgs() { return *serviceMsgBuffer_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildDisplay();
    void BuildTimers();
    QWidget *BuildLamp(const QString &name, const QString &caption, const QColor &onColour);
    // Applies the configuration keys; the GEO rows only at start. Returns false when the user
    // must be warned: after a reading failure (the default address and port are then in use) or
    // a port out of range (port 7777 is then in use; the other keys are read).
    bool ApplyConfiguration(bool withGeoTable);
    void LogWinChange();
    QString NowText() const;
    void BuildMenus();
    void BuildMessageWindows();
    void BuildWorkers();
    void AddWindowCommand(QMenu *view, const char *item, const char *button, const QString &hint,
                          const QString &glyph, QWidget *window);
    void MakeWorker(std::size_t row);
    void BuildViewCommands();
    void BuildSettingsCommand(QMenu *options);
    void BuildHelpMenu();
    // ApplyConfiguration with the load warning and the fall-back to 127.0.0.1:7777.
    void ApplyConfigurationOrWarn(bool withGeoTable);

    void Send(const std::string &text);
    void HandleWaitingLines();
    bool TakeReceivedText();
    bool ReconnectionAllowed() const;
    bool HandleLine(const std::string &line);
    void QueueMoreLines();
    void Apply(const SessionStep &step);
    void HandleAuthReply();
    void HandleTxtReply(const std::string &line);
    void SetSessionControls(bool idle);
    void ShowDisconnected(const QString &logLine);
    void ResetDecodedState();
    void ShowGeoOfPort();
    void DispatchMessage(int type, const std::string &text, const ShownType &shown);
    TTextFrm &EnsureTextFrm();
    void UpdateMsgColours();
    void BuildLogging();

    UiSeam &ui_;
    const Clock &clock_;

    // Components
    DataServerSocket *C = nullptr;
    TConfigStore Config;
    MessageIntake intake_; // the message line rules, the PARDO codec and the last dispatched time
    QTimer *TimerMSG = nullptr;
    QTimer *TimerRx = nullptr;
    QTimer *TimerRecon = nullptr;
    QTimer *SISChecker = nullptr;
    QTimer *DisconnChecker = nullptr;
    QTimer *TimerQI = nullptr;
    QTimer *Timer1sec = nullptr;

    // Display
    QLineEdit *Msg = nullptr;
    QLabel *Week = nullptr;
    QLabel *Time = nullptr;
    QLabel *MsgType = nullptr;
    MessageCaptions *captions_ = nullptr; // the texts of Msg, Week, Time and MsgType, written when painted
    QLineEdit *GEO_PRN = nullptr;
    QLineEdit *GEO_Name = nullptr;
    QLineEdit *SBAS_System = nullptr;
    QPlainTextEdit *LogWin = nullptr;
    QCheckBox *AutoRec = nullptr;
    QPushButton *Connect = nullptr;
    QPushButton *BtnClose = nullptr;
    QToolBar *toolBar_ = nullptr;
    QAction *optionsMenu_ = nullptr;
    QAction *authorisationButton_ = nullptr;
    QAction *sisStatusItem_ = nullptr;
    QMenu *viewMenu_ = nullptr;
    QToolButton *TbQUIL = nullptr;
    QAction *tbQuilAction_ = nullptr;

    QString serverAddress_ = "127.0.0.1"; // the socket's address and port
    quint16 serverPort_ = 7777;
    GeoTable geoTable_;                  // the settings' table of GEOs by server port
    QStringList logLines_;               // what the log window holds, for the roll-over file
    double lastRollOverFile_ = -1;       // clock time of the last roll-over file written, -1 for none
    int rollOverLinesNotWritten_ = 0;    // lines of roll-overs since then that were not written

    // Private state
    std::string LastCheckedGpsTime;
    bool stallCheckOff_ = false; // NoSISMargin 0: no stalled-feed check
    int32_t ReconnectCount = 0;
    std::string UserName;
    std::string Password;
    bool FirstConnection = true;
    bool InfoNaDeclared = false;
    int32_t BufferLength = 0;
    int32_t BufferPeriod = 0;
    std::string OutputFileName;
    int LogFile = -1;
    bool LogOverwrite = false;
    bool LogActive = false;
    std::array<bool, 64> LogTypeEnabled{};
    QLabel *LampOn(const char *lamp) const;
    std::vector<std::pair<std::string, QLabel *>> lamps_; // each lamp's name and its "on" picture
    LineFramer PendingText;
    bool moreLinesQueued_ = false; // a batch of waiting lines is due from the event loop
    SessionProtocol protocol_; // the request phase, the stream start, polling and the stop
    bool SisMonitoring = false;
    std::unique_ptr<PRNMaskBuffer> prnMaskBuffer_;
    std::unique_ptr<IGPBuffer> igpBuffer_;
    std::unique_ptr<ServiceMsgBuffer> serviceMsgBuffer_;

    std::unique_ptr<TSISModeThread> sisMonitor_;
    TFrmSISMode *FrmSISMode = nullptr;
    TTextFrm *TextFrm = nullptr;
    TFrmLogging *FrmLogging = nullptr;
    TFrmConf *FrmConf = nullptr; // the latest settings dialog
    // Message windows and their workers, by the rows of the window table.
    std::vector<TMessageWindow *> messageWindows_;
    std::vector<std::unique_ptr<TWorker>> workers_;
    std::array<TWorker *, 64> workerOfType_{}; // by the message type they are handed
    TFrmPRNs *FrmPRNs = nullptr;         // the type 1 window, which the intake hands its messages
    TFrmOverview *FrmOverview = nullptr;

    // Lines handled before the event loop gets its turn again, so a flood never freezes input
    // and painting: at most this many, or for at most this long.
    static constexpr int kLinesPerBatch = 200;
    static constexpr int kBatchMilliseconds = 20;

    bool shownOnce_ = false;
    bool msgRejected_ = false; // the last message was refused: yellow box
    bool msgStalled_ = false;  // the feed is stalled: red text
    bool shownRejected_ = false, shownStalled_ = false; // what the box shows now

};
