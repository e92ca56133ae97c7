#pragma once

#include "link/message_catalogue.h"
#include "time/date_time.h"

#include <array>
#include <string>

// Broadcast mode of the signal, judged from which message types arrive.
enum class BroadcastMode { None, InfoNA, Mode00, Mode02, ModeSOL };

// Display name of a mode; None has none.
const char *ModeName(BroadcastMode mode);

// The message types whose reception is recorded, with one flag each.
class MTBuffer final {
public:
    static constexpr auto kTypes = kStatusTypes;

    MTBuffer() { Reset(); }
    void Reset() { flags_.fill(false); }
    int IndexOf(int type) const;
    // Types outside the list are a programming error (std::logic_error).
    void Set(int type, bool flag);
    bool Get(int type) const;

private:
    std::array<bool, kTypes.size()> flags_{};
};

// What the broadcast mode is decided from: the types of the current observation window and
// the health of the connection.
struct SISModeState {
    MTBuffer received;
    std::string LastServerAddress;
    std::string LastServerPort;
    DateTime OutageStart = 0; // when data stopped arriving; 0 while it flows
    bool Receiving = false;
    bool Stalled = false;     // the no-data check holds a stall: no message with a new time came

    void MarkReceived(int type);
    BroadcastMode Decide(BroadcastMode previous, DateTime now) const;
    void ResetWindow() { received.Reset(); }
};
