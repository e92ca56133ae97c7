#pragma once

#include "message_window.h"

#include <array>
#include <vector>

// Types 2 to 5: fast corrections and UDREs of up to 52 masked satellites.
class TFrmFastCorr final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmFastCorr(QWidget *parent = nullptr);
    void ShowCorrection(int row, int slot, double prc);
    void ShowIntegrity(int row, double udrei, double udre, double variance);
    void Reset() override;

protected:
    void ShowContent() override;

private:
    static constexpr int kRows = 211;
    void NoteChanged(int row);
    // The latest values of each row; their texts are made when the window paints, for the
    // rows whose values changed.
    struct Correction {
        bool known = false;
        int slot = 0;
        double prc = 0;
        bool changed = false;
    };
    struct Integrity {
        bool known = false;
        double udrei = 0, udre = 0, variance = 0;
        bool changed = false;
    };
    std::array<Correction, kRows> corrections_{};
    std::array<Integrity, kRows> integrity_{};
    std::array<bool, kRows> listed_{}; // in changedRows_
    std::vector<int> changedRows_;
};
