// The grid world maps: mark positions and colours, the mouse read-out and the reset.
#include "support/window_fixture.h"

#include "grid_map_forms.h"
#include "install_paths.h"
#include "world_map.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QMouseEvent>
#include <QLineEdit>

#include <sys/stat.h>

namespace {

const char *const kBoxes[] = {"igp_no", "igp_lat", "igp_lon", "GIVEI", "igp_vert_delay", "igp_give_i",
                              "igp_give_i_sigma"};

// True when some pixel of the "+" cell at (x, y) has the colour.
bool MarkHas(const QImage &picture, QPoint at, QColor colour)
{
    for (int dy = 0; dy < 22; ++dy)
        for (int dx = 0; dx < 14; ++dx) {
            const QPoint p(at.x() + dx, at.y() + dy);
            if (picture.valid(p) && picture.pixelColor(p) == colour)
                return true;
        }
    return false;
}

} // namespace

TEST(MarkPosition, FollowsTheFittedEquirectangularFormula)
{
    struct Case {
        int lat, lon, w, h, x, y;
    } cases[] = {
        {0, 0, 360, 180, 181, 77},      // the centre, less the fitting offsets
        {40, -20, 360, 180, 162, 41},   // 77 - 40 + 4; -20 + 181 + 1
        {-45, -135, 360, 180, 52, 118}, // divisions truncate toward zero: -2 and -6
        {85, 180, 720, 360, 712, 5},    // 167 - 170 + 8; 360 + 361 - 9
    };
    for (const Case &c : cases) {
        const QPoint p = WorldMap::MarkPosition(c.lat, c.lon, c.w, c.h);
        EXPECT_EQ(p, QPoint(c.x, c.y)) << c.lat << "," << c.lon;
    }
}

class WorldMapTest : public WindowTest {
protected:
    TFrmMT26 &Mt26() { return W<TFrmMT26>("FrmMT26"); }
    QString Box(const char *name) { return Mt26().findChild<QLineEdit *>(name)->text(); }

    void MaskAndDelays(std::array<int, 15> givei, double delay)
    {
        Feed(sbas::IgpMask({1, 0, 1, {0, 1, 2, 3, 4}}));
        sbas::IonoDelayMsg m;
        m.iodi = 1;
        m.givei = givei;
        m.delay.fill(delay);
        Feed(sbas::IonosphericDelays(m));
    }
};

TEST_F(WorldMapTest, MarksAreColouredByTheStateOfThePoint)
{
    Mt26().Map()->SetPicture(WorldMap::Blank(360, 180));
    Feed(sbas::IgpMask({1, 0, 1, {0, 1}}));
    Feed(sbas::IonosphericDelays({0, 1, 2, {}, {}})); // another IODI: the points keep -10000
    const IGPEntry &first = frm.Igp().entry[0];
    ASSERT_EQ(first.VerticalDelay, -10000.0f);
    const QImage picture = Mt26().Map()->Picture();
    EXPECT_TRUE(MarkHas(picture, WorldMap::MarkPosition(first.Latitude, first.Longitude, 360, 180), Qt::red))
        << "a masked point no delay has reached yet";

    std::array<int, 15> givei{};
    givei.fill(3);
    givei[1] = 15; // not monitored
    MaskAndDelays(givei, 1.5);
    const QImage after = Mt26().Map()->Picture();
    const IGPEntry &a = frm.Igp().entry[0], &b = frm.Igp().entry[1];
    EXPECT_TRUE(MarkHas(after, WorldMap::MarkPosition(a.Latitude, a.Longitude, 360, 180), QColor(0, 0, 255)));
    EXPECT_TRUE(MarkHas(after, WorldMap::MarkPosition(b.Latitude, b.Longitude, 360, 180), QColor(0, 0, 0)));
}

