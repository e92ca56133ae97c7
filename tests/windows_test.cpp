// Messages through the intake, read back from the windows' cells.
#include "support/window_fixture.h"

#include "fastcorr_form.h"
#include "mt02_05_worker.h"
#include "caption_label.h"
#include "geos_form.h"
#include "message_line.h"
#include "paint_pacer.h"
#include "prns_form.h"
#include "sis_mode_form.h"
#include "state_colour.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QLineEdit>
#include <QAction>
#include <QClipboard>
#include <QPaintEvent>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace {

// What a slot cell looks like: a framed label of its number, centred, in its state's colours.
QImage FramedLabel(const QLabel &cell, bool in)
{
    QLabel label(cell.text());
    label.setAlignment(Qt::AlignCenter);
    label.setFrameStyle(QFrame::Box | QFrame::Plain);
    label.setFixedSize(cell.size());
    label.setAutoFillBackground(true);
    ShowStateColour(label, in ? std::optional<QColor>(QColor(0, 255, 0)) : std::nullopt);
    return label.grab().toImage();
}

// A widget as drawn, whatever the image format its grab gives.
QImage Drawn(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

SbasFrame Fast(int type, int iodp)
{
    sbas::FastCorrectionsMsg m;
    m.type = type;
    m.iodp = iodp;
    for (int i = 0; i < 13; ++i) {
        m.prc[i] = 0.125 * (type * 100 + i);
        m.udrei[i] = i % 12;
    }
    return sbas::FastCorrections(m);
}

TEST_F(WindowTest, TypeOneColoursItsSlotsAndFilesTheMask)
{
    Feed(sbas::PrnMask({1, 2, 120}, 3));
    auto &prns = Painted<TFrmPRNs>("FrmPRNs");
    for (int i = 0; i < kSlots; ++i)
        EXPECT_EQ(prns.SlotShownActive(i), i == 0 || i == 1 || i == 119) << i;
    EXPECT_EQ(prns.findChild<QLineEdit *>("IODPNo")->text(), "3");
    const PRNMaskBuffer &mask = frm.PrnMask();
    EXPECT_EQ(mask.received, 1);
    EXPECT_EQ(mask.currentIODP, 3);
    EXPECT_EQ(mask.slotList[3][0], 1);
    EXPECT_EQ(mask.slotList[3][1], 2);
    EXPECT_EQ(mask.slotList[3][2], 120);
    EXPECT_EQ(mask.slotList[3][3], 0);
    EXPECT_EQ(mask.mask[3][119], 1);
    EXPECT_EQ(prns.MaskBit(3, 119), 1);
    EXPECT_EQ(prns.MaskBit(3, 2), 0);
}

TEST_F(WindowTest, SlotsFollowEachMaskInTurnAndSayTheirState)
{
    // Slots leave the mask and come back: each cell shows the mask of the latest message.
    const std::set<int> masks[] = {{1, 2, 120}, {2, 3}, {1, 2, 120}, {}, {3}};
    auto &prns = W<TFrmPRNs>("FrmPRNs");
    for (const auto &slots : masks) {
        Feed(sbas::PrnMask(slots, 1));
        Painted(prns);
        for (const int i : {0, 1, 2, 119}) {
            const bool in = slots.count(i + 1) != 0;
            EXPECT_EQ(prns.SlotShownActive(i), in) << "slot " << i + 1;
            EXPECT_EQ(prns.findChild<QLabel *>(QString("b%1").arg(i))->accessibleDescription(),
                      in ? "in mask" : "not in mask")
                << "slot " << i + 1;
        }
    }
}

TEST_F(WindowTest, ASlotCellLooksAsAFramedLabelOfItsNumberInItsState)
{
    // Slot 1 in the mask, slot 3 out of it, slot 38 the first GLONASS one, numbered 1 again; then
    // the two first trade states, trade back, and the palette changes: each state looks its own
    // each time, in the colours of the moment.
    const QPalette before = QApplication::palette();
    const std::set<int> masks[] = {{1}, {3}, {1}, {1}};
    for (int step = 0; step < 4; ++step) {
        if (step == 3) {
            QPalette other = before;
            other.setColor(QPalette::Base, QColor(255, 255, 200));
            other.setColor(QPalette::Text, Qt::darkBlue);
            QApplication::setPalette(other);
        }
        Feed(sbas::PrnMask(masks[step], 1 + step));
        auto &prns = Painted<TFrmPRNs>("FrmPRNs");
        const bool first = step != 1;
        for (const auto &[name, number, in] : {std::tuple{"b0", "1", first}, {"b2", "3", !first}, {"b37", "1", false}}) {
            auto *cell = prns.findChild<QLabel *>(name);
            ASSERT_NE(cell, nullptr) << name;
            EXPECT_EQ(cell->text(), number);
            EXPECT_EQ(cell->grab().toImage(), FramedLabel(*cell, in)) << name << " at step " << step;
        }
    }
    QApplication::setPalette(before);
}

TEST_F(WindowTest, FastCorrectionsFillTheRowsOfTheirMaskPositions)
{
    Feed(Fast(2, 1)); // before any mask: nothing
    EXPECT_EQ(Cell("FrmFastCorr", 1, 0), "");

    std::set<int> twenty = FirstSlots(19);
    twenty.insert(122);
    Feed(sbas::PrnMask(twenty, 1));
    Feed(Fast(3, 1));
    EXPECT_EQ(Cell("FrmFastCorr", 13, 0), "");
    EXPECT_EQ(Row("FrmFastCorr", 14, 5), (QStringList{"14", "37.5", "0", "0.75", "0.052"}));
    EXPECT_EQ(Row("FrmFastCorr", 20, 5), (QStringList{"122", "38.25", "6", "3.75", "1.2992"}));
    EXPECT_EQ(Cell("FrmFastCorr", 21, 0), "");
    Feed(Fast(4, 1));
    EXPECT_EQ(Cell("FrmFastCorr", 27, 0), "");
    Feed(Fast(2, 1));
    EXPECT_EQ(Row("FrmFastCorr", 1, 3), (QStringList{"1", "25", "0"}));
    EXPECT_EQ(Row("FrmFastCorr", 0, 5), (QStringList{"PRN", "PRC (m)", "UDREI", "UDRE (m)", "UDRE variance (m^2)"}));
}

// Counts the paints of a widget, and looks at it as each begins.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget &widget) { widget.installEventFilter(this); }
    int paints = 0;
    QRect lastRect; // of the last paint
    std::function<void()> onPaint;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            lastRect = static_cast<QPaintEvent *>(event)->rect();
            if (onPaint)
                onPaint();
        }
        return false;
    }
};

