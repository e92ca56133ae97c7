// Writes the user manual and the disclaimer as PDF files from their HTML sources, with
// screenshots of the application taken offscreen while it replays the demo recording, and the
// same pages as HTML with their pictures in OUTPUT-DIR/html for the installed documentation.
#include "mainfrm.h"
#include "about_box.h"
#include "client_config.h"
#include "codec/pardo.h"
#include "config_warning.h"
#include "frm_conf.h"
#include "paged_pdf.h"
#include "replay.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>
#include <vector>

namespace {

// Nobody answers dialogs while the screenshots are taken.
class SilentUi final : public UiSeam {
public:
    int Exec(QDialog &) override { return QDialog::Rejected; }
    void MessageBox(QWidget *, const QString &) override {}
    void ErrorReport(QWidget *, const QString &) override {}
    void OpenDocument(const QUrl &, std::function<void(bool)>) override {}
};

struct Shot {
    QString name, caption;
    QImage image;
};

QImage Grab(QWidget &w)
{
    w.show();
    QApplication::processEvents();
    QImage image = w.grab().toImage();
    w.hide();
    return image;
}

QString Read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "help-docs: cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    return QString::fromUtf8(f.readAll());
}

bool WritePdf(const QString &html, const std::vector<Shot> &shots, const QString &path, const QString &title)
{
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator("VELMAR User Application");
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    QTextDocument doc;
    for (const Shot &s : shots)
        doc.addResource(QTextDocument::ImageResource, QUrl(s.name), s.image);
    doc.setHtml(html);
    return PrintPaged(doc, writer) && QFile(path).size() > 0;
}

// One section per window the main window owns, so every window that exists appears.
QString WindowGallery(const std::vector<Shot> &shots)
{
    QString html;
    for (const Shot &s : shots) {
        if (!s.name.startsWith("window-"))
            continue;
        const int width = qMin(s.image.width(), 560);
        html += "<h3>" + s.caption.toHtmlEscaped() + "</h3><p><img src=\"" + s.name + "\" width=\"" +
                QString::number(width) + "\"></p>";
    }
    return html;
}

// The pages and their pictures as files, for a browser.
bool WriteHtml(const QString &manual, const QString &disclaimer, const std::vector<Shot> &shots, const QString &dir)
{
    QDir().mkpath(dir);
    for (const Shot &s : shots)
        if (!s.image.save(dir + "/" + s.name, "PNG"))
            return false;
    for (const auto &[name, html] : {std::pair{"user-manual.html", manual}, {"disclaimer.html", disclaimer}}) {
        QFile f(dir + "/" + name);
        if (!f.open(QIODevice::WriteOnly) || f.write(html.toUtf8()) < 0)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: help-docs MANUAL.html DISCLAIMER.html RECORDING OUTPUT-DIR\n");
        return 2;
    }
    const QString outDir = QDir(args[4]).absolutePath();
    QDir().mkpath(outDir);
    std::string error;
    const auto recording = Recording::Load(args[3].toStdString(), error);
    if (!recording) {
        std::fprintf(stderr, "help-docs: %s\n", error.c_str());
        return 1;
    }

    std::vector<Shot> shots;
    {
        QTemporaryDir cwd;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(cwd.path());
        ClientConfig{7777, "Subscribe", "126;ORVAN-1;ORVAN;7777;"}.Write();

        SilentUi ui;
        SystemClock clock;
        TMainFrm frm(ui, clock);
        frm.resize(1000, 720);
        frm.show();
        QApplication::processEvents();
        const int64_t count = std::min<int64_t>(int64_t(recording->Size()), 1500);
        for (int64_t i = 0; i < count; ++i) {
            const Recording::Stamped m = recording->At(i);
            TPARDO pardo;
            pardo.Data = m.message->hex + "000";
            pardo.Compress();
            frm.HandleMsgLine("*MSG," + std::to_string(m.week) + "," + QString::number(m.tow, 'f', 0).toStdString() +
                              "," + pardo.Data);
        }
        QApplication::processEvents();
        shots.push_back({"main-window.png", frm.windowTitle(), frm.grab().toImage()});

        int n = 0;
        for (QWidget *w : frm.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!w->isWindow() || qobject_cast<QMenu *>(w) || qobject_cast<QDialog *>(w))
                continue;
            shots.push_back({QString("window-%1.png").arg(++n, 2, 10, QChar('0')), w->windowTitle(), Grab(*w)});
        }
        TFrmConf settings(ui, &frm);
        settings.FormShow();
        shots.push_back({"settings.png", settings.windowTitle(), Grab(settings)});
        settings.PageControl->setCurrentIndex(3);
        shots.push_back({"settings-geo.png", settings.windowTitle(), Grab(settings)});
        TAboutBox about(&frm);
        shots.push_back({"about.png", about.windowTitle(), Grab(about)});
        frm.hide();
        QDir::setCurrent(previous);
    }

    // Screenshots taken by hand against the real recordings, kept beside the manual's source.
    const QDir docs = QFileInfo(args[1]).dir();
    for (const char *name : {"overview.png", "overview-plot.png", "signal-events.png", "givei-map.png"})
        shots.push_back({name, name, QImage(docs.filePath(QString("../") + name))});

    QString manual = Read(args[1]);
    manual.replace("<!-- windows -->", WindowGallery(shots));
    const QString disclaimer = Read(args[2]);
    const bool ok = WritePdf(manual, shots, outDir + "/Velmar UAS User Manual.pdf", "VELMAR UAS User Manual") &&
                    WritePdf(disclaimer, {}, outDir + "/Velmar UAS Disclaimer.pdf", "VELMAR UAS Disclaimer") &&
                    WriteHtml(manual, disclaimer, shots, outDir + "/html");
    return ok ? 0 : 1;
}
