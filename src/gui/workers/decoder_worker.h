#pragma once

#include "worker.h"

#include <utility>

// A worker that owns the decoder of its type: the message's bytes are copied into it, then
// Execute decodes them and shows the values in the type's window.
template <typename Decoder, typename Window>
class TDecoderWorker : public TWorker {
public:
    template <typename... DecoderArgs>
    explicit TDecoderWorker(Window &window, DecoderArgs &&...args)
        : window_(window), decoder_(std::forward<DecoderArgs>(args)...)
    {
    }

    void Take(const TMOPSMsg &message, const ShownType &) override { decoder_.SetMessage(message); }
    void Execute() override { Update(); }
    const Decoder &decoder() const { return decoder_; }

protected:
    void Update()
    {
        if (decoder_.Message().empty())
            return;
        decoder_.Decode();
        Show();
    }
    virtual void Show() = 0;

    Window &window_;
    Decoder decoder_;
};
