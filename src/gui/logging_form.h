#pragma once

#include <QWidget>

#include "link/message_catalogue.h"

#include <functional>

class Clock;
class MessageLog;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class UiSeam;

// "Disk Logging": the user's choice of log file, overwrite or append, and message types, and
// the button that starts and stops the recording, all handed to the message log. Logging
// starts only while the data server is connected.
class TFrmLogging final : public QWidget {
    Q_OBJECT
public:
    // The message types that have a check box of their own; the others follow "All" only.
    static constexpr auto kBoxedTypes = kLogBoxTypes;

    TFrmLogging(MessageLog &log, std::function<bool()> connected, UiSeam &ui, const Clock &clock,
                QWidget *parent = nullptr);

    void StartStopButtonClick();
    void SpeedButton1Click();
    void AppendRadioButtonClick();
    void CheckBoxAllClick();
    void CheckBoxMTClick();
    void FormShow();
    void Button1Click() { hide(); }
    // Stops logging after a record could not be written, saying why in the memo. Returns the
    // line, for the main window's log.
    QString StopAfterWriteFailure(const QString &reason);

Q_SIGNALS:
    // Logging has stopped, by the user or after a failed write.
    void Stopped();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *BuildTypesPage();
    QWidget *BuildFilePage();
    void AppendToMemo(const QString &text);
    void SetFileControlsEnabled(bool on);
    void StopLogging(const QString &memoLine);
    void ApplyTypeBoxes();
    QString NowText() const;

    MessageLog &log_;
    std::function<bool()> connected_;
    UiSeam &ui_;
    const Clock &clock_;

    QTabWidget *PageControl1 = nullptr;
    QWidget *Logging = nullptr;
    QCheckBox *CheckBoxAll = nullptr;
    QLineEdit *FileNameEdit = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QRadioButton *OverWriteRadioButton = nullptr;
    QRadioButton *AppendRadioButton = nullptr;
    QPlainTextEdit *LoggingMemo = nullptr;
    QPushButton *StartStopButton = nullptr;
};
