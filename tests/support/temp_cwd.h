#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Runs a test in an empty current directory of its own, restored afterwards.
class TempCwd {
public:
    TempCwd() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~TempCwd() { QDir::setCurrent(previous_); }
    QString Path(const QString &name) const { return dir_.path() + QDir::separator() + name; }
    void Write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(Path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    QByteArray Read(const QString &name) const
    {
        QFile f(Path(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QTemporaryDir dir_;
    QString previous_;
};
