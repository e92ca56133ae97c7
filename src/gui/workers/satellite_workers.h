#pragma once

#include "decoder_worker.h"

#include "corrections_forms.h"
#include "mops/mt24.h"
#include "mops/mt25.h"
#include "mops/mt28.h"

class TFrmPRNs;

// Types whose results are filed by satellite: long-term, mixed and covariance.

class TMsgType24 final : public TDecoderWorker<TMT24, TFrmMT24> {
public:
    TMsgType24(TFrmMT24 &window, const PRNMaskBuffer &mask) : TDecoderWorker(window, mask) {}

private:
    void Show() override;
};

class TThreadMT25 final : public TDecoderWorker<TMT25, TFrmMT25> {
public:
    TThreadMT25(TFrmMT25 &window, const PRNMaskBuffer &mask, const TFrmPRNs &prns)
        : TDecoderWorker(window, mask), prns_(prns)
    {
    }

private:
    void Show() override;
    const TFrmPRNs &prns_;
};

class TMsgType28 final : public TDecoderWorker<TMT28, TFrmMT28> {
public:
    TMsgType28(TFrmMT28 &window, const PRNMaskBuffer &mask) : TDecoderWorker(window, mask), mask_(mask) {}

private:
    void Show() override;
    const PRNMaskBuffer &mask_;
};
