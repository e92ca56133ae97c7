// The main window's side of the message log: the file, the per-type switches and the record
// of every accepted message.
#include "mainfrm.h"

#include "logging_form.h"
#include "output/log_file.h"
#include "output/log_record.h"
#include "text/number_text.h"
#include "time/clock.h"

#include <QLineEdit>
#include <QMenuBar>

void TMainFrm::BuildLogging()
{
    FrmLogging = new TFrmLogging(*this, ui_, clock_, this);
    QAction *item = menuBar()->addAction("Logging", this, &TMainFrm::LoggingClick);
    item->setObjectName("Logging");
    // Logging stands before Help on the menu bar, whichever was built first.
    if (QAction *help = findChild<QAction *>("Help1")) {
        menuBar()->removeAction(item);
        menuBar()->insertAction(help, item);
    }
}

void TMainFrm::LoggingClick()
{
    FrmLogging->show();
    FrmLogging->raise();
    FrmLogging->activateWindow();
}

void TMainFrm::SetLogTypeEnabled(int type, bool on)
{
    if (type >= 0 && type < static_cast<int>(LogTypeEnabled.size()))
        LogTypeEnabled[static_cast<std::size_t>(type)] = on;
}

bool TMainFrm::OpenLogFile()
{
    CloseLogFile(); // a second start must not leak the first descriptor
    LogFile = OpenMessageLog(OutputFileName, LogOverwrite);
    return LogFile >= 0;
}

void TMainFrm::CloseLogFile()
{
    CloseMessageLog(LogFile);
    LogFile = -1;
    // Logging has stopped, whichever half of its blink the lamp was in.
    HideLamp("DiskLogging");
}

void TMainFrm::WriteLogRecord(int32_t prn, int32_t type, const std::string &text, double week, double seconds)
{
    if (type < 0 || type >= static_cast<int32_t>(LogTypeEnabled.size()) ||
        !LogTypeEnabled[static_cast<std::size_t>(type)])
        return;
    // A record that cannot be written whole stops the recording: a log with a gap the user is
    // not told of would pass for a complete one.
    if (const auto failure = WriteMessageLog(LogFile, FormatLogRecord(prn, type, week, seconds, text)))
        FrmLogging->StopAfterWriteFailure(QString::fromStdString(*failure));
}
