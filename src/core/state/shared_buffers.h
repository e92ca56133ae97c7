#pragma once

#include <cstdint>

// Decoded state that later messages depend on. Owned by the main window, zero-filled
// when created and again when a stale connection is replaced.

constexpr int kSlots = 210;  // PRN mask slots 1..210
constexpr int kIodps = 4;    // IODP 0..3

struct PRNMaskBuffer {
    uint8_t received;            // 1 once any type 1 message has been processed
    uint16_t currentIODP;        // IODP of the most recent type 1 message
    uint16_t mask[kIodps][kSlots];  // [IODP][slot - 1]: 1 where the slot is in the mask
    uint16_t slotList[kIodps][kSlots]; // [IODP][n - 1]: slot of PRN mask number n, 0 for none
};

constexpr int kIgpCount = 2192;

struct IGPEntry {
    int32_t InMask;        // only the low byte is meaningful
    int32_t Index;         // the entry's own index, written when its mask bit is set
    int32_t Latitude;      // whole degrees, north positive
    int32_t Longitude;     // whole degrees, east positive
    int32_t Band;          // 0..10
    float VerticalDelay;   // metres; 10000 stands for "Do Not Use", -10000 for not yet received
    int32_t GIVEI;
    float GIVE;            // metres; 10000 stands for "Not Monitored"
    float VarGIVE;         // square metres; 10000 stands for "Not Monitored"
};

struct IGPBuffer {
    IGPEntry entry[kIgpCount];
};

// First entry of each band: band b < 9 at 201 * b, band 9 at 1808, band 10 at 2000.
constexpr int kBandCount = 11;
constexpr int BandFirstEntry(int band) { return band <= 9 ? 201 * band - (band == 9 ? 1 : 0) : 2000; }
constexpr int BandSize(int band) { return band <= 7 ? 201 : band == 8 ? 200 : 192; }

struct ServiceRegion {
    int32_t Latitude1, Longitude1, Latitude2, Longitude2; // whole degrees
    int32_t Shape;                                        // 1 square, 0 triangle
};

constexpr int kServiceMessages = 8;
constexpr int kRegionsKept = 5;

struct ServiceMessage {
    int32_t Valid; // 1 once a message with this number and a region was decoded
    int32_t MessageNumber;
    int32_t NumberOfRegions;
    int32_t PriorityCode;
    double DeltaUDREInside;  // the factor, not the indicator
    double DeltaUDREOutside;
    ServiceRegion Region[kRegionsKept];
};

struct ServiceMsgBuffer {
    int32_t IODS;
    int32_t NumberOfMessages; // broadcast field + 1
    ServiceMessage Message[kServiceMessages];
};

static_assert(sizeof(IGPEntry) == 36, "nine 32-bit words per grid point");
static_assert(BandFirstEntry(8) == 1608 && BandFirstEntry(9) == 1808 && BandFirstEntry(10) == 2000);
