#include "mainfrm.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// An error that escapes an event handler is reported, and the program goes on.
class Application final : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &e) {
            QMessageBox::critical(activeWindow(), applicationName(), QString::fromLocal8Bit(e.what()));
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    Application::setApplicationName("VELMAR User Application 3.2");
    QtUiSeam ui;
    SystemClock clock;
    TMainFrm mainFrm(ui, clock);
    mainFrm.show();
    return app.exec();
}
