#include "lamps.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace {

QPixmap LampPixmap(const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(Qt::darkGray);
    painter.drawEllipse(1, 1, 14, 14);
    return pixmap;
}

} // namespace

QWidget *Lamps::Add(const QString &name, const QString &caption, const QColor &onColour)
{
    auto *box = new QWidget;
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *off = new QLabel(box);
    off->setObjectName(name);
    off->setPixmap(LampPixmap(Qt::lightGray));
    off->setAccessibleName(caption);
    auto *on = new QLabel(box);
    on->setObjectName(name + "On");
    on->setPixmap(LampPixmap(onColour));
    on->setAccessibleName(caption + " on");
    on->hide();
    lamps_.emplace_back(name.toStdString(), on);
    grid->addWidget(off, 0, 0); // the on image covers the off image when visible
    grid->addWidget(on, 0, 0);
    grid->addWidget(new QLabel(caption, box), 0, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    // A lamp goes on and off with every line: at a fixed size that re-lays out the lamp alone,
    // never the main window around it.
    box->ensurePolished();
    box->setFixedSize(box->sizeHint());
    return box;
}

// Lamps are switched several times per line received: found in a short list, not by name
// among all the window's children.
QLabel *Lamps::On(const char *lamp) const
{
    for (const auto &[name, on] : lamps_)
        if (name == lamp)
            return on;
    return nullptr;
}

void Lamps::Show(const char *lamp)
{
    if (QLabel *on = On(lamp); on && on->isHidden())
        on->show();
}

void Lamps::Hide(const char *lamp)
{
    if (QLabel *on = On(lamp); on && !on->isHidden())
        on->hide();
}

void Lamps::Toggle(const char *lamp)
{
    if (QLabel *on = On(lamp))
        on->setVisible(on->isHidden());
}
