#include "ui_seam.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

const char *const kApplicationTitle = "VELMAR User Application 3.2";

QtUiSeam::~QtUiSeam()
{
    delete errorBox_.data();
    if (!openers_)
        return;
    // An opener still running waits for the viewer it started (xdg-open on a desktop without an
    // opener of its own does): ending it leaves the viewer open, and nobody is left to tell.
    for (auto *process : openers_->findChildren<QProcess *>()) {
        process->disconnect();
        process->kill();
        process->waitForFinished(1000);
    }
}

int QtUiSeam::Exec(QDialog &dialog)
{
    return dialog.exec();
}

void QtUiSeam::MessageBox(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, kApplicationTitle, text);
}

void QtUiSeam::ErrorReport(QWidget *parent, const QString &text)
{
    ++errorCount_;
    errors_ << text;
    if (errors_.size() > kErrorsListed)
        errors_.removeFirst();
    if (!errorBox_) {
        errorBox_ = new QMessageBox(QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok,
                                    parent ? parent->window() : nullptr);
        errorBox_->setObjectName("ErrorReport");
        errorBox_->setModal(false);
        listQueued_ = false;
    }
    errorBox_->setText(text);
    errorBox_->show();
    errorBox_->raise();
    // The list is rewritten once per turn of the event loop, not for each line of a flood.
    if (errorCount_ > 1 && !listQueued_) {
        listQueued_ = true;
        QTimer::singleShot(0, errorBox_, [this] { ListErrors(); });
    }
}

void QtUiSeam::ListErrors()
{
    listQueued_ = false;
    errorBox_->setInformativeText(
        QString("%1 errors so far; the latest %2 are listed under Show Details.").arg(errorCount_).arg(errors_.size()));
    QStringList numbered;
    const qint64 first = errorCount_ - errors_.size() + 1;
    for (qsizetype i = 0; i < errors_.size(); ++i)
        numbered << QString("%1: %2").arg(first + i).arg(errors_[i]);
    errorBox_->setDetailedText(numbered.join('\n'));
}

QString QtUiSeam::SaveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                               const QString &defaultSuffix)
{
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setObjectName("SaveDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void QtUiSeam::OpenDocument(const QUrl &url, std::function<void(bool opened)> done)
{
    // xdg-open's exit status says whether a program took the file; Qt's own opener only says
    // whether it could start xdg-open. Without xdg-open, Qt's opener (a desktop portal, gio) is
    // the last resort.
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty()) {
        done(QDesktopServices::openUrl(url));
        return;
    }
    if (!openers_)
        openers_ = std::make_unique<QObject>();
    auto *process = new QProcess(openers_.get());
    process->setProcessChannelMode(QProcess::ForwardedChannels); // its complaints reach our standard error
    QElapsedTimer running;
    running.start();
    const int grace = openerGraceMs_;
    QObject::connect(process, &QProcess::finished, process,
                     [process, done, running, grace](int code, QProcess::ExitStatus status) {
                         const bool failed = status != QProcess::NormalExit || code != 0;
                         done(!failed || running.elapsed() >= grace);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash also ends in finished()
        done(false);
        process->deleteLater();
    });
    process->start(opener, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
}
