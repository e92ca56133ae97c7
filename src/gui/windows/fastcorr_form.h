#pragma once

#include "message_window.h"

#include <array>

// Types 2 to 5: fast corrections and UDREs of up to 52 masked satellites.
class TFrmFastCorr final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmFastCorr(QWidget *parent = nullptr);
    void ShowCorrection(int row, int slot, double prc);
    void ShowIntegrity(int row, double udrei, double udre, double variance);
    void Reset() override;

private:
    static constexpr int kRows = 211;
    // The values each row's texts were last made from: a message repeats most of them, and
    // the same values make the same texts, so their formatting is skipped.
    struct Correction {
        bool known = false;
        int slot = 0;
        double prc = 0;
    };
    struct Integrity {
        bool known = false;
        double udrei = 0, udre = 0, variance = 0;
    };
    std::array<Correction, kRows> corrections_{};
    std::array<Integrity, kRows> integrity_{};
};
