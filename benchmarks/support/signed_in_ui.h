#pragma once

#include "client_config.h"
#include "sign_in.h"
#include "ui_seam.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

// Answers the authorisation dialog with a fixed pair and keeps every other message silent.
class SignInUi final : public UiSeam {
public:
    int Exec(QDialog &dialog) override { return SignIn(dialog); }
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
