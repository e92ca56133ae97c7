#include "help_openers.h"

#include "install_paths.h"
#include "ui_seam.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <functional>

namespace {

// Says so when nothing took a document or web page; the window may be gone by the time an
// opener gives up.
std::function<void(bool)> SayWhenNotOpened(UiSeam &ui, QWidget *window, const QString &text)
{
    return [&ui, parent = QPointer<QWidget>(window), text](bool opened) {
        if (!opened && parent)
            ui.MessageBox(parent, text);
    };
}

} // namespace

void OpenHelpDocument(UiSeam &ui, QWidget *window, const QString &name)
{
    const QString path = Locate(name, Installed::Document);
    if (path.isEmpty()) {
        ui.MessageBox(window, "The help document \"" + name + "\" was not found. It was looked for here:\n" +
                                  Candidates(name, Installed::Document).join("\n"));
        return;
    }
    ui.OpenDocument(QUrl::fromLocalFile(path),
                    SayWhenNotOpened(ui, window,
                                     "No program could open the help document\n" + path +
                                         "\n\nInstall a PDF viewer and xdg-utils (xdg-open), or open the file by hand."));
}

void OpenWebPage(UiSeam &ui, QWidget *window, const QString &address)
{
    ui.OpenDocument(QUrl(address), SayWhenNotOpened(ui, window,
                                                    "No program could open " + address +
                                                        "\nInstall a web browser and xdg-utils (xdg-open), or open "
                                                        "the address by hand."));
}