// Ends the pacer's intervals until nothing is held: what was held is painted, and the next
// request passes at once.
void Settle(TickSource &interval)
{
    for (int i = 0; i < 100 && interval.Step(); ++i)
        QApplication::processEvents();
}

TEST(TickSource, TicksComeFromItsTimerUntilTakenByHand)
{
    TickSource once("once", true, Qt::PreciseTimer, nullptr);
    int ticks = 0;
    QObject::connect(&once, &TickSource::Tick, [&] { ++ticks; });
    once.Start(1);
    EXPECT_TRUE(once.IsActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 5000));
    EXPECT_FALSE(once.IsActive());
    EXPECT_FALSE(once.Step()) << "a timer's ticks are not stepped";

    // Taken by hand while due: due until stepped, however long the timer's time.
    once.Start(3600 * 1000);
    once.TakeByHand();
    EXPECT_TRUE(once.IsActive());
    EXPECT_TRUE(once.Step());
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(once.IsActive());
    EXPECT_FALSE(once.Step());
    EXPECT_EQ(ticks, 2);
}

TEST_F(WindowTest, AFloodOfMessagesPaintsAWindowAtItsPaceAndEndsOnTheLast)
{
    Feed(sbas::PrnMask(FirstSlots(13), 1));
    auto &window = W<TMessageWindow>("FrmFastCorr");
    TickSource &interval = TicksByHand(window, "PaintPacer");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Settle(interval);
    PaintCounter counter(*window.Grid("Table")->viewport());
    auto corrections = [](double step) {
        sbas::FastCorrectionsMsg m;
        m.type = 2;
        m.iodp = 1;
        for (int i = 0; i < 13; ++i)
            m.prc[i] = step * i;
        return sbas::FastCorrections(m);
    };

    // At the live rate the interval is up before each message, which is painted as soon as the
    // events are handled.
    for (int i = 1; i <= 3; ++i) {
        const int before = counter.paints;
        Feed(corrections(0.125 * i));
        QApplication::processEvents();
        EXPECT_GT(counter.paints, before) << i;
        Settle(interval);
    }

    // A flood, the events handled after each message as a busy feed has them, an interval up
    // every 30 messages: the window keeps the values and is painted for the first message and
    // then once per interval, each paint showing the latest message. The corrections go round
    // four values, so each interval ends on cells that differ from those last painted (a cell
    // written with the text it shows is not painted again).
    const QString shownPrc[] = {"0.125", "0.25", "0.375", "0.5"}; // row 2: mask position 2, 1 x step
    const int before = counter.paints;
    int intervals = 0;
    QString latest;
    QStringList stale; // what paints showed while a later message was in
    counter.onPaint = [&] {
        const QString shown = TMessageWindow::CellText(window.Grid("Table"), 2, 1);
        if (shown != latest)
            stale << shown + " for " + latest;
    };
    int beforeLast = 0;
    for (int i = 0; i < 300; ++i) {
        if (i > 0 && i % 30 == 0)
            intervals += interval.Step() ? 1 : 0;
        Feed(corrections(0.125 * (i % 4 + 1)));
        latest = shownPrc[i % 4];
        beforeLast = counter.paints;
        QApplication::processEvents();
    }
    EXPECT_EQ(stale, QStringList{});
    EXPECT_EQ(intervals, 9);
    EXPECT_EQ(counter.paints - before, 1 + intervals);

    // The last message (299: 0.5 in row 2) waits for the end of the interval, and is painted then.
    EXPECT_EQ(counter.paints, beforeLast);
    EXPECT_TRUE(interval.Step());
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > beforeLast; }, 2000));
    EXPECT_EQ(Cell("FrmFastCorr", 2, 1), "0.5");
}

