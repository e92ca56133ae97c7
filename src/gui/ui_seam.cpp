#include "ui_seam.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>
#include <QUrl>

QtUiSeam::~QtUiSeam()
{
    delete errorBox_;
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
    if (!errorBox_) {
        errorBox_ = new QMessageBox(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok);
        errorBox_->setObjectName("ErrorReport");
        errorBox_->setModal(false);
    }
    Q_UNUSED(parent);
    errorBox_->setText(text);
    errorBox_->show();
    errorBox_->raise();
}

void QtUiSeam::OpenDocument(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}
