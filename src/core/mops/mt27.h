#pragma once

#include "mops/named_field.h"
#include "state/shared_buffers.h"

// The fields ahead of a service message's regions, all as broadcast: the number of messages
// less one, the delta UDRE indicators rather than their factors.
struct ServiceHeader {
    int32_t IODS = 0, NumberOfMessages = 0, MessageNumber = 0, NumberOfRegions = 0, PriorityCode = 0;
    int32_t DeltaInside = 0, DeltaOutside = 0;
};

namespace mt27 {
constexpr FieldList<ServiceHeader, 7> kFields = {{
    {"IODS", {15, 3}, &ServiceHeader::IODS},
    {"Number of messages", {18, 3}, &ServiceHeader::NumberOfMessages},
    {"Message number", {21, 3}, &ServiceHeader::MessageNumber},
    {"Number of regions", {24, 3}, &ServiceHeader::NumberOfRegions},
    {"Priority code", {27, 2}, &ServiceHeader::PriorityCode},
    {"deltaUDRE - inside", {29, 4}, &ServiceHeader::DeltaInside},
    {"deltaUDRE - outside", {33, 4}, &ServiceHeader::DeltaOutside},
}};
// Region 0; region k is kRegionBits * k later.
constexpr int kRegionBits = 35;
constexpr FieldList<ServiceRegion, 5> kRegion = {{
    {"Latitude 1", {37, 8, true}, &ServiceRegion::Latitude1},
    {"Longitude 1", {45, 9, true}, &ServiceRegion::Longitude1},
    {"Latitude 2", {54, 8, true}, &ServiceRegion::Latitude2},
    {"Longitude 2", {62, 9, true}, &ServiceRegion::Longitude2},
    {"Region Shape", {71, 1}, &ServiceRegion::Shape},
}};
constexpr Field kIODS = kFields[0].field;
constexpr Field kNumberOfMessages = kFields[1].field;
constexpr Field kMessageNumber = kFields[2].field;
constexpr Field kNumberOfRegions = kFields[3].field;
constexpr Field kPriority = kFields[4].field;
constexpr Field kDeltaInside = kFields[5].field;
constexpr Field kDeltaOutside = kFields[6].field;
constexpr Field kLatitude1 = kRegion[0].field;
constexpr Field kLongitude1 = kRegion[1].field;
constexpr Field kLatitude2 = kRegion[2].field;
constexpr Field kLongitude2 = kRegion[3].field;
constexpr Field kShape = kRegion[4].field;
}

// Service message: filed into the buffer by its message number. Of six or seven announced
// regions the first five are kept; a record has room for no more.
class TMT27 final : public TMOPSMsg {
public:
    explicit TMT27(ServiceMsgBuffer &service) : service_(service) {}
    void Decode() override;

private:
    ServiceMsgBuffer &service_;
};
