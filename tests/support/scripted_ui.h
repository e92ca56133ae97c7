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
    // The save-file dialog: records its filter and default suffix, answers "" (cancel) by default.
    std::function<QString()> onSaveFile = [] { return QString(); };
    QStringList saveDialogs;   // "filter|suffix" of each save dialog shown
    QList<QUrl> opened;        // documents and web pages handed to the desktop
    bool openerTakesThem = true; // what the desktop's opener answers

    int Exec(QDialog &dialog) override
    {
        dialogs << dialog.objectName();
        return onDialog(dialog);
    }
    void MessageBox(QWidget *, const QString &text) override { messages << text; }
    void ErrorReport(QWidget *, const QString &text) override { errorReports << text; }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &filter,
                         const QString &suffix) override
    {
        saveDialogs << filter + "|" + suffix;
        return onSaveFile();
    }
    void OpenDocument(const QUrl &url, std::function<void(bool)> done) override
    {
        opened << url;
        done(openerTakesThem);
    }
};
