#pragma once

#include <QWidget>

class QPlainTextEdit;

// The text replies of the data server, one line each, kept for the whole run.
class TTextFrm final : public QWidget {
    Q_OBJECT
public:
    explicit TTextFrm(QWidget *parent = nullptr);
    void AddLine(const QString &line);
    QString Text() const;

private:
    QPlainTextEdit *Memo;
};