// What the message box shows is what a plain read-only line edit of the same text, font and
// colours shows, on the first paint and on the next: for every pair of hex digits side by side
// (and so each digit at many fractions of a pixel), in lower case, for other characters and for a
// text too wide for the box, whose end shows.
TEST_F(WindowTest, TheMessageBoxLooksAsAPlainLineEditInEveryColouring)
{
    auto *msg = frm.findChild<MessageLine *>("Msg");
    ASSERT_NE(msg, nullptr);
    QStringList texts = {"9A0C00000000000000000000000000000000000000000000000000000000000000", "53",
                         "0123456789abcdefABCDEF", "GPS 2443: ready", QString(100, '8') + "F", ""};
    const QString digits = "0123456789ABCDEF";
    QString pairs;
    for (QChar a : digits)
        for (QChar b : digits)
            pairs += QString(a) + b;
    for (int i = 0; i < pairs.size(); i += 64) // an even cut keeps every pair whole
        texts << pairs.mid(i, 64);
    const char *const styles[] = {"background:palette(base);color:palette(text)", "background:yellow;color:black",
                                  "background:palette(base);color:red",
                                  "background:qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:1 #bbccdd)"};
    for (const char *style : styles) {
        msg->setStyleSheet(style);
        QLineEdit plain;
        plain.setReadOnly(true);
        plain.setFont(msg->font());
        plain.setStyleSheet(style);
        for (const QString &text : texts) {
            msg->setText(text);
            const QImage first = Drawn(*msg), again = Drawn(*msg);
            plain.setText(text);
            plain.resize(msg->size());
            const QImage expected = Drawn(plain);
            EXPECT_EQ(first, expected) << style << " " << text.toStdString();
            EXPECT_EQ(again, expected) << style << " " << text.toStdString() << ", painted again";
        }
    }
    EXPECT_EQ(msg->sizeHint().height(), QLineEdit().sizeHint().height());
}

// The box's kept panel and digits follow what changes the way a line edit looks: its size, its
// font, focus; and its text is told to whoever listens only when it changes.
TEST(MessageLineTest, FollowsSizeFontAndFocusAsALineEditDoes)
{
    QWidget window;
    auto *box = new MessageLine(&window);
    auto *plain = new QLineEdit(&window);
    plain->setReadOnly(true);
    box->move(0, 0);
    plain->move(0, 40);
    window.resize(600, 80);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    int told = 0;
    QObject::connect(box, &MessageLine::textChanged, [&] { ++told; });
    const QString text = "C6A4F00FEDCBA98765432100000000000000000000000000000000000000000000";
    box->setText(text);
    box->setText(text);
    EXPECT_EQ(told, 1);
    plain->setText(text);
    const auto same = [&](const char *step) {
        plain->resize(box->size());
        plain->setFont(box->font());
        if (box->hasFocus())
            plain->setFocus();
        const QImage expected = Drawn(*plain);
        if (plain->hasFocus())
            box->setFocus();
        EXPECT_EQ(Drawn(*box), expected) << step;
    };
    box->resize(560, box->sizeHint().height());
    same("as first shown");
    // A change of text repaints the text alone: what the screen then shows is the line edit's look.
    const auto onScreen = [&](const QWidget &w) { // the window's pixels, as last painted
        return window.screen()->grabWindow(window.winId(), w.x(), w.y(), w.width(), w.height()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    plain->resize(box->size());
    box->clearFocus(); // as the line edit has none
    // On a plain background, and on one that is not.
    for (const char *style : {"", "background:qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:1 #bbccdd)"}) {
        box->setStyleSheet(style);
        plain->setStyleSheet(style);
        for (const QString &next : {QString("9A0CFFFF"), QString("0123456789ABCDEF").repeated(4), QString(), text}) {
            box->setText(next);
            plain->setText(next);
            plain->repaint();
            const QImage expected = onScreen(*plain);
            EXPECT_TRUE(QTest::qWaitFor([&] { return onScreen(*box) == expected; }, 2000))
                << style << " " << next.toStdString();
        }
    }
    box->setStyleSheet(QString());
    plain->setStyleSheet(QString());
    // And no more than the text is painted again: not the frame.
    box->repaint();
    PaintCounter counter(*box);
    box->setText(text.toLower());
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 2000));
    EXPECT_TRUE(box->rect().adjusted(1, 1, -1, -1).contains(counter.lastRect)) << counter.lastRect.width() << "x"
                                                                                 << counter.lastRect.height();
    box->setText(text);
    box->resize(420, box->sizeHint().height() + 3); // the text no longer fits: its end shows
    same("resized");
    QFont bigger = box->font();
    bigger.setPixelSize(15);
    box->setFont(bigger);
    box->resize(640, box->sizeHint().height());
    same("with a larger font");
    box->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); }));
    same("focused");
}

