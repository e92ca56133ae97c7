#include "mops/mt10.h"

std::array<float *, 16> mt10::Members(TDegradationFactors &d)
{
    return {&d.Brrc,     &d.Cltc_lsb, &d.Cltc_v1,    &d.Iltc_v1, &d.Cltc_v0,    &d.Iltc_v0,
            &d.Cgeo_lsb, &d.Cgeo_v,   &d.Igeo,       &d.Cer,     &d.Ciono_step, &d.Iiono,
            &d.Ciono_ramp, &d.RSS_UDRE, &d.RSS_iono, &d.Ccovariance};
}

void TMT10::Decode()
{
    if (Message().empty())
        return;
    const auto members = mt10::Members(data_);
    for (std::size_t i = 0; i < mt10::kFields.size(); ++i)
        *members[i] = static_cast<float>(Value(*this, mt10::kFields[i]));
}
