#pragma once

#include "message_window.h"

// Types 2 to 5: fast corrections and UDREs of up to 52 masked satellites.
class TFrmFastCorr final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmFastCorr(QWidget *parent = nullptr);
    void ShowCorrection(int row, int slot, double prc);
    void ShowIntegrity(int row, double udrei, double udre, double variance);
};
