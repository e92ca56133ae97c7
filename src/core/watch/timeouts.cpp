#include "watch/timeouts.h"

#include "mops/fast_degradation.h"

#include <array>
#include <cstddef>

namespace {

struct ItemRow {
    Item item;
    const char *name;
    int type;            // the message type that brings it, for the items of the signal as a whole
    int enRoute, precise; // time-outs (s): en route through non-precision approach, precision approach
};

// One row per item, in the order of the enumeration. The time-out table of the standard lists
// the items by the types that carry them; type 0 is no entry of it: its minute is the one the
// broadcast status looks back over, and the GEO almanacs' 900 s stands in both columns.
constexpr ItemRow kItems[] = {
    {Item::TestMode, "type 0 (test mode)", 0, kTestModeSeconds, kTestModeSeconds},
    {Item::Mask, "PRN mask (type 1)", 1, 600, 600},
    {Item::Degradation, "degradation factors (type 7)", 7, 360, 240},
    {Item::GeoNavigation, "GEO navigation message (type 9)", 9, 360, 240},
    {Item::DegradationParameters, "degradation parameters (type 10)", 10, 360, 240},
    {Item::NetworkTime, "network time (type 12)", 12, 86400, 86400},
    {Item::GeoAlmanacs, "GEO almanacs (type 17)", 17, 900, 900},
    {Item::GridMask, "ionospheric grid mask (type 18)", 18, 1200, 1200},
    {Item::Service, "service message (type 27)", 27, 86400, 86400},
    {Item::FastCorrection, "fast correction", -1, -1, -1},
    {Item::Udrei, "UDREI", -1, 18, 12},
    {Item::LongTerm, "long-term correction", -1, 360, 240},
    {Item::Covariance, "covariance (type 28)", -1, 360, 240},
    {Item::GridDelay, "delay and GIVE (type 26)", -1, 600, 600},
};
static_assert(std::size(kItems) == kItemCount);

constexpr bool InEnumerationOrder()
{
    for (std::size_t i = 0; i < std::size(kItems); ++i)
        if (static_cast<std::size_t>(kItems[i].item) != i)
            return false;
    return true;
}
static_assert(InEnumerationOrder(), "one row per item, in the order of the enumeration");

// Maximum update intervals by type. Type 24 carries fast corrections as well as a long-term
// half, so the fast corrections' 60 s is its limit; a type that also carries the UDREIs must
// in fact come every 6 s, which is checked per satellite (kUdreiUpdateInterval).
constexpr std::array<int, 64> MaxIntervals()
{
    std::array<int, 64> limit{};
    for (auto &l : limit)
        l = -1;
    limit[1] = 120;
    limit[2] = limit[3] = limit[4] = limit[5] = 60;
    limit[6] = 6;
    limit[7] = limit[9] = limit[10] = 120;
    limit[12] = limit[17] = limit[18] = 300;
    limit[24] = 60;
    limit[25] = 120;
    limit[26] = limit[27] = 300;
    limit[28] = 120;
    return limit;
}
constexpr std::array<int, 64> kMaxInterval = MaxIntervals();

} // namespace

int Timeout(Item item, Column column)
{
    const ItemRow &row = kItems[static_cast<std::size_t>(item)];
    return column == Column::PrecisionApproach ? row.precise : row.enRoute;
}

int FastCorrectionTimeout(int indicator, Column column)
{
    const FastDegradation &row = kFastDegradation[static_cast<std::size_t>(indicator & 0xF)];
    return column == Column::PrecisionApproach ? row.pa : row.npa;
}

const char *ItemName(Item item)
{
    return kItems[static_cast<std::size_t>(item)].name;
}

int SignalItemOfType(int type)
{
    for (int i = 0; i < kSignalItems; ++i)
        if (kItems[i].type == type)
            return i;
    return -1;
}

int MaxUpdateInterval(int type)
{
    return type >= 0 && type < 64 ? kMaxInterval[static_cast<std::size_t>(type)] : -1;
}

const char *ColumnName(Column column)
{
    return column == Column::PrecisionApproach ? "precision approach" : "en route to non-precision approach";
}
