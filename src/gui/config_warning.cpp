#include "config_warning.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

const QString TConfigWarning::kWriteFailure =
    "An error was found while trying to write the configuration of VELMAR User Application to disk.";

TConfigWarning::TConfigWarning(QWidget *parent) : QDialog(parent)
{
    setObjectName("ConfigWarning");
    setWindowTitle("WARNING. VELMAR User Application 3.1");
    auto *bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::StyledPanel);
    auto *icon = new QLabel(bevel);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    WarnLbl = new QLabel(kWriteFailure, bevel);
    WarnLbl->setObjectName("WarnLbl");
    WarnLbl->setWordWrap(true);
    WarnLbl->setMinimumWidth(320);
    auto *inner = new QHBoxLayout(bevel);
    inner->addWidget(icon, 0, Qt::AlignTop);
    inner->addWidget(WarnLbl, 1);
    auto *close = new QPushButton("Close", this);
    close->setObjectName("CloseBtn");
    close->setDefault(true);
    close->setAccessibleName("Close");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(bevel);
    layout->addWidget(close, 0, Qt::AlignHCenter);
}

void TConfigWarning::SetText(const QString &text)
{
    WarnLbl->setText(text);
}

QString TConfigWarning::Text() const
{
    return WarnLbl->text();
}
