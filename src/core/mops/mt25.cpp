#include "mops/mt25.h"

#include "mops/prn_lookup.h"

using namespace long_term_half;

void TMT25::Decode()
{
    if (Message().empty())
        return;
    sat_.fill({});
    DecodeHalf(0);
    DecodeHalf(1);
}

void TMT25::DecodeHalf(int half)
{
    const int code = mt25::VelocityCode(half).start;
    TLongTermSEC *first = &sat_[2 * half];
    if (RawValue(*this, mt25::VelocityCode(half)) == 1) {
        first->PRNMask = IntValue(*this, kMask1.At(code));
        if (first->PRNMask == 0)
            return;
        const LongTermVel1 r = ReadVel1(*this, code);
        first->InfoAvailable = true;
        first->IssueOfData = r.IssueOfData;
        first->DeltaX = r.DeltaX;
        first->DeltaY = r.DeltaY;
        first->DeltaZ = r.DeltaZ;
        first->DeltaAf0 = r.DeltaAf0;
        first->DeltaX_roc = r.DeltaX_roc;
        first->DeltaY_roc = r.DeltaY_roc;
        first->DeltaZ_roc = r.DeltaZ_roc;
        first->DeltaAf1 = r.DeltaAf1;
        first->TODApplicability = r.TODApplicability;
        first->IODP = r.IODP;
        data_.Vel1[LookupPRN(mask_, first->PRNMask)] = r;
        return;
    }
    const int32_t iodp = IntValue(*this, kIODP0.At(code));
    for (int j = 0; j < 2; ++j) {
        TLongTermSEC &s = first[j];
        s.IODP = iodp;
        s.PRNMask = IntValue(*this, kMask0.At(code + kSecondSatellite * j));
        if (s.PRNMask == 0)
            continue;
        const LongTermVel0 r = ReadVel0(*this, code, j);
        s.InfoAvailable = true;
        s.IssueOfData = r.IssueOfData;
        s.DeltaX = r.DeltaX;
        s.DeltaY = r.DeltaY;
        s.DeltaZ = r.DeltaZ;
        s.DeltaAf0 = r.DeltaAf0;
        data_.Vel0[LookupPRN(mask_, s.PRNMask)] = r;
    }
}
