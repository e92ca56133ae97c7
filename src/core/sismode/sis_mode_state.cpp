#include "sismode/sis_mode_state.h"

#include <cmath>
#include <stdexcept>

const char *ModeName(BroadcastMode mode)
{
    switch (mode) {
    case BroadcastMode::InfoNA: return "InfoNA";
    case BroadcastMode::Mode00: return "Mode 0/0";
    case BroadcastMode::Mode02: return "Mode 0/2";
    case BroadcastMode::ModeSOL: return "Mode SOL";
    case BroadcastMode::None: break;
    }
    return "";
}

namespace {

// Position of each type in the list, -1 for a type not in it.
constexpr std::array<signed char, catalogue::kTypeCount> kIndexOfType = [] {
    std::array<signed char, catalogue::kTypeCount> index{};
    for (auto &i : index)
        i = -1;
    for (std::size_t i = 0; i < MTBuffer::kTypes.size(); ++i)
        index[static_cast<std::size_t>(MTBuffer::kTypes[i])] = static_cast<signed char>(i);
    return index;
}();

} // namespace

int MTBuffer::IndexOf(int type) const
{
    return type >= 0 && type < catalogue::kTypeCount ? kIndexOfType[static_cast<std::size_t>(type)] : -1;
}

void MTBuffer::Set(int type, bool flag)
{
    const int i = IndexOf(type);
    if (i < 0)
        throw std::logic_error("ERROR while trying to set a bit of the Buffer: the indicated MT does not exist");
    flags_[i] = flag;
}

bool MTBuffer::Get(int type) const
{
    const int i = IndexOf(type);
    if (i < 0)
        throw std::logic_error(
            "ERROR: Trying to retrieve a value from the MT buffer, corresponding to a non-available MT");
    return flags_[i];
}

void SISModeState::MarkReceived(int type)
{
    if (received.IndexOf(type) >= 0)
        received.Set(type, true);
}

BroadcastMode SISModeState::Decide(BroadcastMode previous, DateTime now) const
{
    if (std::trunc(OutageStart) != 0 && now >= OutageStart + kFiveMinutes)
        return BroadcastMode::InfoNA;
    // No mode is judged from a signal that is not received: without this the last mode came
    // back at every decision while the no-data check declared InfoNA once a minute.
    if (Stalled)
        return BroadcastMode::InfoNA;
    if (!Receiving)
        return previous;
    if (!received.Get(0))
        return BroadcastMode::ModeSOL;
    return received.Get(2) ? BroadcastMode::Mode00 : BroadcastMode::Mode02;
}
