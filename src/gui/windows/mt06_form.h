#pragma once

#include "message_window.h"

#include "mops/mt06.h"

#include <array>

class QLineEdit;

class TFrmMT06 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT06(QWidget *parent = nullptr);
    // The issues of data of the message's header, one box each.
    void ShowHeader(const TIntegrityInformation &d);
    void Reset() override;

private:
    std::array<QLineEdit *, mt06::kFields.size()> IODF{};
};
