#pragma once

#include "decoder_worker.h"

#include "corrections_forms.h"
#include "grid_map_forms.h"
#include "mops/mt18.h"
#include "mops/mt26.h"
#include "mops/mt27.h"

// Types that fill the shared grid and service-message buffers, then list them.

class TMsgType18 final : public TDecoderWorker<TMT18, TFrmMT18> {
public:
    TMsgType18(TFrmMT18 &window, IGPBuffer &grid) : TDecoderWorker(window, grid), grid_(grid) {}

private:
    void Show() override;
    const IGPBuffer &grid_;
};

class TMsgType26 final : public TDecoderWorker<TMT26, TFrmMT26> {
public:
    TMsgType26(TFrmMT26 &window, IGPBuffer &grid) : TDecoderWorker(window, grid), grid_(grid) {}

private:
    void Show() override;
    const IGPBuffer &grid_;
};

class TMsgType27 final : public TDecoderWorker<TMT27, TFrmMT27> {
public:
    TMsgType27(TFrmMT27 &window, ServiceMsgBuffer &service) : TDecoderWorker(window, service), service_(service) {}

private:
    void Show() override;
    const ServiceMsgBuffer &service_;
};
