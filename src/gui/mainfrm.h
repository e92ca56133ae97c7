#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "config/config_store.h"
#include "config/geo_table.h"
#include "lamps.h"
#include "link/message_intake.h"
#include "link/reply_line.h"
#include "output/message_log.h"
#include "sismode/sis_mode_monitor.h"
#include "state/shared_buffers.h"
#include "worker.h"

#include <QAbstractSocket>

#include <vector>

class Clock;
class LogWindow;
class MessageCaptions;
class MessageLine;
class ServerLink;
enum class LinkState;
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

    void ShowLamp(const char *lamp) { lamps_.Show(lamp); }
    void HideLamp(const char *lamp) { lamps_.Hide(lamp); }

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

    // The message log, which the logging window sets up and the intake writes to.
    void SetOutputFileName(const std::string &name) { messageLog_.SetFileName(name); }
    void SetLogActive(bool on) { messageLog_.SetActive(on); }
    void SetLogTypeEnabled(int type, bool on) { messageLog_.SetTypeEnabled(type, on); }
    bool OpenLogFile() { return messageLog_.Open(); }
    // One record, when logging of the type is enabled; written through before returning, or
    // within a batch of received lines, with the batch's others at its end.
    void WriteLogRecord(int32_t prn, int32_t type, const std::string &text, double week, double seconds);
    bool LogIsActive() const { return messageLog_.Active(); }
    TFrmLogging *LoggingForm() const { return FrmLogging; }
    void LoggingClick();

    const GeoTable &GeoTableRef() const { return geoTable_; }
    GeoTable &GeoTableRef() { return geoTable_; }
    TFrmSISMode *SisModeForm() const { return FrmSISMode; }
    TTextFrm *TextForm() const { return TextFrm; }
    TFrmOverview *OverviewForm() const { return FrmOverview; }
    TSISModeThread &SisMonitor() { return *sisMonitor_; }
    ServerLink &Link() { return *link_; }
    bool IsConnected() const;
    QString ServerAddress() const { return serverAddress_; }
    quint16 ServerPort() const { return serverPort_; }
    bool PollMode() const;

    PRNMaskBuffer &PrnMask() { return *prnMaskBuffer_; }
    IGPBuffer &Igp() { return *igpBuffer_; }
    ServiceMsgBuffer &ServiceMsgs() { return *serviceMsgBuffer_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildDisplay();
    void BuildTimers();
    void BuildLink();
    // Applies the configuration keys; the GEO rows only at start. Returns false when the user
    // must be warned: after a reading failure (the default address and port are then in use) or
    // a port out of range (port 7777 is then in use; the other keys are read).
    bool ApplyConfiguration(bool withGeoTable);
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

    void HandleWaitingLines();
    // Stops logging and says why, when writing the message log failed.
    void ReportLogFailure(const std::optional<std::string> &failure);
    bool HandleLine(ReplyKind kind, const std::string &line);
    void HandleAuthReply();
    void HandleTxtReply(const std::string &line);
    void ShowLinkState(LinkState now, LinkState before);
    void SetSessionControls(bool idle);
    void ResetDecodedState();
    void ShowGeoOfPort();
    void DispatchMessage(int type, const TMOPSMsg &message, const ShownType &shown);
    TTextFrm &EnsureTextFrm();
    void UpdateMsgColours();
    void BuildLogging();

    UiSeam &ui_;
    const Clock &clock_;

    // Components
    ServerLink *link_ = nullptr; // the socket C, the line pump and TimerMSG, TimerRx, TimerRecon
    TConfigStore Config;
    MessageIntake intake_; // the message line rules, the PARDO codec and the last dispatched time
    MessageLog messageLog_;
    QTimer *SISChecker = nullptr;
    QTimer *DisconnChecker = nullptr;
    QTimer *TimerQI = nullptr;
    QTimer *Timer1sec = nullptr;

    // Display
    MessageLine *Msg = nullptr;
    QLabel *Week = nullptr;
    QLabel *Time = nullptr;
    QLabel *MsgType = nullptr;
    MessageCaptions *captions_ = nullptr; // the texts of Msg, Week, Time and MsgType, written when painted
    QLineEdit *GEO_PRN = nullptr;
    QLineEdit *GEO_Name = nullptr;
    QLineEdit *SBAS_System = nullptr;
    QPlainTextEdit *LogWin = nullptr;
    std::unique_ptr<LogWindow> logWindow_; // its lines and their roll-over
    Lamps lamps_;
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

    // Private state
    std::string LastCheckedGpsTime;
    bool stallCheckOff_ = false; // NoSISMargin 0: no stalled-feed check
    std::string UserName;
    std::string Password;
    bool FirstConnection = true;
    bool InfoNaDeclared = false;
    int32_t BufferLength = 0;
    int32_t BufferPeriod = 0;
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

    bool shownOnce_ = false;
    bool msgRejected_ = false; // the last message was refused: yellow box
    bool msgStalled_ = false;  // the feed is stalled: red text
    bool shownRejected_ = false, shownStalled_ = false; // what the box shows now
};
