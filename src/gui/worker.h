#pragma once

#include <string>

// A message worker: takes the text of one message of its type, decodes it and shows it.
class TWorker {
public:
    virtual ~TWorker() = default;
    virtual void SetMessage(const std::string &text) = 0;
    virtual void Execute() = 0;
};