// Nothing can be selected in the box, but Copy takes the whole message, and a screen reader reads
// it as a read-only text named by its label.
TEST_F(WindowTest, TheMessageBoxTellsItsTextToScreenReadersAndCopiesItWhole)
{
    auto *msg = frm.findChild<MessageLine *>("Msg");
    ASSERT_NE(msg, nullptr);
    SbasFrame mask = sbas::PrnMask(FirstSlots(3), 1);
    const QString text = QString::fromStdString(mask.Hex(tow_) + "000");
    Feed(mask);
    ASSERT_EQ(msg->text(), text);
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(msg);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->role(), QAccessible::EditableText);
    EXPECT_EQ(reader->text(QAccessible::Name), "ORVAN Message:");
    EXPECT_EQ(reader->text(QAccessible::Value), text);
    EXPECT_TRUE(reader->state().readOnly);
    QGuiApplication::clipboard()->clear();
    QTest::keySequence(msg, QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
}

// A caption looks as a plain label of the same text, font, colours and size: the main window's
// texts, kerned pairs, and texts it leaves to the label (a ligature, other letters);
// at heights that put the baseline at different fractions of a pixel; in a font whose letters
// overlap, two or more on a pixel.
TEST(CaptionLabelTest, LooksAsAPlainLabelOfItsText)
{
    CaptionLabel caption("", nullptr);
    QLabel plain;
    QFont larger = plain.font();
    larger.setPixelSize(15);
    larger.setBold(true);
    QFont tight = larger;
    tight.setLetterSpacing(QFont::AbsoluteSpacing, -6);
    const QStringList texts = {"GPS Week: 2443", "GPS Time: 604799", "Message Type: 63", "AVA To Ty Wa Yo LT",
                               "Tea, 1.5-2", "fifl", "Grüße", "WWW MMM", ""};
    // Each font after the first: nothing kept for the one before is used.
    for (const auto &[ink, font] : {std::pair{QColor(Qt::black), plain.font()}, {QColor(Qt::red), larger},
                                    {QColor(Qt::blue), tight}}) {
        QPalette palette = plain.palette();
        palette.setColor(QPalette::WindowText, ink);
        caption.setPalette(palette);
        plain.setPalette(palette);
        caption.setFont(font);
        plain.setFont(font);
        for (int height : {14, 15, 19, 20, 21})
            for (const QString &text : texts) {
                caption.setText(text);
                plain.setText(text);
                caption.resize(150, height);
                plain.resize(150, height);
                EXPECT_EQ(Drawn(caption), Drawn(plain)) << ink.name().toStdString() << " " << height << " "
                                                        << text.toStdString();
            }
    }
}

TEST_F(WindowTest, TheMainWindowIsPaintedAfterEachMessageAndAfterAFlood)
{
    TickSource &interval = TicksByHand(frm, "PaintPacer");
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    Settle(interval);
    auto *msg = frm.findChild<MessageLine *>("Msg");
    ASSERT_NE(msg, nullptr);
    auto *time = frm.findChild<QLabel *>("Time");
    PaintCounter counter(*msg);
    // Each paint of the box shows the latest message, with its time beside it.
    QString latest, latestTime;
    QStringList stale;
    counter.onPaint = [&] {
        if (msg->text() != latest || time->text() != latestTime)
            stale << time->text() + " for " + latestTime;
    };
    const auto feed = [&](SbasFrame f) {
        latest = QString::fromStdString(f.Hex(tow_) + "000");
        latestTime = QString("GPS Time: %1").arg(tow_);
        Feed(f);
    };
    for (int i = 1; i <= 3; ++i) {
        const int before = counter.paints;
        feed(sbas::PrnMask(FirstSlots(i), 1));
        QApplication::processEvents();
        EXPECT_GT(counter.paints, before) << i;
        Settle(interval);
    }
    int beforeLast = 0;
    for (int i = 0; i < 100; ++i) {
        feed(sbas::PrnMask(FirstSlots(1 + i % 5), 1));
        beforeLast = counter.paints;
        QApplication::processEvents();
    }
    // The last message waits for the end of the interval, and is painted then.
    EXPECT_EQ(counter.paints, beforeLast);
    EXPECT_TRUE(interval.Step());
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > beforeLast; }, 2000));
    EXPECT_EQ(msg->text(), latest);
    EXPECT_EQ(stale, QStringList{});
}

