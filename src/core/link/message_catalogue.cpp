#include "link/message_catalogue.h"

#include "mops/mt06.h"
#include "mops/mt07.h"
#include "mops/mt09.h"
#include "mops/mt10.h"
#include "mops/mt12.h"
#include "mops/mt17.h"
#include "mops/mt18.h"
#include "mops/mt24.h"
#include "mops/mt25.h"
#include "mops/mt26.h"
#include "mops/mt27.h"
#include "mops/mt28.h"

namespace decoders {
std::unique_ptr<TMOPSMsg> MT06(DecoderBuffers &) { return std::make_unique<TMT06>(); }
std::unique_ptr<TMOPSMsg> MT07(DecoderBuffers &) { return std::make_unique<TMT07>(); }
std::unique_ptr<TMOPSMsg> MT09(DecoderBuffers &) { return std::make_unique<TMT09>(); }
std::unique_ptr<TMOPSMsg> MT10(DecoderBuffers &) { return std::make_unique<TMT10>(); }
std::unique_ptr<TMOPSMsg> MT12(DecoderBuffers &) { return std::make_unique<TMT12>(); }
std::unique_ptr<TMOPSMsg> MT17(DecoderBuffers &) { return std::make_unique<TMT17>(); }
std::unique_ptr<TMOPSMsg> MT18(DecoderBuffers &b) { return std::make_unique<TMT18>(b.grid); }
std::unique_ptr<TMOPSMsg> MT24(DecoderBuffers &b) { return std::make_unique<TMT24>(b.mask); }
std::unique_ptr<TMOPSMsg> MT25(DecoderBuffers &b) { return std::make_unique<TMT25>(b.mask); }
std::unique_ptr<TMOPSMsg> MT26(DecoderBuffers &b) { return std::make_unique<TMT26>(b.grid); }
std::unique_ptr<TMOPSMsg> MT27(DecoderBuffers &b) { return std::make_unique<TMT27>(b.service); }
std::unique_ptr<TMOPSMsg> MT28(DecoderBuffers &b) { return std::make_unique<TMT28>(b.mask); }
} // namespace decoders

const std::vector<std::string> &RequestListWrites()
{
    static const std::vector<std::string> writes = [] {
        constexpr std::size_t kPerWrite = 4;
        std::vector<std::string> w;
        for (std::size_t i = 0; i < kRequestedTypes.size(); ++i) {
            if (i % kPerWrite == 0)
                w.emplace_back();
            w.back() += "GETMSG," + std::to_string(kRequestedTypes[i]) + ",1\r\n";
        }
        return w;
    }();
    return writes;
}
