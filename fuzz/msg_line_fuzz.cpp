// The message intake on arbitrary lines, and everything in core that reads its outcome as the
// main window hands it on: the message log record, the broadcast status record, the type 1
// mask, the decoder of the shown type and the signal overview. Lines are taken with the request
// count at 17, 18 and 19 in turn, so the repeat rule and the second status tick are reached.
// Each input starts from a new start-up state, so that a failing input fails again on its own.
#include "link/message_catalogue.h"
#include "link/message_intake.h"
#include "mops/mops_msg.h"
#include "mops/mt01.h"
#include "mops/mt02_05.h"
#include "mops/mt18.h"
#include "output/log_record.h"
#include "overview/signal_overview.h"
#include "sismode/sis_mode_state.h"
#include "state/shared_buffers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

struct Harness {
    PRNMaskBuffer mask{};
    IGPBuffer grid{};
    ServiceMsgBuffer service{};
    MessageIntake intake;
    SISModeState status;
    SignalOverview overview{mask, grid};
    TMT01 maskMessage{mask};
    std::array<std::unique_ptr<TMOPSMsg>, catalogue::kTypeCount> decoders;
    int lines = 0;

    Harness()
    {
        TMT18 layout(grid); // the grid positions, laid out once as at start-up
        DecoderBuffers buffers{mask, grid, service};
        for (const HandledType &t : kHandledTypes)
            if (t.decoder)
                decoders[static_cast<std::size_t>(t.type)] = t.decoder(buffers);
    }

    void Take(const std::string &line)
    {
        IntakeSession session;
        session.requestCount = kRequestCount - 1 + lines++ % 3;
        session.logging = true;
        session.geoPrn = "124";
        const IntakeOutcome &out = intake.Take(line, session);
        Check(out.error.find('\0') == std::string::npos); // a report is never cut short
        if (!out.message)
            return;
        Check(out.type >= 0 && out.type < catalogue::kTypeCount && out.text && out.text->size() <= 67);
        // A record is one line: a head of at most 63 characters, 64 digits and its end.
        Check(out.record && FormatLogRecord(out.record->prn, out.record->type, out.record->week,
                                            out.record->seconds, out.record->text)
                                    .size() <= 63 + 64 + 2);
        status.MarkReceived(out.type);
        if (out.shown && Dispatch(out))
            intake.NoteDispatched();
        overview.NoteMessage(out.gpsSeconds, *out.message, out.shownType, out.live, BroadcastMode::Mode02);
    }

    // False when the type 1 mask refused the text, as its window does.
    bool Dispatch(const IntakeOutcome &out)
    {
        Check(out.shownType >= 0 && out.shownType < catalogue::kTypeCount && out.shownType != 0);
        if (out.shown->IsMask()) {
            try {
                maskMessage.Take(*out.message);
                maskMessage.File();
            } catch (const std::invalid_argument &) {
                return false;
            }
        }
        // The fast-correction worker's reads: a refusal ends the message after its dispatch.
        if (out.shownType >= 2 && out.shownType <= 5 && maskMessage.MaskReceived()) {
            try {
                const mt02_05::Reading r = mt02_05::Read(*out.message);
                const mt02_05::Covered c =
                    mt02_05::CoveredBy(*out.shown->NumberValue(), maskMessage.Slots(r.iodp).count);
                Check(c.count >= 0 && c.first + c.count <= kSlots);
            } catch (const std::invalid_argument &) {
            }
        }
        if (TMOPSMsg *decoder = decoders[static_cast<std::size_t>(out.shownType)].get()) {
            decoder->SetMessage(*out.message);
            decoder->Decode();
        }
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const auto harness = std::make_unique<Harness>();
    const std::string input(reinterpret_cast<const char *>(data), size);
    std::size_t begin = 0;
    while (begin <= input.size()) {
        std::size_t end = input.find('\n', begin);
        if (end == std::string::npos)
            end = input.size();
        harness->Take(input.substr(begin, end - begin));
        begin = end + 1;
    }
    harness->overview.Satellites();
    return 0;
}