// A hidden window writes nothing while messages come: it keeps their values, and shows the
// latest the moment it is opened, before its first paint.
TEST_F(WindowTest, AHiddenWindowKeepsTheValuesAndShowsTheLatestWhenOpened)
{
    Feed(sbas::PrnMask({4, 9}, 1));
    auto &fast = W<TFrmFastCorr>("FrmFastCorr");
    auto &prns = W<TFrmPRNs>("FrmPRNs");
    sbas::FastCorrectionsMsg m;
    m.iodp = 1;
    for (const double prc : {1.5, -2.25, 7.125}) {
        m.prc[1] = prc;
        Feed(sbas::FastCorrections(m));
    }
    QTableWidget *grid = fast.Grid("Table");
    EXPECT_EQ(TMessageWindow::CellText(grid, 2, 0), "");
    EXPECT_TRUE(fast.ContentPending());
    EXPECT_FALSE(prns.SlotShownActive(3));
    EXPECT_TRUE(prns.MaskReceived()) << "the corrections found their mask all the same";

    fast.show();
    EXPECT_EQ(Row("FrmFastCorr", 2, 2), (QStringList{"9", "7.125"}));
    EXPECT_FALSE(fast.ContentPending());
    prns.show();
    EXPECT_TRUE(prns.SlotShownActive(3));
    EXPECT_TRUE(prns.SlotShownActive(8));
    EXPECT_FALSE(prns.SlotShownActive(4));
    EXPECT_EQ(prns.findChild<QLineEdit *>("IODPNo")->text(), "1");
}

// The table behind the map is written when its page is brought forward.
TEST_F(WindowTest, APageBehindAnotherShowsTheLatestWhenBroughtForward)
{
    auto &window = W<TMessageWindow>("FrmMT26");
    window.show();
    Feed(sbas::IgpMask({1, 0, 1, {0, 1}}));
    sbas::IonoDelayMsg d;
    d.iodi = 1;
    d.givei.fill(3);
    for (const double delay : {1.5, 2.25}) {
        d.delay.fill(delay);
        Feed(sbas::IonosphericDelays(d));
    }
    QTableWidget *table = window.Grid("Table");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.ContentPending(); }, 5000));
    EXPECT_FALSE(table->isVisible()) << "the map is in front";
    EXPECT_EQ(TMessageWindow::CellText(table, 1, 4), "");
    EXPECT_EQ(Cell("FrmMT26", 1, 4), "2.25"); // brings the table forward
    EXPECT_EQ(Cell("FrmMT26", 2, 4), "2.25");
}

TEST_F(WindowTest, CorrectionTextsForEdgeValues)
{
    Feed(sbas::PrnMask(FirstSlots(13), 0));
    sbas::FastCorrectionsMsg m;
    m.type = 2;
    m.prc[0] = -0.125; // raw 4095
    m.prc[1] = -256;   // raw 2048
    m.prc[2] = 255.875; // raw 2047
    m.udrei[3] = 14;
    m.udrei[4] = 15;
    Feed(sbas::FastCorrections(m));
    EXPECT_EQ(Cell("FrmFastCorr", 1, 1), "-0.125");
    EXPECT_EQ(Cell("FrmFastCorr", 2, 1), "-256");
    EXPECT_EQ(Cell("FrmFastCorr", 3, 1), "255.875");
    EXPECT_EQ(Row("FrmFastCorr", 4, 5), (QStringList{"4", "0", "14", "Not Monitored", "Not Monitored"}));
    EXPECT_EQ(Row("FrmFastCorr", 5, 5), (QStringList{"5", "0", "15", "Do Not Use", "Do Not Use"}));
    // Exactly 13 masked: a type 3 shows nothing.
    Feed(Fast(3, 0));
    EXPECT_EQ(Cell("FrmFastCorr", 14, 0), "");
}

TEST_F(WindowTest, TheMessagesIodpSelectsItsOwnMask)
{
    Feed(sbas::PrnMask({5, 6}, 1));
    Feed(sbas::PrnMask({7, 8}, 0));
    EXPECT_EQ(frm.PrnMask().currentIODP, 0);
    Feed(Fast(2, 1));
    EXPECT_EQ(Cell("FrmFastCorr", 1, 0), "5");
    EXPECT_EQ(Cell("FrmFastCorr", 2, 0), "6");
    EXPECT_EQ(frm.PrnMask().slotList[1][0], 5); // both masks kept
    Feed(Fast(2, 2)); // a mask never received: nothing shown
    EXPECT_EQ(Cell("FrmFastCorr", 1, 0), "5");
}