TEST_F(WorldMapTest, AStillUnreceivedDelayIsDrawnRed)
{
    Mt26().Map()->SetPicture(WorldMap::Blank(360, 180));
    IGPEntry e = frm.Igp().entry[7];
    e.Latitude = 10;
    e.Longitude = 10;
    e.VerticalDelay = -10000;
    e.GIVE = 10000; // red wins over black
    Mt26().DrawPoint(e, 7);
    EXPECT_TRUE(MarkHas(Mt26().Map()->Picture(), WorldMap::MarkPosition(10, 10, 360, 180), QColor(255, 0, 0)));
}

TEST_F(WorldMapTest, ReadOutPicksTheLowerIndexAndEmptiesAwayFromMarks)
{
    Mt26().Map()->SetPicture(WorldMap::Blank(360, 180));
    IGPEntry e{};
    e.Latitude = 40;
    e.Longitude = -20;
    e.VerticalDelay = 2.5f;
    e.GIVEI = 15;
    e.GIVE = 10000;
    e.VarGIVE = 10000;
    Mt26().DrawPoint(e, 900);
    e.GIVEI = 4;
    Mt26().DrawPoint(e, 12); // same place, lower index
    const QPoint at = WorldMap::MarkPosition(40, -20, 360, 180);
    Mt26().WorldMouseMove(at.x() + 6, at.y() + 14);
    QStringList shown;
    for (const char *b : kBoxes)
        shown << Box(b);
    EXPECT_EQ(shown[0], "12");
    EXPECT_EQ(shown[3], "4");
    EXPECT_EQ(shown[5], "Not Monitored");
    EXPECT_EQ(shown[6], "Not Monitored");
    EXPECT_NE(shown[4], "Do Not Use");

    Mt26().WorldMouseMove(3, 10); // near the corner where never-drawn records would sit
    for (const char *b : kBoxes)
        EXPECT_EQ(Box(b), "") << b;
}

TEST_F(WorldMapTest, ResetLoadsWorldBmpOrKeepsThePicture)
{
    auto &mt18 = W<TFrmMT18>("FrmMT18");
    mt18.Map()->SetPicture(WorldMap::Blank(360, 180));
    mt18.DrawPoint(0, 0);
    mt18.Reset(); // no world.bmp here: the picture is whitened and kept
    EXPECT_EQ(mt18.Map()->Picture().size(), QSize(360, 180));
    EXPECT_EQ(mt18.Map()->Picture().pixelColor(181 + 4, 77 + 10), QColor(Qt::white));

    QImage file(100, 50, QImage::Format_RGB32);
    file.fill(Qt::green);
    ASSERT_TRUE(file.save("world.bmp"));
    mt18.Reset();
    EXPECT_EQ(mt18.Map()->Picture().size(), QSize(100, 50));
    Mt26().Reset();
    EXPECT_EQ(Mt26().Map()->Picture().size(), QSize(100, 50));

    QFile::remove("world.bmp");
    QFile bad("world.bmp");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    Mt26().Reset();
    EXPECT_EQ(Mt26().Map()->Picture().size(), QSize(100, 50));

    // A FIFO of that name, nobody writing to it, is passed over at once.
    QFile::remove("world.bmp");
    ASSERT_EQ(::mkfifo("world.bmp", 0600), 0);
    Mt26().Reset();
    EXPECT_EQ(Mt26().Map()->Picture().size(), QSize(100, 50));
}

TEST_F(WorldMapTest, ResetTakesTheInstalledWorldBmpWhenTheCurrentDirectoryHasNone)
{
    QTemporaryDir root; // an installation of its own: <root>/share/velmar-userapp/world.bmp
    ASSERT_TRUE(QDir().mkpath(root.filePath("share/velmar-userapp")));
    SetInstallRoot(root.path());
    struct Case {
        QSize inCwd, installed; // an empty size: no such file
        QSize shown;
    } const cases[] = {
        {{}, {90, 45}, {90, 45}},             // only the installed copy
        {{100, 50}, {90, 45}, {100, 50}},     // the current directory's copy first
        {{}, {}, {100, 50}},                  // neither: the picture is kept
    };
    auto save = [](QSize size, const QString &path) {
        QFile::remove(path);
        if (size.isEmpty())
            return;
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::green);
        ASSERT_TRUE(picture.save(path, "BMP"));
    };
    for (const Case &c : cases) {
        save(c.inCwd, "world.bmp");
        save(c.installed, root.filePath("share/velmar-userapp/world.bmp"));
        W<TFrmMT18>("FrmMT18").Reset();
        Mt26().Reset();
        EXPECT_EQ(W<TFrmMT18>("FrmMT18").Map()->Picture().size(), c.shown);
        EXPECT_EQ(Mt26().Map()->Picture().size(), c.shown);
    }
    SetInstallRoot({});
}

