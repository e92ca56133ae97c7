#pragma once

#include <QString>
#include <QStringList>

// The application reads its Help documents and world.bmp from its current directory. When the
// current directory has none, it falls back on the copies installed with the program. The
// installed folders are found from the program's own folder (bin/ beside share/), so an
// installation unpacked anywhere (a scratch root, /opt) finds its own copies.
enum class Installed {
    Document, // the Help documents: the documentation folder
    Data,     // world.bmp, the demo recording, the example configuration
};

// The files looked for this way.
inline constexpr const char *kUserManualFile = "Velmar UAS User Manual.pdf";
inline constexpr const char *kDisclaimerFile = "Velmar UAS Disclaimer.pdf";
inline constexpr const char *kWorldPictureFile = "world.bmp";

// The folder where installed copies of this kind live, for example /usr/share/doc/velmar-userapp.
QString InstalledFolder(Installed kind);
// The places `name` is looked for, in order: the current directory, then the installed folder.
QStringList Candidates(const QString &name, Installed kind);
// The first of the candidates that is a file, or "" when none is.
QString Locate(const QString &name, Installed kind);
// Moves the installation root (the folder that holds bin/ and share/); "" returns to the one
// found from the program's folder. Tests use it to lay out an installation of their own.
void SetInstallRoot(const QString &root);

// What --check-install prints: one line a file (where it was found, or that it was not), the
// configuration included; true when every file the program needs was found. A missing
// userapp.cfg is not a fault: the program then starts with its defaults.
bool ReportInstallation(QString &report);
