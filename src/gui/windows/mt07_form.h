#pragma once

#include "message_window.h"

class QLineEdit;

class TFrmMT07 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT07(QWidget *parent = nullptr);
    void ShowSystemLatency(int seconds);
    void ShowIODP(int iodp);

private:
    QLineEdit *SystemLatency, *IODP;
};