TEST_F(WindowTest, TheShownTypeNotTheMessageDecidesWhereCorrectionsGo)
{
    Feed(sbas::PrnMask(FirstSlots(30), 0));
    auto &prns = W<TFrmPRNs>("FrmPRNs");
    auto &fast = W<TFrmFastCorr>("FrmFastCorr");
    const struct {
        const char *caption;
        int row;             // first row written, 0 for none
        const char *message; // the complaint shown, or nullptr
    } cases[] = {
        {"Message Type: 3", 14, nullptr}, // a type 2 message shown as type 3 fills type 3's rows
        {"Message Type: 2", 1, nullptr},
        {"Message Type: 3x", 0, "firewall: exception while trying to convert Str->int. The String is: 3x"},
        {"Message Type:", 0, "firewall: exception while trying to convert Str->int. The String is: "},
    };
    for (const auto &c : cases) {
        fast.Reset();
        ui.messages.clear();
        TThread_MT2_5 worker(prns, fast, ui);
        worker.SetMessage(Fast(2, 0).Hex(), ShownType{c.caption});
        worker.Execute();
        for (int row : {1, 14})
            EXPECT_EQ(Cell("FrmFastCorr", row, 0).isEmpty(), row != c.row) << c.caption << " row " << row;
        EXPECT_EQ(ui.messages, c.message ? QStringList{c.message} : QStringList{}) << c.caption;
    }
}

TEST_F(WindowTest, TheMaskWindowFilesOnlyWhatIsShownAsTypeOne)
{
    auto &prns = W<TFrmPRNs>("FrmPRNs");
    const std::string mask = sbas::PrnMask({4}, 1).Hex();
    for (const char *caption : {"Message Type: 2", "Message Type: 10", "Message Type: 1 "})
        prns.ProcessMT1(mask, ShownType{caption});
    EXPECT_FALSE(prns.MaskReceived());
    prns.ProcessMT1(mask, ShownType::Of(1));
    EXPECT_TRUE(prns.MaskReceived());
    EXPECT_EQ(prns.MaskBit(1, 3), 1);
}

TEST_F(WindowTest, TypeZeroWithCorrectionsIsShownAsTypeTwo)
{
    Feed(sbas::PrnMask({9}, 0));
    Feed(Fast(0, 0));
    EXPECT_EQ(Row("FrmFastCorr", 1, 3), (QStringList{"9", "0", "0"}));
}

TEST_F(WindowTest, ResetOnConnectEmptiesGridsButKeepsLabelsAndTheMaskCopy)
{
    Feed(sbas::PrnMask({1, 2}, 2));
    Feed(Fast(2, 2));
    TGEONavigation nav;
    nav.URA = 4;
    Feed(sbas::GeoNavigation(nav));
    ASSERT_EQ(Cell("FrmMT09", 1, 1), "4");
    sbas::AlmanacMsg alm;
    alm.geo[0].PRN = 124;
    Feed(sbas::GeoAlmanacs(alm));
    ASSERT_EQ(Painted<TFrmGEOs>("FrmGEOs").Text("S124"), "WAAS");

    frm.ConnectClick();                  // no user name: the dialog is cancelled, no reset
    EXPECT_EQ(Cell("FrmFastCorr", 1, 0), "1");
    ui.onDialog = [](QDialog &d) {
        d.findChild<QLineEdit *>("Usr")->setText("u");
        d.findChild<QLineEdit *>("Psw")->setText("p");
        return int(QDialog::Accepted);
    };
    frm.ConnectClick(); // the first connection of a run resets
    EXPECT_EQ(Cell("FrmFastCorr", 1, 0), "");
    EXPECT_EQ(Cell("FrmFastCorr", 0, 0), "PRN");
    EXPECT_EQ(Cell("FrmMT09", 1, 1), "");
    EXPECT_EQ(Cell("FrmMT09", 1, 0), "URA");
    EXPECT_EQ(Cell("FrmMT10", 15, 0), "C_covariance");
    EXPECT_EQ(Cell("FrmMT12", 11, 0), "Glonass Indicator");
    EXPECT_EQ(Painted<TFrmGEOs>("FrmGEOs").Text("S124"), "NONE");
    EXPECT_EQ(W<TFrmGEOs>("FrmGEOs").Text("X124"), "Unknown");
    auto &prns = Painted<TFrmPRNs>("FrmPRNs");
    EXPECT_FALSE(prns.SlotShownActive(0));
    EXPECT_EQ(prns.findChild<QLineEdit *>("IODPNo")->text(), "2");
    EXPECT_EQ(prns.MaskBit(2, 1), 1);
    EXPECT_EQ(frm.PrnMask().received, 0);
    EXPECT_EQ(frm.Igp().entry[2191].Latitude, -85); // the grid is laid out again
    // The mask copy still serves fast corrections after the reset.
    Feed(Fast(2, 2));
    EXPECT_EQ(Cell("FrmFastCorr", 2, 0), "2");
}

TEST_F(WindowTest, AWindowOpenedLaterShowsWhatArrivedWithHeadings)
{
    Feed(sbas::PrnMask({3}, 0));
    Feed(Fast(2, 0));
    auto &w = W<TFrmFastCorr>("FrmFastCorr");
    EXPECT_FALSE(w.isVisible());
    w.show();
    EXPECT_EQ(Row("FrmFastCorr", 0, 2), (QStringList{"PRN", "PRC (m)"}));
    EXPECT_EQ(Cell("FrmFastCorr", 1, 0), "3");
    w.findChild<QPushButton *>("Close")->click();
    EXPECT_FALSE(w.isVisible());
    Feed(Fast(2, 0));
    w.show();
    EXPECT_EQ(Cell("FrmFastCorr", 1, 1), "25");
}

