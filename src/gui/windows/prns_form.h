#pragma once

#include "message_window.h"
#include "state/shared_buffers.h"
#include "link/shown_type.h"
#include "mops/mt01.h"

#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;

// Type 1: which of the 210 mask slots are in use, by IODP.
class TFrmPRNs final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmPRNs(PRNMaskBuffer &mask, QWidget *parent = nullptr);

    // Acts only when the message is shown as type 1.
    void ProcessMT1(const TMOPSMsg &message, const ShownType &shown);
    void ProcessMT1(const std::string &text, const ShownType &shown) { ProcessMT1(TMOPSMsg(text), shown); }
    // The stored mask byte of slot index + 1 for an IODP, and that mask's slots in order.
    uint8_t MaskBit(int iodp, int index) const { return worker_.MaskBit(iodp, index); }
    const MaskSlots &MaskedSlots(int iodp) const { return worker_.Slots(iodp); }
    bool MaskReceived() const { return worker_.MaskReceived(); }
    // Turns every slot cell white; the IODP box and the mask copy stay.
    void Reset() override;

    bool SlotShownActive(int index) const;

protected:
    void ShowContent() override;

private:
    void KeepSlot(int index, bool on);
    void ColourSlot(int index, bool on);

    // Keeps a copy of the last mask of each IODP, which the fast-correction window places its
    // rows by. A new connection clears the shared mask buffer but not this copy (nor the IODP
    // box that says a mask was received), so corrections keep their satellites until a new
    // type 1 message arrives.
    TMT01 worker_;
    QLineEdit *IODPNo;
    QLabel *cells_[kSlots] = {};
    signed char shownOn_[kSlots] = {}; // the state each cell shows: -1 none yet, 0 white, 1 green
    signed char keptOn_[kSlots] = {};  // the latest state of each slot, shown at the next paint
};
