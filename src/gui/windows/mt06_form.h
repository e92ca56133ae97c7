#pragma once

#include "message_window.h"

class QLineEdit;

class TFrmMT06 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT06(QWidget *parent = nullptr);
    void ShowIODFs(int iodf2, int iodf3, int iodf4, int iodf5);
    void Reset() override;

private:
    QLineEdit *IODF[4];
};
