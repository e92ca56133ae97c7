#pragma once

#include "message_window.h"

#include "state/shared_buffers.h"

#include <array>

#include <vector>

class QLineEdit;
class QTabWidget;
class WorldMap;

// A grid window's table lists grid points: each row's point is kept as it comes, and its texts
// are made when the table is painted, for the rows whose point changed.
class TPointTableWindow : public TMessageWindow {
    Q_OBJECT
public:
    using TMessageWindow::TMessageWindow;
    // Row `row` of the table shows the point of entry `index`.
    void KeepRow(int row, const IGPEntry &entry, int index);
    void Reset() override;

protected:
    void MakeTexts(QTableWidget *grid) override;
    virtual void WriteRow(int row, const IGPEntry &entry, int index) = 0;
    // Index, band, latitude and longitude.
    void WritePoint(int row, const IGPEntry &entry, int index);

private:
    struct Row {
        IGPEntry entry{};
        int index = 0;
        bool listed = false; // in changed_
    };
    std::vector<Row> rows_;
    std::vector<int> changed_;
};

// Type 18: the masked ionospheric grid points of every band received.
class TFrmMT18 final : public TPointTableWindow {
    Q_OBJECT
public:
    explicit TFrmMT18(QWidget *parent = nullptr);
    // Marks a masked grid point in blue.
    void DrawPoint(int latitude, int longitude);
    void Reset() override;
    WorldMap *Map() const { return World; }
    // Counts the times the picture and the table were laid anew.
    int Layouts() const { return layouts_; }

protected:
    void WriteRow(int row, const IGPEntry &entry, int index) override { WritePoint(row, entry, index); }

private:
    int layouts_ = 0;
    WorldMap *World;
};

// Type 26: vertical delays and their integrity at the masked grid points.
class TFrmMT26 final : public TPointTableWindow {
    Q_OBJECT
public:
    explicit TFrmMT26(QWidget *parent = nullptr);
    // Marks a masked grid point in the colour of its state and remembers it for the read-out.
    void DrawPoint(const IGPEntry &entry, int index);
    // Fills the read-out boxes from the mark under (x, y), in picture pixels, or empties them.
    void WorldMouseMove(int x, int y);
    void FormShow() override;
    void Reset() override;
    WorldMap *Map() const { return World; }
    // Counts the times the legend or the table was laid anew: what was drawn and written
    // before may then be covered or gone.
    int Layouts() const { return layouts_; }

protected:
    // The point, then its delay and integrity; points no delay has reached yet still hold
    // -10000 and read as markers too.
    void WriteRow(int row, const IGPEntry &entry, int index) override;

private:
    int layouts_ = 0;
    struct Hit {
        int32_t x = 0, y = 0;
        IGPEntry entry{};
        bool drawn = false; // records of points never drawn would all match near (0, 0)
    };
    std::array<Hit, kIgpCount> hits_{};
    QLineEdit *boxes_[7] = {};
    WorldMap *World;
};

// The "World Map" and "Table" pages of the grid windows.
QTabWidget *AddMapAndTablePages(QWidget *owner, QWidget *map, QWidget *&tablePage);
