#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class TMOPSMsg;
struct IGPBuffer;
struct PRNMaskBuffer;
struct ServiceMsgBuffer;

// The message types the application knows by number, one row each. The server's request list,
// the broadcast status window's indicators, the logging window's check boxes, what the signal
// overview reads and which core decoder reads a type are all taken from this one table.

// What the signal overview reads from a message shown as the type.
enum class OverviewReading {
    None,
    FastCorrections,       // thirteen corrections and indicators from the type's first mask number
    Integrity,             // an indicator per mask number
    Degradation,           // the system latency and a degradation indicator per mask number
    DegradationParameters, // the type 10 factors
    MixedCorrections,      // six fast corrections of a block and a long-term half
    LongTerm,              // two long-term halves
    GridDelays,            // the grid points the block's delays went to
    Covariance,            // the satellites of the two covariance matrices
    Mask,                  // the PRN mask, as the type 1 window has filed it
    GridMask,              // the band's grid points, as the type 18 decoder has marked them
    Service,               // the issue of data of the service messages
};

// The decoded state a decoder reads or fills.
struct DecoderBuffers {
    PRNMaskBuffer &mask;
    IGPBuffer &grid;
    ServiceMsgBuffer &service;
};
using DecoderFactory = std::unique_ptr<TMOPSMsg> (*)(DecoderBuffers &);

namespace decoders {
std::unique_ptr<TMOPSMsg> MT06(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT07(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT09(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT10(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT12(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT17(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT18(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT24(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT25(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT26(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT27(DecoderBuffers &);
std::unique_ptr<TMOPSMsg> MT28(DecoderBuffers &);
} // namespace decoders

struct HandledType {
    int type;
    bool requested;        // its latest message is asked for after authorisation
    bool statusIndicator;  // recorded for the broadcast mode, with an indicator in the status window
    bool logBox;           // a check box of its own in the logging window
    OverviewReading overview;
    DecoderFactory decoder; // the decoder of its fields; null where the intake or a window reads them
};

// In the order of the type numbers, which is the order of every list built from the table.
inline constexpr HandledType kHandledTypes[] = {
    // type, requested, status, log box, overview, decoder
    // A type 0 with corrections is shown, and read, as the type 2 it carries.
    {0, true, true, true, OverviewReading::None, nullptr},
    {1, true, true, true, OverviewReading::Mask, nullptr}, // the mask, filed by the type 1 window
    {2, true, true, true, OverviewReading::FastCorrections, nullptr},
    {3, true, true, true, OverviewReading::FastCorrections, nullptr},
    {4, true, true, true, OverviewReading::FastCorrections, nullptr},
    {5, true, true, true, OverviewReading::FastCorrections, nullptr},
    {6, true, true, true, OverviewReading::Integrity, &decoders::MT06},
    {7, true, true, true, OverviewReading::Degradation, &decoders::MT07},
    {9, true, true, true, OverviewReading::None, &decoders::MT09},
    {10, true, true, true, OverviewReading::DegradationParameters, &decoders::MT10},
    {12, true, true, true, OverviewReading::None, &decoders::MT12},
    {17, true, true, true, OverviewReading::None, &decoders::MT17},
    {18, true, true, true, OverviewReading::GridMask, &decoders::MT18},
    {24, true, true, true, OverviewReading::MixedCorrections, &decoders::MT24},
    {25, true, true, true, OverviewReading::LongTerm, &decoders::MT25},
    {26, true, true, true, OverviewReading::GridDelays, &decoders::MT26},
    {27, true, true, true, OverviewReading::Service, &decoders::MT27},
    {28, false, true, true, OverviewReading::Covariance, &decoders::MT28},
    {62, false, true, true, OverviewReading::None, nullptr}, // internal test message
    {63, true, true, true, OverviewReading::None, nullptr},  // null message
};

namespace catalogue {

constexpr int kTypeCount = 64; // six bits of type

constexpr bool Ordered()
{
    int last = -1;
    for (const HandledType &t : kHandledTypes) {
        if (t.type <= last || t.type >= kTypeCount)
            return false;
        last = t.type;
    }
    return true;
}
static_assert(Ordered(), "one row per type, in the order of the type numbers");

template <bool HandledType::*Column>
constexpr std::size_t CountOf()
{
    std::size_t n = 0;
    for (const HandledType &t : kHandledTypes)
        n += (t.*Column) ? 1 : 0;
    return n;
}

// The types whose row has the column set, in type order.
template <bool HandledType::*Column>
constexpr std::array<int, CountOf<Column>()> TypesWith()
{
    std::array<int, CountOf<Column>()> types{};
    std::size_t n = 0;
    for (const HandledType &t : kHandledTypes)
        if (t.*Column)
            types[n++] = t.type;
    return types;
}

constexpr std::array<signed char, kTypeCount> RowsByType()
{
    std::array<signed char, kTypeCount> rows{};
    for (auto &r : rows)
        r = -1;
    for (std::size_t i = 0; i < std::size(kHandledTypes); ++i)
        rows[static_cast<std::size_t>(kHandledTypes[i].type)] = static_cast<signed char>(i);
    return rows;
}
inline constexpr std::array<signed char, kTypeCount> kRowOfType = RowsByType();

} // namespace catalogue

// The row of a type; nullptr for a type the table does not hold.
constexpr const HandledType *FindHandledType(int type)
{
    if (type < 0 || type >= catalogue::kTypeCount || catalogue::kRowOfType[static_cast<std::size_t>(type)] < 0)
        return nullptr;
    return &kHandledTypes[catalogue::kRowOfType[static_cast<std::size_t>(type)]];
}

inline constexpr auto kRequestedTypes = catalogue::TypesWith<&HandledType::requested>();
inline constexpr auto kStatusTypes = catalogue::TypesWith<&HandledType::statusIndicator>();
inline constexpr auto kLogBoxTypes = catalogue::TypesWith<&HandledType::logBox>();

// The server answers each request once; the request phase ends with the last answer.
inline constexpr int kRequestCount = static_cast<int>(kRequestedTypes.size());
// A type added to or taken from the request list changes the request phase: change this on purpose.
static_assert(kRequestCount == 18, "the request phase is 18 answers long");

// The request list as it is sent: "GETMSG,<type>,1" lines, four to a write.
const std::vector<std::string> &RequestListWrites();
