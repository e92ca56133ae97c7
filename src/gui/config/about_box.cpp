#include "about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A small drawn emblem: a satellite's orbit around the Earth.
QPixmap Emblem()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(40, 90, 170));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(32, 32), 16, 16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 150, 30), 2));
    p.drawEllipse(QPointF(32, 32), 28, 12);
    p.setBrush(QColor(200, 150, 30));
    p.drawRect(54, 26, 6, 6);
    return pixmap;
}

QLabel *Line(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName("AboutBox");
    setWindowTitle("About VELMAR User Application");
    auto *panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameShape(QFrame::StyledPanel);
    auto *image = new QLabel(panel);
    image->setObjectName("ProgramIcon");
    image->setPixmap(Emblem());
    auto *product = Line(panel, "ProductName", "VELMAR User Application");
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    product->setFont(bold);
    auto *inner = new QVBoxLayout(panel);
    inner->addWidget(image, 0, Qt::AlignHCenter);
    inner->addWidget(product);
    inner->addWidget(Line(panel, "Version", "Version 3.2.3"));
    inner->addWidget(Line(panel, "Copyright", "Copyright \u00a9 the VELMAR User Application developers."));
    inner->addWidget(Line(panel, "Comments",
                          "Shows the SBAS messages relayed by the VELMAR data service and the state of the broadcast."));
    const char *const credits[] = {
        "Message decoding after RTCA DO-229.",
        "Line protocol: DU2RO.",
        "Message compression: PARDO.",
        "Built with the Qt toolkit.",
        "Thanks to everyone who tested the application.",
    };
    int n = 1;
    for (const char *credit : credits)
        inner->addWidget(Line(panel, QString("Credit%1").arg(n++).toUtf8().constData(), credit));
    auto *ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setAccessibleName("OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
