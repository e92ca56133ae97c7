#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

class QDialog;
class QUrl;
class QMessageBox;
class QWidget;

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
    // Hands a document or web page to the desktop's viewer; a missing file or viewer is not reported.
    // Does nothing unless overridden, so stand-ins that never open documents need not say so.
    virtual void OpenDocument(const QUrl &) {}
};

class QtUiSeam final : public UiSeam {
public:
    ~QtUiSeam() override;
    int Exec(QDialog &dialog) override;
    void MessageBox(QWidget *parent, const QString &text) override;
    void ErrorReport(QWidget *parent, const QString &text) override;
    QString SaveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                         const QString &defaultSuffix) override;
    void OpenDocument(const QUrl &url) override;

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
};
