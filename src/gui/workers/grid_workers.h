#pragma once

#include "decoder_worker.h"

#include "corrections_forms.h"
#include "grid_map_forms.h"
#include "mops/mt18.h"
#include "mops/mt26.h"
#include "mops/mt27.h"

#include <vector>

// Types that fill the shared grid and service-message buffers, then list them.

// Masks are sent again and again: one that leaves every masked point as it was writes nothing.
class TMsgType18 final : public TDecoderWorker<TMT18, TFrmMT18> {
public:
    TMsgType18(TFrmMT18 &window, IGPBuffer &grid) : TDecoderWorker(window, grid), grid_(grid) {}

private:
    void Show() override;
    bool SameAsShown() const;
    const IGPBuffer &grid_;
    std::vector<IGPEntry> shown_; // the points as last written; empty before the first
    int shownLayout_ = -1;        // the window's layout count at that time
};

// A type 26 changes at most 15 points: while the mask stays the same, only the rows and marks
// of points whose values changed are written again.
class TMsgType26 final : public TDecoderWorker<TMT26, TFrmMT26> {
public:
    TMsgType26(TFrmMT26 &window, IGPBuffer &grid) : TDecoderWorker(window, grid), grid_(grid) {}

private:
    void Show() override;
    void ShowWhole();
    void NoteSharedPlaces();
    const IGPBuffer &grid_;
    std::vector<IGPEntry> shown_;  // the points as last written; empty before the first
    int shownLayout_ = -1;         // the window's layout count at that time
    std::vector<int> laterAtPlace_; // per point: the next masked point at its place, or -1
    std::vector<int> rowOf_;        // per masked point: its row in the table
    std::vector<int> redraw_;       // the points whose marks a message draws again
};

class TMsgType27 final : public TDecoderWorker<TMT27, TFrmMT27> {
public:
    TMsgType27(TFrmMT27 &window, ServiceMsgBuffer &service) : TDecoderWorker(window, service), service_(service) {}

private:
    void Show() override;
    const ServiceMsgBuffer &service_;
};