TEST_F(WindowTest, LongTermHeadingsGiveEachValueItsUnit)
{
    // The clock drift dAf1 is a rate: seconds per second, where its offset dAf0 is in seconds.
    const QStringList expected = {"PRN",          "dX (m)",       "dY (m)",       "dZ (m)",   "dX_ROC (m/s)",
                                  "dY_ROC (m/s)", "dZ_ROC (m/s)", "dAf0 (s)",     "dAf1 (s/s)", "TOD (s)"};
    const std::pair<const char *, const char *> grids[] = {{"FrmMT24", "LT_Table"}, {"FrmMT25", "Table"}};
    for (const auto &[window, grid] : grids) {
        W<QWidget>(window).show();
        EXPECT_EQ(Row(window, 0, 10, grid).join(" | ").toStdString(), expected.join(" | ").toStdString()) << window;
    }
}

TEST_F(WindowTest, ScreenReadersHearHeadingsAndStatesInWords)
{
    Feed(sbas::PrnMask({3}, 0));
    auto &w = W<TFrmFastCorr>("FrmFastCorr");
    w.show();
    // A cell is announced by its heading, not by its column number; the cells keep their texts.
    QTableWidget *grid = w.Grid("Table");
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    QAccessibleInterface *cell = table->tableInterface()->cellAt(1, 1);
    ASSERT_NE(cell, nullptr);
    const QList<QAccessibleInterface *> headers = cell->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(headers.size(), 1);
    EXPECT_EQ(headers[0]->text(QAccessible::Name), "PRC (m)");
    // Qt makes a new heading interface on every call and leaves it to the caller: its cache
    // takes it and deletes it.
    for (QAccessibleInterface *heading : headers)
        QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(heading));
    EXPECT_EQ(Cell("FrmFastCorr", 0, 1), "PRC (m)");

    // Colours that carry a state also say it.
    auto &prns = Painted<TFrmPRNs>("FrmPRNs");
    const QStringList states = {prns.findChild<QLabel *>("b2")->accessibleDescription(),
                                prns.findChild<QLabel *>("b3")->accessibleDescription()};
    EXPECT_EQ(states, (QStringList{"in mask", "not in mask"}));
}

TEST_F(WindowTest, AWindowOpensBesideNotUnderTheMainWindowCornerShowingAllColumns)
{
    frm.resize(900, 600);
    frm.move(200, 150);
    frm.show();
    auto &w = W<TMessageWindow>("FrmMT27");
    w.show();
    QApplication::processEvents();
    EXPECT_NE(w.pos(), QPoint(0, 0));
    QTableWidget *grid = w.Grid("Table");
    int columns = 0;
    for (int c = 0; c < grid->columnCount(); ++c)
        columns += grid->columnWidth(c);
    EXPECT_GE(grid->viewport()->width(), std::min(columns, w.screen()->availableGeometry().width() - 200));
    // A size and place the user gives it are kept for the rest of the run.
    const QSize given = w.size() + QSize(40, 30);
    w.resize(given);
    w.move(40, 60);
    w.hide();
    w.show();
    EXPECT_EQ(w.size(), given);
    EXPECT_EQ(w.pos(), QPoint(40, 60));
}

TEST_F(WindowTest, ViewCommandsShowTheirWindows)
{
    const std::pair<const char *, const char *> commands[] = {
        {"TbMT1", "FrmPRNs"},   {"TbMT2_5", "FrmFastCorr"}, {"TbMT06", "FrmMT06"}, {"TbMT07", "FrmMT07"},
        {"TbMT09", "FrmMT09"},  {"TbMT10", "FrmMT10"},      {"TbMT12", "FrmMT12"}, {"TbMT17", "FrmGEOs"},
        {"TbMT18", "FrmMT18"},  {"TbMT24", "FrmMT24"},      {"TbMT25", "FrmMT25"}, {"TbMT26", "FrmMT26"},
        {"TbMT27", "FrmMT27"},  {"TbMT28", "FrmMT28"}};
    for (const auto &[button, window] : commands) {
        frm.findChild<QToolButton *>(button)->click();
        EXPECT_TRUE(W<QWidget>(window).isVisible()) << button;
        QAction *item = frm.findChild<QAction *>(QString(button).replace("Tb", "Mnu"));
        ASSERT_NE(item, nullptr) << button;
        W<QWidget>(window).hide();
        item->trigger();
        EXPECT_TRUE(W<QWidget>(window).isVisible()) << button;
    }
}

