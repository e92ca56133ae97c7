// Every other handled type, from encoded message to window cells.
#include "support/window_fixture.h"

#include "grid_map_forms.h"
#include "world_map.h"

#include "corrections_forms.h"
#include "geos_form.h"
#include "mt06_form.h"

#include <QApplication>
#include <QLineEdit>

#include <cmath>

namespace {

TEST_F(WindowTest, IntegrityAndDegradationNameSatellitesByTheCurrentMask)
{
    TIntegrityInformation integ;
    integ.IODF2 = 1;
    integ.IODF3 = 2;
    integ.IODF4 = 3;
    integ.IODF5 = 0;
    integ.Slot[0].UDREI = 14;
    integ.Slot[1].UDREI = 15;
    integ.Slot[2].UDREI = 2;
    Feed(sbas::Integrity(integ)); // no mask yet: nothing
    EXPECT_EQ(Cell("FrmMT06", 1, 0), "");

    Feed(sbas::PrnMask({4, 9, 121}, 0));
    Feed(sbas::Integrity(integ));
    EXPECT_EQ(Row("FrmMT06", 1, 4), (QStringList{"4", "14", "Not Monitored", "Not Monitored"}));
    EXPECT_EQ(Row("FrmMT06", 2, 4), (QStringList{"9", "15", "Do Not Use", "Do Not Use"}));
    EXPECT_EQ(Row("FrmMT06", 3, 4), (QStringList{"121", "2", "1.25", "0.1444"}));
    EXPECT_EQ(Cell("FrmMT06", 4, 0), ""); // no fourth masked satellite
    EXPECT_EQ(W<QWidget>("FrmMT06").findChild<QLineEdit *>("IODF4")->text(), "3");

    TFastCorDegFactors deg;
    deg.SystemLatency = 6;
    deg.IODP = 0;
    deg.DegradationIndicator[1] = 7;
    Feed(sbas::DegradationFactors(deg));
    EXPECT_EQ(Row("FrmMT07", 2, 6), (QStringList{"9", "7", "0.00045", "81", "54", "27"}));
    EXPECT_EQ(Row("FrmMT07", 1, 6), (QStringList{"4", "0", "0", "180", "120", "60"}));
    EXPECT_EQ(W<QWidget>("FrmMT07").findChild<QLineEdit *>("SystemLatency")->text(), "6");
}

TEST_F(WindowTest, StandaloneTypesFillColumnOne)
{
    TGEONavigation nav{5400 * 16, 3, -42949672.96, 0.08, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    nav.Af0 = std::ldexp(1.0, -31);
    Feed(sbas::GeoNavigation(nav));
    EXPECT_EQ(Cell("FrmMT09", 0, 1), "86400");
    EXPECT_EQ(Cell("FrmMT09", 2, 1), "-42949672.96");
    EXPECT_EQ(Cell("FrmMT09", 11, 1), "4.656612873077393E-10");

    Feed(sbas::DegradationParameters({0.002f, 0, 0, 511, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 12.7f}));
    EXPECT_EQ(Cell("FrmMT10", 0, 1), "0.002");
    EXPECT_EQ(Cell("FrmMT10", 3, 1), "511");
    EXPECT_EQ(Cell("FrmMT10", 15, 1), "12.7");

    TWAASNetworkTime t;
    t.A0_WNT = -2.0f;
    t.DeltaTLS = -14;
    t.GPSTOW = 518400;
    Feed(sbas::NetworkTime(t));
    EXPECT_EQ(Cell("FrmMT12", 1, 1), "-2");
    EXPECT_EQ(Cell("FrmMT12", 4, 1), "-14");
    EXPECT_EQ(Cell("FrmMT12", 9, 1), "518400");
}

TEST_F(WindowTest, AlmanacsLightTheirGeoLine)
{
    sbas::AlmanacMsg m;
    m.geo[0] = {0, 126, 2600, -5200, 26000, 0, 0, 0, true, false, true, ""};
    m.providerId[0] = 1;
    m.geo[1].PRN = 140; // no line for it: skipped
    Feed(sbas::GeoAlmanacs(m));
    auto &geos = Painted<TFrmGEOs>("FrmGEOs");
    EXPECT_TRUE(geos.IndicatorOn("R126"));
    EXPECT_FALSE(geos.IndicatorOn("C126"));
    EXPECT_TRUE(geos.IndicatorOn("I126"));
    EXPECT_EQ(geos.Text("S126"), "ORVAN");
    EXPECT_EQ(geos.Text("Y126"), "-5200");
    EXPECT_EQ(geos.Text("S120"), "NONE");
}

TEST_F(WindowTest, GridTypesListMaskedPointsInEntryOrder)
{
    auto mask = [](int band, std::set<int> points) {
        sbas::IgpMaskMsg m;
        m.band = band;
        m.points = std::move(points);
        return sbas::IgpMask(m);
    };
    Feed(mask(5, {0, 1}));
    Feed(mask(3, {9}));
    EXPECT_EQ(Row("FrmMT18", 1, 4), (QStringList{"612", "3", "20°S", "60°W"}));
    EXPECT_EQ(Row("FrmMT18", 2, 4), (QStringList{"1005", "5", "75°S", "20°E"}));
    EXPECT_EQ(Cell("FrmMT18", 3, 0), "1006");

    // Band 4 point at latitude -45, longitude 0: not yet given a delay, then given one.
    Feed(mask(4, {104}));
    EXPECT_EQ(frm.Igp().entry[908].Latitude, -45);
    EXPECT_EQ(frm.Igp().entry[908].Longitude, 0);
    sbas::IonoDelayMsg d;
    d.band = 5;
    d.delay = {63.875, 2.5};
    d.givei = {15, 3};
    Feed(sbas::IonosphericDelays(d));
    EXPECT_EQ(Row("FrmMT26", 2, 8), (QStringList{"908", "4", "45°S", "0°E", "Do Not Use", "0", "Not Monitored",
                                                 "Not Monitored"}));
    EXPECT_EQ(Row("FrmMT26", 3, 8), (QStringList{"1005", "5", "75°S", "20°E", "Do Not Use", "15", "Not Monitored",
                                                 "Not Monitored"}));
    EXPECT_EQ(Row("FrmMT26", 4, 8), (QStringList{"1006", "5", "65°S", "20°E", "2.5", "3", "1.2", "0.1331"}));
}

SbasFrame MaskOf(int band, std::set<int> points)
{
    sbas::IgpMaskMsg m;
    m.band = band;
    m.points = std::move(points);
    return sbas::IgpMask(m);
}

// Every point of the block gets the delay; one position may get another.
SbasFrame Delays(int band, int block, double delay, int position = -1, double delayThere = 0)
{
    sbas::IonoDelayMsg d;
    d.band = band;
    d.block = block;
    d.delay.fill(delay);
    if (position >= 0)
        d.delay[position] = delayThere;
    d.givei.fill(3);
    return sbas::IonosphericDelays(d);
}

TEST_F(WindowTest, GridDelayRowsShowTheLatestValueOfEveryPoint)
{
    std::set<int> thirty;
    for (int p = 0; p < 30; ++p)
        thirty.insert(p);
    Feed(MaskOf(5, thirty));
    struct Step {
        const char *what;
        SbasFrame message;
        const char *first, *last; // the delays rows 1 to 15 and rows 16 to 30 then show
    };
    const Step steps[] = {
        {"first block", Delays(5, 0, 1.5), "1.5", "Do Not Use"},
        {"second block", Delays(5, 1, 2.5), "1.5", "2.5"},
        {"first block again: the second keeps its values", Delays(5, 0, 3), "3", "2.5"},
        {"a value that changes back", Delays(5, 0, 1.5), "1.5", "2.5"},
        {"the same message again", Delays(5, 0, 1.5), "1.5", "2.5"},
        {"another band leaves this one alone", Delays(4, 0, 7), "1.5", "2.5"},
    };
    for (const Step &s : steps) {
        Feed(s.message);
        for (int row = 1; row <= 30; ++row)
            ASSERT_EQ(Cell("FrmMT26", row, 4), row <= 15 ? s.first : s.last) << s.what << ", row " << row;
    }
    // A new mask moves the rows: point 0 leaves it, so every row shows the point after it.
    thirty.erase(0);
    Feed(MaskOf(5, thirty));
    Feed(Delays(5, 1, 4));
    EXPECT_EQ(Row("FrmMT26", 1, 5), (QStringList{"1006", "5", "65°S", "20°E", "1.5"}));
    EXPECT_EQ(Cell("FrmMT26", 15, 4), "2.5"); // point 15 took its value with the second block
    EXPECT_EQ(Cell("FrmMT26", 16, 4), "4");   // points 16 to 29 are the second block now
    EXPECT_EQ(Cell("FrmMT26", 29, 4), "4");

    // Band 8 masked whole follows band 5's 29 points as rows 30 to 229: its last block holds
    // points 195 to 199 (rows 225 to 229), far from the points compared first.
    std::set<int> band8;
    for (int p = 0; p < 200; ++p)
        band8.insert(p);
    Feed(MaskOf(8, band8));
    Feed(Delays(8, 13, 6));
    Feed(Delays(8, 12, 5.5));
    EXPECT_EQ(Cell("FrmMT26", 224, 4), "5.5");
    EXPECT_EQ((QStringList{Cell("FrmMT26", 225, 0), Cell("FrmMT26", 225, 4)}), (QStringList{"1803", "6"}));
    EXPECT_EQ((QStringList{Cell("FrmMT26", 229, 0), Cell("FrmMT26", 229, 4)}), (QStringList{"1807", "6"}));
    EXPECT_EQ(Cell("FrmMT26", 29, 4), "4");
}

TEST_F(WindowTest, AMaskSentAgainKeepsItsRowsAndACleanedWindowGetsThemBack)
{
    struct Step {
        const char *what;
        std::set<int> points; // of band 5
        bool cleanFirst;
        QStringList firstColumn; // rows 1 to 3
    };
    const Step steps[] = {
        {"first mask", {0, 1, 2}, false, {"1005", "1006", "1007"}},
        {"the same mask again", {0, 1, 2}, false, {"1005", "1006", "1007"}},
        {"a point leaves: the rows move up, the last keeps its text", {1, 2}, false, {"1006", "1007", "1007"}},
        {"the same mask into a cleaned window", {1, 2}, true, {"1006", "1007", ""}},
        {"the first point is back", {0, 1, 2}, false, {"1005", "1006", "1007"}},
    };
    for (const Step &s : steps) {
        if (s.cleanFirst)
            W<TFrmMT18>("FrmMT18").Reset();
        Feed(MaskOf(5, s.points));
        EXPECT_EQ((QStringList{Cell("FrmMT18", 1, 0), Cell("FrmMT18", 2, 0), Cell("FrmMT18", 3, 0)}), s.firstColumn)
            << s.what;
    }
}

// Where two bands share a place, the later band's mark lies on top, however the messages come.
TEST_F(WindowTest, AMarkAtASharedPlaceShowsTheLaterBandsPoint)
{
    std::set<int> all;
    for (int p = 0; p < 201; ++p)
        all.insert(p);
    for (int band = 0; band <= 9; ++band)
        Feed(MaskOf(band, all));
    const IGPBuffer &grid = frm.Igp();
    int earlier = -1, later = -1;
    for (int i = 0; i < BandFirstEntry(9) && later < 0; ++i)
        for (int j = BandFirstEntry(9); j < BandFirstEntry(9) + BandSize(9); ++j)
            if (grid.entry[i].Latitude == grid.entry[j].Latitude && grid.entry[i].Longitude == grid.entry[j].Longitude) {
                earlier = i;
                later = j;
                break;
            }
    ASSERT_GE(later, 0) << "no place is shared between band 9 and bands 0 to 8";
    const int earlierBand = grid.entry[earlier].Band;
    const int earlierPoint = earlier - BandFirstEntry(earlierBand), laterPoint = later - BandFirstEntry(9);
    auto &window = W<TFrmMT26>("FrmMT26");
    const auto pureReds = [&] {
        const QImage &picture = window.Map()->Picture();
        const QPoint at = WorldMap::MarkPosition(grid.entry[later].Latitude, grid.entry[later].Longitude,
                                                 picture.width(), picture.height());
        int reds = 0, blues = 0;
        for (int y = at.y(); y < at.y() + 32; ++y)
            for (int x = at.x(); x < at.x() + 24; ++x)
                if (picture.valid(x, y)) {
                    reds += picture.pixel(x, y) == qRgb(255, 0, 0);
                    blues += picture.pixel(x, y) == qRgb(0, 0, 255);
                }
        EXPECT_GT(blues, 0);
        return reds;
    };
    // Every point monitored (blue), so that only the point under test can be red.
    for (int band = 0; band <= 9; ++band)
        for (int block = 0; block * 15 < BandSize(band); ++block)
            Feed(Delays(band, block, 2.5));
    EXPECT_EQ(pureReds(), 0);
    // Do not use: red, but underneath; its neighbours stay blue.
    Feed(Delays(earlierBand, earlierPoint / 15, 2.5, earlierPoint % 15, 63.875));
    EXPECT_EQ(pureReds(), 0);
    Feed(Delays(9, laterPoint / 15, 2.25));
    EXPECT_EQ(pureReds(), 0);
}

TEST_F(WindowTest, ServiceMessagesOneRowPerRegion)
{
    for (int q = 0; q < 2; ++q) {
        sbas::ServiceMsg m;
        m.numberOfMessages = 2;
        m.messageNumber = q;
        m.deltaOutside = 15;
        m.regions = {{10, -20, 30, 40, 1}, {-5, 5, 0, -180, 0}};
        Feed(sbas::Service(m));
    }
    EXPECT_EQ(Row("FrmMT27", 1, 8), (QStringList{"01 / 01", "1", "100", "Square", "10°N", "20°W", "30°N", "40°E"}));
    EXPECT_EQ(Row("FrmMT27", 2, 4), (QStringList{"01 / 02", "1", "100", "Triangle"}));
    EXPECT_EQ(Cell("FrmMT27", 3, 0), "02 / 01");
    EXPECT_EQ(Cell("FrmMT27", 4, 0), "02 / 02");
    EXPECT_EQ(Cell("FrmMT27", 5, 0), "");
}

TEST_F(WindowTest, LongTermGridIsRefreshedUpToTheFirstSatelliteOutsideTheMask)
{
    Feed(sbas::PrnMask({3, 5, 7}, 1));
    auto half = [](std::array<int, 2> maskNumbers, double dx) {
        sbas::LongTermHalf h;
        h.maskNumber = maskNumbers;
        h.values[0].DeltaX = dx;
        h.values[1].DeltaX = dx;
        h.iodp = 1;
        return h;
    };
    // Satellite 2 of the mask passes, mask number 9 does not: the grid shows what passed.
    Feed(sbas::LongTermCorrections(half({2, 9}, -1.5), half({0, 0}, 0)));
    EXPECT_EQ(Row("FrmMT25", 1, 2), (QStringList{"5", "-1.5"}));
    // The first satellite fails: nothing is refreshed, though a later one would pass.
    Feed(sbas::LongTermCorrections(half({9, 3}, 2.5), half({0, 0}, 0)));
    EXPECT_EQ(Row("FrmMT25", 2, 2), (QStringList{"", ""}));
    // Emptied after a refresh it has not yet painted: the window shows nothing of it.
    Feed(sbas::LongTermCorrections(half({2, 0}, 3.5), half({0, 0}, 0)));
    W<TFrmMT25>("FrmMT25").Reset();
    EXPECT_EQ(Row("FrmMT25", 1, 2), (QStringList{"", ""}));
}

TEST_F(WindowTest, LongTermMixedAndCovarianceBySlot)
{
    Feed(sbas::PrnMask({3, 5, 7}, 1));
    sbas::LongTermHalf vel0;
    vel0.maskNumber = {2, 0};
    vel0.values[0].DeltaX = -1.5;
    vel0.iodp = 1;
    sbas::LongTermHalf vel1;
    vel1.velocityCode = 1;
    vel1.maskNumber = {3, 0};
    vel1.values[0].TODApplicability = 86384;
    vel1.iodp = 1;
    Feed(sbas::LongTermCorrections(vel0, vel1));
    EXPECT_EQ(Row("FrmMT25", 1, 10), (QStringList{"5", "-1.5", "0", "0", "", "", "", "0", "", ""}));
    EXPECT_EQ(Row("FrmMT25", 2, 10), (QStringList{"7", "0", "0", "0", "0", "0", "0", "0", "0", "86384"}));

    sbas::MixedMsg mixed;
    mixed.prc = {1, 2, 3, 0, 0, 0};
    mixed.udrei = {15, 0, 0, 0, 0, 0};
    mixed.longTerm = vel1;
    Feed(sbas::MixedCorrections(mixed));
    EXPECT_EQ(Row("FrmMT24", 1, 5, "FC_Table"), (QStringList{"3", "1", "15", "Do Not Use", "Do Not Use"}));
    EXPECT_EQ(Row("FrmMT24", 3, 2, "FC_Table"), (QStringList{"7", "3"}));
    EXPECT_EQ(Cell("FrmMT24", 1, 9, "LT_Table"), "86384");

    std::array<TClockEphCovMatrix, 2> cov{};
    cov[0] = {1, 0, 5, 10, 20, 30, 40, -1, -2, -3, 4, 5, 6};
    cov[1] = {3, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
    Feed(sbas::Covariance(cov, 1));
    auto &w = Painted<TFrmMT28>("FrmMT28");
    EXPECT_EQ(w.BoxText("Sat0_PRN"), "3");
    EXPECT_EQ(w.BoxText("Sat0_SF"), "1");
    EXPECT_EQ(w.BoxText("Sat0_E_12"), "-1");
    EXPECT_EQ(w.BoxText("Sat0_E_21"), "0");
    EXPECT_EQ(w.BoxText("Sat1_SF"), "0.03125");
    EXPECT_EQ(Row("FrmMT28", 1, 4), (QStringList{"3", "1", "10", "-1"}));
    EXPECT_EQ(Row("FrmMT28", 2, 2), (QStringList{"7", "0.03125"}));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
