#pragma once

#include <QWidget>

#include "link/message_catalogue.h"

class Clock;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class TMainFrm;
class UiSeam;

// "Disk Logging": the user's choice of log file, overwrite or append, and message types, and
// the button that starts and stops the recording. The file itself belongs to the main window.
class TFrmLogging final : public QWidget {
    Q_OBJECT
public:
    // The message types that have a check box of their own; the others follow "All" only.
    static constexpr auto kBoxedTypes = kLogBoxTypes;

    TFrmLogging(TMainFrm &main, UiSeam &ui, const Clock &clock, QWidget *parent = nullptr);

    void StartStopButtonClick();
    void SpeedButton1Click();
    void AppendRadioButtonClick();
    void CheckBoxAllClick();
    void CheckBoxMTClick();
    void FormShow();
    void Button1Click() { hide(); }
    // Stops logging after a record could not be written, saying why in the memo and the log window.
    void StopAfterWriteFailure(const QString &reason);

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

    TMainFrm &main_;
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
