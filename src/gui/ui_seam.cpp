#include "ui_seam.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

QtUiSeam::~QtUiSeam()
{
    delete errorBox_.data();
}

int QtUiSeam::Exec(QDialog &dialog)
{
    return dialog.exec();
}

void QtUiSeam::MessageBox(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QApplication::applicationName(), text);
}

void QtUiSeam::ErrorReport(QWidget *parent, const QString &text)
{
    ++errorCount_;
    errors_ << text;
    if (errors_.size() > kErrorsListed)
        errors_.removeFirst();
    if (!errorBox_) {
        errorBox_ = new QMessageBox(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
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

void QtUiSeam::OpenDocument(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}
