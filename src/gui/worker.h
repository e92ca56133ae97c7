#pragma once

#include "link/shown_type.h"
#include "mops/mops_msg.h"

#include <string>

// A message worker: takes one message of its type in bytes, as the intake made them once for
// all its readers, and the type it is shown as; Execute decodes it and shows it.
class TWorker {
public:
    virtual ~TWorker() = default;
    // The message stays valid until Execute has run.
    virtual void Take(const TMOPSMsg &message, const ShownType &shown) = 0;
    virtual void Execute() = 0;

    // The same from a text, which is turned into bytes here.
    void SetMessage(const std::string &text, const ShownType &shown)
    {
        own_.SetMessage(text);
        Take(own_, shown);
    }

private:
    TMOPSMsg own_;
};
