#pragma once

#include "message_window.h"

#include "mops/mt28.h"

class QLineEdit;

// Type 24: fast corrections and long-term corrections of the mixed messages.
class TFrmMT24 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT24(QWidget *parent = nullptr);
    void SetFCCell(int row, int column, const QString &text);
    void SetLTCell(int row, int column, const QString &text);

private:
    QTableWidget *FC_Table, *LT_Table;
};

// Type 25: long-term satellite corrections.
class TFrmMT25 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT25(QWidget *parent = nullptr);
};

// Type 27: service message regions.
class TFrmMT27 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT27(QWidget *parent = nullptr);
};

// Type 28: the two satellites of the last message and every satellite seen.
class TFrmMT28 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT28(QWidget *parent = nullptr);
    // index 0 or 1: the satellite block; slot: the satellite's PRN.
    void ShowCovariance(int index, int slot, const TClockEphCovMatrix &cov);
    QString BoxText(const QString &name) const;

private:
    // Each satellite block's boxes: PRN, SF, then the elements in mt28::kElements' order.
    QLineEdit *boxes_[2][2 + mt28::kElements.size()] = {};
};

// Long-term correction headings, shared by types 24 and 25.
extern const QStringList kLongTermHeadings;
