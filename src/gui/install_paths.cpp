#include "install_paths.h"

#include "install_dirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString &RootOverride()
{
    static QString root;
    return root;
}

QString InstallRoot()
{
    if (!RootOverride().isEmpty())
        return RootOverride();
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + VELMAR_INSTALL_ROOT_FROM_BINDIR);
}

QString Line(const QString &name, const QString &found, const QStringList &candidates)
{
    if (!found.isEmpty())
        return name + ": " + found + "\n";
    return name + ": not found (looked for " + candidates.join(", ") + ")\n";
}

} // namespace

QString InstalledFolder(Installed kind)
{
    const char *folder = kind == Installed::Document ? VELMAR_INSTALL_DOCDIR : VELMAR_INSTALL_DATADIR;
    return QDir::cleanPath(QDir(InstallRoot()).absoluteFilePath(folder));
}

QStringList Candidates(const QString &name, Installed kind)
{
    return {QDir::current().absoluteFilePath(name), InstalledFolder(kind) + "/" + name};
}

QString Locate(const QString &name, Installed kind)
{
    for (const QString &path : Candidates(name, kind))
        if (QFileInfo(path).isFile())
            return path;
    return {};
}

void SetInstallRoot(const QString &root)
{
    RootOverride() = root;
}

bool ReportInstallation(QString &report)
{
    const QString config = QDir::current().absoluteFilePath("userapp.cfg");
    report = QFileInfo(config).isFile() ? "userapp.cfg: " + config + "\n"
                                        : "userapp.cfg: not found in " + QDir::currentPath() +
                                              " (the defaults will be used)\n";
    bool complete = true;
    const std::pair<const char *, Installed> needed[] = {
        {kUserManualFile, Installed::Document},
        {kDisclaimerFile, Installed::Document},
        {kWorldPictureFile, Installed::Data},
    };
    for (const auto &[name, kind] : needed) {
        const QString found = Locate(name, kind);
        complete = complete && !found.isEmpty();
        report += Line(name, found, Candidates(name, kind));
    }
    return complete;
}
