#pragma once

#include "worker.h"

class TFrmFastCorr;
class TFrmPRNs;
class UiSeam;

// Types 2 to 5 (and a type 0 that carries corrections): matched to their satellites through
// the mask of the IODP the message carries.
class TThread_MT2_5 final : public TWorker {
public:
    TThread_MT2_5(TFrmPRNs &prns, TFrmFastCorr &window, UiSeam &ui) : prns_(prns), window_(window), ui_(ui) {}

    void Take(const TMOPSMsg &message, const ShownType &shown) override;
    void Execute() override { Update(); }

private:
    void Update();

    TFrmPRNs &prns_;
    TFrmFastCorr &window_;
    UiSeam &ui_;
    const TMOPSMsg *message_ = nullptr;
    ShownType shown_;
};
