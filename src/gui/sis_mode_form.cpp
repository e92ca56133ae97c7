#include "sis_mode_form.h"

#include "state_colour.h"
#include "time/clock.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

TFrmSISMode::TFrmSISMode(const Clock &clock, std::function<bool()> connected, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), clock_(clock),
      connected_(std::move(connected))
{
    shownGreen_.fill(-1);
    setObjectName("FrmSISMode");
    setWindowTitle("SIS Broadcast Status");
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel("Current SIS Broadcast Status:", this);
    heading->setStyleSheet("font-weight:bold");
    layout->addWidget(heading);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setMinimumSize(220, 60);
    auto *stack = new QGridLayout(panel);
    InfoNA = Picture("InfoNA", "Information not available", Qt::darkGray);
    Mode0_0 = Picture("Mode0_0", "Mode 0/0", QColor(200, 120, 0));
    Mode0_2 = Picture("Mode0_2", "Mode 0/2", QColor(200, 60, 0));
    ModeSOL = Picture("ModeSOL", "Mode SOL", QColor(0, 128, 0));
    for (QLabel *picture : {InfoNA, Mode0_0, Mode0_2, ModeSOL})
        stack->addWidget(picture, 0, 0); // stacked: at most one visible
    layout->addWidget(panel);

    auto *types = new QGridLayout;
    int column = 0;
    for (const int type : MTBuffer::kTypes) {
        auto *indicator = new QLabel(this);
        indicator->setObjectName(QString("MT%1").arg(type));
        indicator->setAccessibleName(QString("MT %1").arg(type));
        indicator->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        indicator->setFixedSize(18, 18);
        indicator->setAutoFillBackground(true);
        indicators_[type] = indicator;
        types->addWidget(indicator, (column / 10) * 2, column % 10, Qt::AlignHCenter);
        types->addWidget(new QLabel(QString::number(type), this), (column / 10) * 2 + 1, column % 10,
                         Qt::AlignHCenter);
        ++column;
    }
    layout->addLayout(types);
    auto *close = new QPushButton("Close", this);
    close->setAccessibleName("Close");
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    layout->addWidget(close, 0, Qt::AlignRight);

    ClearTypeTimes();
    SetMode("InfoNA", true, 1);
}

QLabel *TFrmSISMode::Picture(const char *name, const QString &text, const QColor &colour)
{
    auto *picture = new QLabel(text, this);
    picture->setObjectName(name);
    picture->setAccessibleName(text);
    picture->setAlignment(Qt::AlignCenter);
    picture->setStyleSheet(QString("background:%1;color:white;font-size:14pt;font-weight:bold").arg(colour.name()));
    picture->hide();
    return picture;
}

void TFrmSISMode::SetMode(const std::string &name, bool supervision, int)
{
    if (name == "InfoNA" && connected_() && !supervision) {
        infoNaCount_ = (infoNaCount_ + 1) % 3;
        if (infoNaCount_ != 0)
            return;
    }
    if (name != "InfoNA")
        infoNaCount_ = 0;
    QLabel *shown = name == "Mode 0/0"   ? Mode0_0
                    : name == "Mode 0/2" ? Mode0_2
                    : name == "Mode SOL" ? ModeSOL
                    : name == "InfoNA"   ? InfoNA
                                         : nullptr;
    // The picture already shown stays as it is: hiding and showing it again lays the window out
    // twice, for every decision of an unchanged mode.
    for (QLabel *picture : {Mode0_0, Mode0_2, ModeSOL, InfoNA})
        if (picture != shown)
            picture->hide();
    if (shown)
        shown->show();
}

QString TFrmSISMode::VisibleMode() const
{
    for (QLabel *picture : {InfoNA, Mode0_0, Mode0_2, ModeSOL})
        if (!picture->isHidden())
            return picture->objectName();
    return {};
}

void TFrmSISMode::Colour(int type, bool green)
{
    // Called for every indicator on every message: a palette is set only when it changes.
    if (shownGreen_[type] == green)
        return;
    if (QLabel *indicator = indicators_[type]) {
        shownGreen_[type] = green;
        ShowStateColour(*indicator, green ? std::optional<QColor>(QColor(0, 128, 0)) : std::nullopt);
        indicator->setAccessibleDescription(green ? "received in the last 5 minutes" : "not received in the last 5 minutes");
    }
}

void TFrmSISMode::NoteType(int type, bool received)
{
    if (type < 0 || type >= 64)
        return;
    typeTimes_.Note(type, clock_.Now(), received);
    Colour(type, received);
}

void TFrmSISMode::RefreshTypes()
{
    // Called on every tick of the monitor, that is for every message: the indicators say when
    // none can change colour, which is most of the time.
    typeTimes_.Refresh(clock_.Now(), [this](int type, bool green) { Colour(type, green); });
}

void TFrmSISMode::ClearModeDisplay()
{
    for (QLabel *picture : {Mode0_0, Mode0_2, ModeSOL})
        picture->hide();
}

void TFrmSISMode::ClearTypeTimes()
{
    typeTimes_.Clear();
    for (const int type : MTBuffer::kTypes)
        Colour(type, false);
}
