#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QDialog;
class QUrl;
class QMessageBox;
class QObject;
class QWidget;

// The title of the application's message boxes.
extern const char *const kApplicationTitle;

// Every modal interaction goes through here, so tests can script what a user would do.
class UiSeam {
public:
    virtual ~UiSeam() = default;
    // Runs a modal dialog and returns its result (QDialog::Accepted or Rejected).
    virtual int Exec(QDialog &dialog) = 0;
    // A modal message box with an OK button.
    virtual void MessageBox(QWidget *parent, const QString &text) = 0;
    // The application's error report for a line whose handling failed. It must not block
    // the caller: it runs inside socket handling. The report belongs to parent's window.
    virtual void ErrorReport(QWidget *parent, const QString &text) = 0;
    // A modal save-file dialog; returns the chosen path, or "" when cancelled. `filter` is in
    // Qt's form ("KLT (*.klt)"); `defaultSuffix` is added to a name typed without one. Seams
    // that never show one (benchmarks, older test doubles) inherit the cancel.
    virtual QString SaveFileName(QWidget * /*parent*/, const QString & /*caption*/, const QString & /*dir*/,
                                 const QString & /*filter*/, const QString & /*defaultSuffix*/)
    {
        return {};
    }
    // Hands a document or web page to the desktop's opener. `done` learns whether a program took
    // it: false at once when there is no opener, or when the opener gives up, which may be a while
    // later. Does nothing unless overridden, so stand-ins that never open documents need not say so.
    virtual void OpenDocument(const QUrl &, std::function<void(bool opened)> /*done*/) {}
};

class QtUiSeam final : public UiSeam {
public:
    ~QtUiSeam() override;
    int Exec(QDialog &dialog) override;
    void MessageBox(QWidget *parent, const QString &text) override;
    void ErrorReport(QWidget *parent, const QString &text) override;
    QString SaveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                         const QString &defaultSuffix) override;
    void OpenDocument(const QUrl &url, std::function<void(bool opened)> done) override;
    // How long an opener that fails counts as not having found a program. xdg-open on a desktop
    // without an opener of its own waits for the viewer it started and fails when the viewer
    // ends badly: by then the document was open.
    void SetOpenerGrace(int milliseconds) { openerGraceMs_ = milliseconds; }

    // Errors whose texts the report lists, the latest last.
    static constexpr int kErrorsListed = 100;

private:
    void ListErrors();

    // One report on screen at a time, owned by the window it was raised for so that it never
    // outlives it nor keeps the program running after it is closed.
    QPointer<QMessageBox> errorBox_;
    QStringList errors_;        // the latest kErrorsListed texts
    qint64 errorCount_ = 0;     // errors reported in this run
    bool listQueued_ = false;   // the list is due to take in the errors reported since it last did
    std::unique_ptr<QObject> openers_; // the xdg-open runs not yet finished
    int openerGraceMs_ = 10000;
};
