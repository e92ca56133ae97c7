#pragma once

#include "auth_dlg.h"
#include "ui_seam.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>

#include <functional>

// Answers the authorisation dialog with a fixed pair and keeps every other message silent.
class SignInUi final : public UiSeam {
public:
    int Exec(QDialog &dialog) override
    {
        if (auto *auth = qobject_cast<TAuthDlg *>(&dialog)) {
            auth->Usr->setText("user");
            auth->Psw->setText("secret");
            auth->OKBtnClick();
        }
        return dialog.result();
    }
    void MessageBox(QWidget *, const QString &) override {}
    void ErrorReport(QWidget *, const QString &) override {}
};

// Runs the event loop until done() holds; false after ms milliseconds without.
inline bool WaitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// A userapp.cfg in the current directory for a subscription to 127.0.0.1 at port.
inline void WriteSubscriptionConfig(quint16 port)
{
    QFile cfg("userapp.cfg");
    cfg.open(QIODevice::WriteOnly);
    cfg.write("IPServer\r\n127.0.0.1\r\nPortServer\r\n" + QByteArray::number(port) +
              "\r\nNoSISMargin\r\n60\r\nBufLen\r\n15\r\nBufPer\r\n10\r\n"
              "ESPDir\r\n\r\nMessageRequestMethod\r\nSubscribe\r\nGEO1\r\n;;;;\r\nGEO2\r\n;;;;\r\nGEO3\r\n;;;;\r\n"
              "GEO4\r\n;;;;\r\nGEO5\r\n;;;;\r\nGEO6\r\n;;;;\r\n");
}