namespace {

// Pixels of the "+" cells that are neither the background nor the mark's colour: the blended
// edges. A mark drawn for the screen has edges one screen pixel wide; a picture scaled up has
// edges as wide as the scale.
int BlendedPixels(const QImage &image, const std::vector<QPoint> &marks, int scale, QColor mark)
{
    int blended = 0;
    for (const QPoint &m : marks)
        for (int y = m.y() * scale; y < (m.y() + 32) * scale; ++y)
            for (int x = m.x() * scale; x < (m.x() + 24) * scale; ++x) {
                const QColor c = image.pixelColor(x, y);
                blended += c != QColor(Qt::white) && c != mark;
            }
    return blended;
}

} // namespace

TEST(WorldMapScale, AtTwiceTheResolutionTheMarksAreDrawnSharpNotScaledUp)
{
    WorldMap map;
    QImage white(360, 180, QImage::Format_RGB32);
    white.fill(Qt::white);
    map.SetPicture(white);
    const QColor blue(0, 0, 255);
    std::vector<QPoint> marks;
    for (const auto &[lat, lon] : {std::pair{0, 0}, {40, -20}, {-45, 135}})
        marks.push_back(map.Mark(lat, lon, blue));

    const QImage sharp = map.Rendered(QSize(720, 360));
    ASSERT_EQ(sharp.size(), QSize(720, 360));
    const QImage scaledUp = map.Picture().scaled(720, 360, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const int sharpEdges = BlendedPixels(sharp, marks, 2, blue);
    const int scaledEdges = BlendedPixels(scaledUp, marks, 2, blue);
    const int pictureEdges = BlendedPixels(map.Picture(), marks, 1, blue);
    // Measured: 108 blended pixels in the picture, 270 drawn at twice the size (the edges twice
    // as long, one pixel wide), 864 in the picture scaled up (twice as long and as wide, twice).
    EXPECT_LE(sharpEdges, 3 * pictureEdges);
    EXPECT_LT(sharpEdges, scaledEdges / 2);

    // The same marks in the same places: each one's box, twice the picture's, within a pixel.
    auto box = [&](const QImage &image, QPoint m, int scale) {
        QRect r;
        for (int y = m.y() * scale; y < (m.y() + 32) * scale; ++y)
            for (int x = m.x() * scale; x < (m.x() + 24) * scale; ++x)
                if (image.pixelColor(x, y) != QColor(Qt::white))
                    r |= QRect(x, y, 1, 1);
        return r;
    };
    for (const QPoint &m : marks) {
        const QRect once = box(map.Picture(), m, 1), twice = box(sharp, m, 2);
        ASSERT_FALSE(once.isEmpty());
        EXPECT_NEAR(twice.left(), 2 * once.left(), 1);
        EXPECT_NEAR(twice.top(), 2 * once.top(), 1);
        EXPECT_NEAR(twice.right(), 2 * once.right() + 1, 1);
        EXPECT_NEAR(twice.bottom(), 2 * once.bottom() + 1, 1);
    }
}

TEST(WorldMapScale, AMarkIsItsPlusWrittenInItsCellOverThePicture)
{
    WorldMap map;
    map.SetPicture(WorldMap::Blank(360, 180));
    QImage expected = map.Picture();
    QPainter p(&expected);
    QFont font = p.font();
    font.setPointSize(14);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    p.setFont(font);
    for (const auto &[lat, lon, colour] : {std::tuple{40, -20, Qt::blue}, {-45, 135, Qt::red}, {0, 0, Qt::black}}) {
        const QPoint at = map.Mark(lat, lon, colour);
        p.setPen(QColor(colour));
        p.drawText(QRect(at, QSize(24, 32)), Qt::AlignLeft | Qt::AlignTop, "+");
    }
    p.end();
    EXPECT_EQ(map.Picture(), expected);
}

TEST(WorldMapScale, MarksDrawnAfterTheViewAreTheSameAsMarksDrawnBefore)
{
    WorldMap map;
    map.SetPicture(WorldMap::Blank(360, 180));
    map.Mark(0, 0, Qt::blue);
    map.Write(50, 90, "+ Monitored", Qt::blue, 10);
    const QImage early = map.Rendered(QSize(720, 360)); // the view exists: later marks go onto it
    map.Mark(40, -20, Qt::red);
    map.Mark(-45, 135, Qt::black);
    const QImage incremental = map.Rendered(QSize(720, 360));
    const QImage rebuilt = (map.Rendered(QSize(540, 270)), map.Rendered(QSize(720, 360)));
    EXPECT_NE(early, incremental);
    EXPECT_EQ(incremental, rebuilt);
}

TEST(WorldMapScale, APlaceDrawnAgainIsRememberedOnce)
{
    WorldMap map;
    map.SetPicture(WorldMap::Blank(360, 180));
    for (int message = 0; message < 1000; ++message) {
        map.Mark(0, 0, message % 2 ? Qt::blue : Qt::red);
        map.Mark(40, -20, Qt::blue);
        map.Write(50, 90, "+ Monitored", Qt::blue, 10);
    }
    EXPECT_EQ(map.Drawings(), 3);
    // The newest drawing of a place is the one shown: the last mark at 0, 0 was blue.
    const QImage view = map.Rendered(QSize(720, 360));
    int red = 0;
    for (int y = 0; y < view.height(); ++y)
        for (int x = 0; x < view.width(); ++x)
            red += view.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_EQ(red, 0);
    EXPECT_TRUE(MarkHas(map.Picture(), WorldMap::MarkPosition(0, 0, 360, 180), QColor(Qt::blue)));
    map.Fill(Qt::white); // a reset forgets them
    EXPECT_EQ(map.Drawings(), 0);
}

// Run at a device pixel ratio of 1 and, registered a second time, of 2: the widget shows the
// picture itself at 1 and the sharp rendering at 2.
TEST(WorldMapScale, TheWidgetShowsWhatItDrawsForItsScreen)
{
    WorldMap map;
    map.SetPicture(WorldMap::Blank(360, 180));
    map.Mark(40, -20, Qt::blue);
    map.resize(360, 180);
    const qreal ratio = map.devicePixelRatioF();
    const QImage grabbed = map.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QSize pixels(qRound(360 * ratio), qRound(180 * ratio));
    ASSERT_EQ(grabbed.size(), pixels);
    if (ratio == 1) {
        EXPECT_EQ(grabbed, map.Picture());
    } else {
        QImage expected = map.Rendered(pixels);
        expected.setDevicePixelRatio(grabbed.devicePixelRatio());
        EXPECT_EQ(grabbed, expected);
    }
}

// A map taller than its picture shows the picture at its top, painted by a child of the same
// size; the space below is left to what lies behind. Moves over the picture read it out.
TEST(WorldMapScale, ThePictureFillsAChildOfItsShownSizeWhoseMovesReadThePicture)
{
    WorldMap map;
    map.SetPicture(WorldMap::Blank(360, 180));
    map.resize(400, 400);
    map.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&map));
    QWidget *canvas = map.childAt(200, 100);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->geometry(), QRect(0, 0, 400, 200));
    EXPECT_TRUE(canvas->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(map.childAt(200, 300), nullptr);

    QPoint read;
    QObject::connect(&map, &WorldMap::PictureMouseMove, [&](int x, int y) { read = {x, y}; });
    QMouseEvent move(QEvent::MouseMove, QPointF(200, 100), canvas->mapToGlobal(QPointF(200, 100)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    EXPECT_EQ(read, QPoint(180, 90)); // 200 of 400 shown pixels across, 100 of 200 down
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
