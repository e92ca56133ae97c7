#pragma once

#include "link/shown_type.h"

#include <string>

// A message worker: takes the text of one message of its type and the type it is shown as,
// decodes it and shows it.
class TWorker {
public:
    virtual ~TWorker() = default;
    virtual void SetMessage(const std::string &text, const ShownType &shown) = 0;
    virtual void Execute() = 0;
};
