// The main window's message intake on arbitrary lines: one offscreen window, every message
// window shown and the message log on, fed each input line as the session hands it over.
#include "mainfrm.h"
#include "support/fake_clock.h"
#include "support/scripted_ui.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

namespace {

struct Harness {
    int argc = 1;
    char name[16] = "fuzz_msg_line";
    char *argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    QTemporaryDir dir; // roll-over files of the log window land here
    ScriptedUi ui;
    FakeClock clock;
    std::unique_ptr<TMainFrm> frm;

    Harness()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        QDir::setCurrent(dir.path());
        frm = std::make_unique<TMainFrm>(ui, clock);
        frm->show();
        for (QWidget *w : QApplication::topLevelWidgets())
            w->show();
        // A log of its own: the log is locked while open, so a shared file would stop a
        // second fuzzing process from starting.
        frm->SetOutputFileName(dir.filePath("messages.log").toStdString());
        frm->SetLogOverwrite(true);
        frm->SetLogActive(true);
        ReopenLog();
    }
    void ReopenLog() // emptied, so that a long run does not fill the disk
    {
        if (!frm->OpenLogFile())
            std::abort();
    }
    int inputs = 0;
};

constexpr int kInputsPerLog = 1000;

Harness *harness = nullptr; // kept to the end: Qt is not torn down after exit

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    harness = new Harness;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    Harness &h = *harness;
    const std::string input(reinterpret_cast<const char *>(data), size);
    std::size_t begin = 0;
    while (begin <= input.size()) {
        std::size_t end = input.find('\n', begin);
        if (end == std::string::npos)
            end = input.size();
        try {
            h.frm->HandleMsgLine(input.substr(begin, end - begin));
        } catch (const std::exception &) {
            // reported by the session as an error for that line; the window goes on
        }
        h.clock.AdvanceSeconds(1);
        begin = end + 1;
    }
    QCoreApplication::processEvents();
    if (++h.inputs % kInputsPerLog == 0)
        h.ReopenLog();
    return 0;
}
