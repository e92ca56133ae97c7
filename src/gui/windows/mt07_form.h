#pragma once

#include "message_window.h"

#include "mops/mt07.h"

#include <array>

class QLineEdit;

class TFrmMT07 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT07(QWidget *parent = nullptr);
    // The system latency and IODP of the message's header, one box each.
    void ShowHeader(const TFastCorDegFactors &d);

private:
    std::array<QLineEdit *, mt07::kFields.size()> boxes_{};
};
