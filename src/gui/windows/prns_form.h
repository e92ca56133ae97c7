#pragma once

#include "message_window.h"
#include "state/shared_buffers.h"
#include "workers/msgtype0.h"

#include <cstdint>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;

// Type 1: which of the 210 mask slots are in use, by IODP.
class TFrmPRNs final : public TMessageWindow {
    Q_OBJECT
public:
    // shownType gives the type the main window shows for the message being handled.
    TFrmPRNs(PRNMaskBuffer &mask, std::function<QString()> shownType, QWidget *parent = nullptr);

    // Acts only when the message being handled is shown as type 1.
    void ProcessMT1(const std::string &text);
    // The stored mask byte of slot index + 1 for an IODP.
    uint8_t MaskBit(int iodp, int index) const { return mask_[iodp & 3][index]; }
    bool MaskReceived() const;
    // Turns every slot cell white; the IODP box and the mask copy stay.
    void Reset() override;

    bool SlotShownActive(int index) const;

private:
    void ColourSlot(int index, bool on);

    std::function<QString()> shownType_;
    TMsgType0 worker_;
    uint8_t mask_[kIodps][kSlots] = {};
    int32_t lastIODP_ = 0;
    QLineEdit *IODPNo;
    QLabel *cells_[kSlots] = {};
    signed char shownOn_[kSlots] = {}; // the state each cell shows: -1 none yet, 0 white, 1 green
};
