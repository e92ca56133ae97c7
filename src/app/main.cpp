#include "install_paths.h"
#include "mainfrm.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <cstdio>

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
            QMessageBox::critical(activeWindow(), kApplicationTitle, QString::fromLocal8Bit(e.what()));
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    // The name names the program to the desktop (no spaces, no version); the desktop file name
    // lets a Wayland compositor tie the window to its menu entry. Captions and message boxes keep
    // the application's title.
    Application::setApplicationName("velmar-userapp");
    Application::setApplicationVersion(VELMAR_VERSION);
    Application::setDesktopFileName(VELMAR_APP_ID);

    QCommandLineParser parser;
    parser.setApplicationDescription("VELMAR User Application: shows the SBAS messages a Velmar Data Server relays.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption checkInstall(
        "check-install", "Start, print where the configuration, the Help documents and world.bmp are found, and exit: "
                         "0 when the documents and world.bmp were all found.");
    parser.addOption(checkInstall);
    parser.process(app);

    QtUiSeam ui;
    SystemClock clock;
    TMainFrm mainFrm(ui, clock);
    if (parser.isSet(checkInstall)) {
        QString report;
        const bool complete = ReportInstallation(report);
        std::fputs(report.toLocal8Bit().constData(), stdout);
        return complete ? 0 : 1;
    }
    mainFrm.show();
    return app.exec();
}
