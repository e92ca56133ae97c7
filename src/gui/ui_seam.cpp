#include "ui_seam.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
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
