#include "logging_form.h"

#include "output/message_log.h"
#include "time/clock.h"
#include "time/date_time.h"
#include "ui_seam.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char kStart[] = "Start Logging";
const char kStop[] = "Stop Logging";

QString TypeBoxName(int type)
{
    return "CheckBoxMT" + QString::number(type);
}

} // namespace

TFrmLogging::TFrmLogging(MessageLog &log, std::function<bool()> connected, UiSeam &ui, const Clock &clock,
                         QWidget *parent)
    : QWidget(parent, Qt::Window), log_(log), connected_(std::move(connected)), ui_(ui), clock_(clock)
{
    setObjectName("FrmLogging");
    setWindowTitle("Disk Logging");
    auto *layout = new QVBoxLayout(this);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->addTab(BuildTypesPage(), "MessageTypes");
    PageControl1->addTab(BuildFilePage(), "File");
    Logging = new QWidget;
    Logging->setObjectName("Logging");
    auto *memoLayout = new QVBoxLayout(Logging);
    LoggingMemo = new QPlainTextEdit(Logging);
    LoggingMemo->setObjectName("LoggingMemo");
    LoggingMemo->setAccessibleName("Logging");
    LoggingMemo->setReadOnly(true);
    memoLayout->addWidget(LoggingMemo);
    PageControl1->addTab(Logging, "Logging");
    layout->addWidget(PageControl1);

    auto *buttons = new QHBoxLayout;
    StartStopButton = new QPushButton(kStart, this);
    StartStopButton->setObjectName("StartStopButton");
    // No fixed accessible name: screen readers then read the caption, which says what the
    // button will do ("Start Logging", "Stop Logging").
    connect(StartStopButton, &QPushButton::clicked, this, &TFrmLogging::StartStopButtonClick);
    auto *close = new QPushButton("Close", this);
    close->setObjectName("Button1");
    close->setAccessibleName("Close");
    connect(close, &QPushButton::clicked, this, &TFrmLogging::Button1Click);
    buttons->addStretch();
    buttons->addWidget(StartStopButton);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

QWidget *TFrmLogging::BuildTypesPage()
{
    auto *page = new QWidget;
    page->setObjectName("MessageTypes");
    auto *grid = new QGridLayout(page);
    CheckBoxAll = new QCheckBox("All", page);
    CheckBoxAll->setObjectName("CheckBoxAll");
    CheckBoxAll->setAccessibleName("All");
    CheckBoxAll->setChecked(true);
    // Any change of the box counts, not only mouse clicks (keyboard, accessibility).
    connect(CheckBoxAll, &QCheckBox::toggled, this, &TFrmLogging::CheckBoxAllClick);
    grid->addWidget(CheckBoxAll, 0, 0);
    int slot = 0;
    for (const int type : kBoxedTypes) {
        // "MT 0" to "MT 9", then "MT10" on: the captions line up in a fixed-width column.
        const QString caption = type < 10 ? QString("MT %1").arg(type) : QString("MT%1").arg(type);
        auto *box = new QCheckBox(caption, page);
        box->setObjectName(TypeBoxName(type));
        box->setAccessibleName(caption);
        connect(box, &QCheckBox::toggled, this, &TFrmLogging::CheckBoxMTClick);
        grid->addWidget(box, 1 + slot % 5, slot / 5);
        ++slot;
    }
    return page;
}

QWidget *TFrmLogging::BuildFilePage()
{
    auto *page = new QWidget;
    page->setObjectName("File");
    auto *grid = new QGridLayout(page);
    grid->addWidget(new QLabel("Log file name", page), 0, 0, 1, 2);
    FileNameEdit = new QLineEdit(page);
    FileNameEdit->setObjectName("FileNameEdit");
    FileNameEdit->setAccessibleName("Log file name");
    grid->addWidget(FileNameEdit, 1, 0);
    SpeedButton1 = new QToolButton(page);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("...");
    SpeedButton1->setToolTip("Browse");
    SpeedButton1->setAccessibleName("Browse");
    connect(SpeedButton1, &QToolButton::clicked, this, &TFrmLogging::SpeedButton1Click);
    grid->addWidget(SpeedButton1, 1, 1);
    grid->addWidget(new QLabel("If file exists", page), 2, 0, 1, 2);
    OverWriteRadioButton = new QRadioButton("Overwrite", page);
    OverWriteRadioButton->setObjectName("OverWriteRadioButton");
    OverWriteRadioButton->setAccessibleName("Overwrite");
    AppendRadioButton = new QRadioButton("Append", page);
    AppendRadioButton->setObjectName("AppendRadioButton");
    AppendRadioButton->setAccessibleName("Append");
    AppendRadioButton->setChecked(true);
    connect(AppendRadioButton, &QRadioButton::clicked, this, &TFrmLogging::AppendRadioButtonClick);
    grid->addWidget(OverWriteRadioButton, 3, 0);
    grid->addWidget(AppendRadioButton, 4, 0);
    grid->setRowStretch(5, 1);
    return page;
}

void TFrmLogging::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TFrmLogging::FormShow()
{
    // Showing the window must not change what a running recording writes: with "All" off the
    // switches follow the type boxes as they stand, rather than being all cleared.
    if (CheckBoxAll->isChecked())
        CheckBoxAllClick();
    else
        ApplyTypeBoxes();
}

void TFrmLogging::StartStopButtonClick()
{
    PageControl1->setCurrentWidget(Logging);
    if (StartStopButton->text() != kStart) {
        StopLogging("Logging stopped at " + NowText());
        return;
    }
    if (!connected_()) {
        AppendToMemo("Logging error: You must be connected to Data Server to start logging !\n");
        return;
    }
    log_.SetOverwrite(OverWriteRadioButton->isChecked());
    log_.SetFileName(FileNameEdit->text().toStdString());
    if (!log_.Open()) {
        StartStopButton->setText(kStart);
        AppendToMemo("Logging failed to create file " + FileNameEdit->text() + " at " + NowText() + "\n");
        return;
    }
    if (CheckBoxAll->isChecked())
        log_.SetAllTypes(true);
    else
        ApplyTypeBoxes();
    StartStopButton->setText(kStop);
    SetFileControlsEnabled(false);
    AppendToMemo("Logging started at " + NowText() + "\n");
    log_.SetActive(true);
}

void TFrmLogging::StopLogging(const QString &memoLine)
{
    StartStopButton->setText(kStart);
    SetFileControlsEnabled(true);
    AppendToMemo(memoLine + "\n");
    log_.SetActive(false);
    log_.Close();
    Q_EMIT Stopped();
}

QString TFrmLogging::StopAfterWriteFailure(const QString &reason)
{
    const QString line = "Logging stopped: " + reason + " at " + NowText();
    StopLogging(line);
    return line;
}

void TFrmLogging::SpeedButton1Click()
{
    // The configuration file is found through the current directory, which a file dialog may move.
    const QString remembered = QDir::currentPath();
    const QString chosen = ui_.SaveFileName(this, "Log file name", FileNameEdit->text(), "KLT (*.klt)", "klt");
    if (!chosen.isEmpty())
        FileNameEdit->setText(chosen);
    QDir::setCurrent(remembered);
}

void TFrmLogging::AppendRadioButtonClick()
{
    log_.SetOverwrite(OverWriteRadioButton->isChecked());
}

void TFrmLogging::CheckBoxAllClick()
{
    const bool all = CheckBoxAll->isChecked();
    for (const int type : kBoxedTypes)
        findChild<QCheckBox *>(TypeBoxName(type))->setEnabled(!all);
    // Unchecked, nothing is recorded until a type box is clicked or logging is started again.
    log_.SetAllTypes(all);
}

void TFrmLogging::CheckBoxMTClick()
{
    // Under "All" the boxes are disabled and do not count, whatever sets them.
    if (!CheckBoxAll->isChecked())
        ApplyTypeBoxes();
}

void TFrmLogging::ApplyTypeBoxes()
{
    for (const int type : kBoxedTypes)
        log_.SetTypeEnabled(type, findChild<QCheckBox *>(TypeBoxName(type))->isChecked());
}

void TFrmLogging::AppendToMemo(const QString &text)
{
    LoggingMemo->moveCursor(QTextCursor::End);
    LoggingMemo->insertPlainText(text);
}

void TFrmLogging::SetFileControlsEnabled(bool on)
{
    for (QWidget *w : std::initializer_list<QWidget *>{SpeedButton1, FileNameEdit, OverWriteRadioButton,
                                                        AppendRadioButton})
        w->setEnabled(on);
}

QString TFrmLogging::NowText() const
{
    const CivilTime t = DecodeDateTime(clock_.Now());
    return QString::asprintf("%02d/%02d/%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute, t.second);
}
