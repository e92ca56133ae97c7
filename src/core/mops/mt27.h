#pragma once

#include "mops/field.h"
#include "state/shared_buffers.h"

namespace mt27 {
constexpr Field kIODS{15, 3};
constexpr Field kNumberOfMessages{18, 3};
constexpr Field kMessageNumber{21, 3};
constexpr Field kNumberOfRegions{24, 3};
constexpr Field kPriority{27, 2};
constexpr Field kDeltaInside{29, 4};
constexpr Field kDeltaOutside{33, 4};
constexpr int kRegionBits = 35;
constexpr Field kLatitude1{37, 8, true};
constexpr Field kLongitude1{45, 9, true};
constexpr Field kLatitude2{54, 8, true};
constexpr Field kLongitude2{62, 9, true};
constexpr Field kShape{71, 1};
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
