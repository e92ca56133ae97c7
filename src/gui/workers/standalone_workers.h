#pragma once

#include "decoder_worker.h"

#include "geos_form.h"
#include "label_grid_form.h"
#include "mops/mt06.h"
#include "mops/mt07.h"
#include "mops/mt09.h"
#include "mops/mt10.h"
#include "mops/mt12.h"
#include "mops/mt17.h"
#include "mt06_form.h"
#include "mt07_form.h"

// Types whose satellites are named by the current PRN mask (6, 7) or that stand alone.

class TMsgType06 final : public TDecoderWorker<TMT06, TFrmMT06> {
public:
    TMsgType06(TFrmMT06 &window, const PRNMaskBuffer &mask) : TDecoderWorker(window), mask_(mask) {}

private:
    void Show() override;
    const PRNMaskBuffer &mask_;
};

class TMsgType07 final : public TDecoderWorker<TMT07, TFrmMT07> {
public:
    TMsgType07(TFrmMT07 &window, const PRNMaskBuffer &mask) : TDecoderWorker(window), mask_(mask) {}

private:
    void Show() override;
    const PRNMaskBuffer &mask_;
};

class TMsgType09 final : public TDecoderWorker<TMT09, TFrmMT09> {
public:
    using TDecoderWorker::TDecoderWorker;

private:
    void Show() override;
};

class TMsgType10 final : public TDecoderWorker<TMT10, TFrmMT10> {
public:
    using TDecoderWorker::TDecoderWorker;

private:
    void Show() override;
};

class TMsgType12 final : public TDecoderWorker<TMT12, TFrmMT12> {
public:
    using TDecoderWorker::TDecoderWorker;

private:
    void Show() override;
};

class TMsgType17 final : public TDecoderWorker<TMT17, TFrmGEOs> {
public:
    using TDecoderWorker::TDecoderWorker;

private:
    void Show() override;
};
