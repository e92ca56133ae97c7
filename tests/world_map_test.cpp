// The grid world maps: mark positions and colours, the mouse read-out and the reset.
#include "support/window_fixture.h"

#include "grid_map_forms.h"
#include "world_map.h"

#include <QApplication>
#include <QFile>
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

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
