#pragma once

#include "message_window.h"

#include "mops/mt24.h"
#include "mops/mt28.h"

#include <array>
#include <vector>

class QLineEdit;

// The columns of the long-term tables of types 24 and 25 after the PRN, in the windows' order
// rather than the message's: fields of the velocity-code-1 list. A velocity-code-0 row fills the
// columns its own list has a field of the same name for and leaves the others empty.
struct LongTermColumn {
    const NamedField<LongTermVel1> *vel1;
    const NamedField<LongTermVel0> *vel0; // null: no such field at velocity code 0
};
const std::array<LongTermColumn, 9> &LongTermColumns();

// The long-term corrections of every slot as last shown, kept for a long-term table until its
// window paints: the texts, ten a row, are made then, not for every message.
class LongTermRows {
public:
    void Keep(const PerPRN<LongTermVel0> &vel0, const PerPRN<LongTermVel1> &vel1);
    // Drops what was kept and not yet written: the table was emptied after it.
    void Forget() { changed_ = false; }
    // One row per slot and kind, from row 1: the slots with velocity-code-0 records first, then
    // those with velocity-code-1 records. Writes only when something new was kept.
    void Write(TMessageWindow &window, QTableWidget *grid);

private:
    PerPRN<LongTermVel0> vel0_{};
    PerPRN<LongTermVel1> vel1_{};
    bool changed_ = false;
};

// Type 24: fast corrections and long-term corrections of the mixed messages.
class TFrmMT24 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT24(QWidget *parent = nullptr);
    void SetFCCell(int row, int column, const QString &text);
    void KeepLongTerm(const PerPRN<LongTermVel0> &vel0, const PerPRN<LongTermVel1> &vel1);
    void Reset() override;

protected:
    void ShowContent() override;

private:
    QTableWidget *FC_Table, *LT_Table;
    LongTermRows longTerm_;
};

// Type 25: long-term satellite corrections.
class TFrmMT25 final : public TMessageWindow {
    Q_OBJECT
public:
    explicit TFrmMT25(QWidget *parent = nullptr);
    void KeepLongTerm(const PerPRN<LongTermVel0> &vel0, const PerPRN<LongTermVel1> &vel1);
    void Reset() override;

protected:
    void ShowContent() override;

private:
    LongTermRows longTerm_;
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
    // A satellite's row of the grid: PRN, SF and the elements.
    void ShowRow(int row, int slot, const TClockEphCovMatrix &cov);
    QString BoxText(const QString &name) const;
    void Reset() override;

protected:
    void ShowContent() override;

private:
    // The values of each grid row and satellite block: every message rewrites all rows, of
    // which it changes at most two, and the texts are made for the changed ones when painted.
    struct RowSource {
        bool known = false;
        int slot = 0;
        TClockEphCovMatrix cov;
        bool listed = false; // in changedRows_
    };
    std::vector<RowSource> rows_;
    std::vector<int> changedRows_;
    RowSource blocks_[2];
    bool blockChanged_[2] = {};

    // Each satellite block's boxes: PRN, SF, then the elements in mt28::kElements' order.
    QLineEdit *boxes_[2][2 + mt28::kElements.size()] = {};
};

// Long-term correction headings, shared by types 24 and 25.
extern const QStringList kLongTermHeadings;
