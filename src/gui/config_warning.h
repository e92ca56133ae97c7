#pragma once

#include <QDialog>

class QLabel;

// Warns that the configuration could not be read or written.
class TConfigWarning final : public QDialog {
    Q_OBJECT
public:
    explicit TConfigWarning(QWidget *parent = nullptr);
    void SetText(const QString &text);
    QString Text() const;

    static const QString kWriteFailure;

private:
    QLabel *WarnLbl;
};
