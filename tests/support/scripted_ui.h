#pragma once

#include "ui_seam.h"

#include <QDialog>
#include <QStringList>
#include <QUrl>

#include <functional>

// Stands in for the user in front of modal dialogs: records what was shown and answers
// with a script (by default every dialog is closed with Cancel).
class ScriptedUi final : public UiSeam {
public:
    std::function<int(QDialog &)> onDialog = [](QDialog &) { return int(QDialog::Rejected); };
    QStringList dialogs;       // object names of the dialogs shown, in order
    QStringList messages;      // texts of the message boxes
    QStringList errorReports;  // texts of the error reports
    QList<QUrl> opened;        // documents and web pages handed to the desktop

    int Exec(QDialog &dialog) override
    {
        dialogs << dialog.objectName();
        return onDialog(dialog);
    }
    void MessageBox(QWidget *, const QString &text) override { messages << text; }
    void ErrorReport(QWidget *, const QString &text) override { errorReports << text; }
    void OpenDocument(const QUrl &url) override { opened << url; }
};
