#pragma once

#include "worker.h"

#include <QString>

#include <functional>

class TFrmFastCorr;
class TFrmPRNs;
class UiSeam;

// Types 2 to 5 (and a type 0 that carries corrections): matched to their satellites through
// the mask of the IODP the message carries.
class TThread_MT2_5 final : public TWorker {
public:
    // messageText and shownType read the main window's message box and type caption.
    TThread_MT2_5(TFrmPRNs &prns, TFrmFastCorr &window, UiSeam &ui, std::function<QString()> messageText,
                  std::function<QString()> shownType)
        : prns_(prns), window_(window), ui_(ui), messageText_(std::move(messageText)), shownType_(std::move(shownType))
    {
    }

    void SetMessage(const std::string &) override {} // the text is read from the message box
    void Execute() override { Update(); }

private:
    void Update();

    TFrmPRNs &prns_;
    TFrmFastCorr &window_;
    UiSeam &ui_;
    std::function<QString()> messageText_;
    std::function<QString()> shownType_;
};