// Under a dark palette the ordinary fields take the palette's colours and the colours of states
// stay: lime for a slot in the mask or a lit GEO function, green for a type received, yellow for a
// refused message, red text for a stalled feed. The light palette gives what was always shown.
TEST(Palette, OrdinaryFieldsFollowThePaletteAndStatesKeepTheirColours)
{
    QPalette dark;
    for (auto role : {QPalette::Window, QPalette::Button})
        dark.setColor(role, QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(230, 230, 230));
    const struct {
        const char *name;
        QPalette palette;
        QColor base, text; // what an ordinary field shows
    } palettes[] = {
        {"light", QApplication::style()->standardPalette(), Qt::white, Qt::black},
        {"dark", dark, QColor(35, 35, 35), QColor(230, 230, 230)},
    };
    const QPalette before = QApplication::palette();
    for (const auto &p : palettes) {
        QApplication::setPalette(p.palette);
        TempCwd cwd;
        ScriptedUi ui;
        FakeClock clock;
        TMainFrm frm(ui, clock);
        auto feed = [&frm](SbasFrame f, int tow, const std::string &tail) {
            TPARDO pardo;
            pardo.Data = f.Hex(tow) + tail;
            pardo.Compress();
            frm.HandleMsgLine("*MSG,2443," + std::to_string(tow) + "," + pardo.Data);
        };
        auto shown = [](const QWidget *w) {
            return std::make_pair(ShownBackground(*w), w->palette().color(w->foregroundRole()));
        };
        using Shown = std::pair<QColor, QColor>;
        const Shown ordinary{p.base, p.text};

        // A window writes what it keeps when it paints: each is opened, and read once painted.
        const auto painted = [](TMessageWindow &w) {
            w.show();
            return QTest::qWaitFor([&] { return !w.ContentPending(); }, 5000);
        };
        feed(sbas::PrnMask({1}, 0), 100, "000");
        auto *prns = frm.findChild<TFrmPRNs *>("FrmPRNs");
        EXPECT_TRUE(painted(*prns));
        EXPECT_EQ(shown(prns->findChild<QLabel *>("b0")), Shown(QColor(0, 255, 0), Qt::black)) << p.name;
        EXPECT_EQ(shown(prns->findChild<QLabel *>("b2")), ordinary) << p.name;
        for (const auto &[name, in] : {std::pair{"b0", true}, {"b2", false}}) {
            QLabel &cell = *prns->findChild<QLabel *>(name);
            EXPECT_EQ(cell.grab().toImage(), FramedLabel(cell, in)) << p.name << " " << name;
        }

        auto *geos = frm.findChild<TFrmGEOs *>("FrmGEOs");
        geos->SetIndicator("R126", true);
        EXPECT_TRUE(painted(*geos));
        EXPECT_EQ(shown(geos->findChild<QLabel *>("R126")), Shown(QColor(0, 255, 0), Qt::black)) << p.name;
        EXPECT_EQ(shown(geos->findChild<QLabel *>("C126")), ordinary) << p.name;
        geos->SetIndicator("R126", false); // back to the palette's colours
        EXPECT_TRUE(painted(*geos));
        EXPECT_EQ(shown(geos->findChild<QLabel *>("R126")), ordinary) << p.name;

        frm.SisModeForm()->NoteType(2, true);
        EXPECT_EQ(ShownBackground(*frm.SisModeForm()->findChild<QLabel *>("MT2")), QColor(0, 128, 0)) << p.name;
        EXPECT_EQ(ShownBackground(*frm.SisModeForm()->findChild<QLabel *>("MT3")), p.base) << p.name;

        // The message box, as drawn: the background at its right end, past the text, and whether
        // the text has pixels of a colour.
        auto *msg = frm.findChild<MessageLine *>("Msg");
        auto box = [msg](QColor text) {
            const QImage image = msg->grab().toImage();
            bool found = false;
            for (int y = 4; y < image.height() - 4 && !found; ++y)
                for (int x = 6; x < image.width() / 2 && !found; ++x)
                    found = image.pixelColor(x, y) == text;
            return std::make_pair(image.pixelColor(image.width() - 8, image.height() / 2), found);
        };
        using Drawn = std::pair<QColor, bool>;
        EXPECT_EQ(box(p.text), Drawn(p.base, true)) << p.name; // the type 1 message fed above
        feed(SbasFrame(8), 101, "00000"); // 68 characters: refused
        EXPECT_EQ(box(Qt::black), Drawn(Qt::yellow, true)) << p.name;
        frm.SISCheckerTimer();
        frm.SISCheckerTimer(); // no new time since the last check: stalled
        EXPECT_EQ(box(Qt::red), Drawn(Qt::yellow, true)) << p.name;
        feed(SbasFrame(8), 102, "000");
        EXPECT_EQ(box(Qt::red), Drawn(p.base, true)) << p.name;
        EXPECT_EQ(box(p.text), Drawn(p.base, false)) << p.name;
    }
    QApplication::setPalette(before);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
