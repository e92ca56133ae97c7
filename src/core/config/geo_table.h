#pragma once

#include <array>
#include <string>

// The table relating data-server ports to GEO satellites: a header row and six rows of
// four cells (GEO PRN, GEO name, SBAS system, Port).
struct GeoRow {
    std::string prn, name, system, port;
};

class GeoTable final {
public:
    static constexpr int kRows = 6;
    std::array<std::string, 4> header{};

    // row is 1..6
    GeoRow &Row(int row) { return rows_.at(row - 1); }
    const GeoRow &Row(int row) const { return rows_.at(row - 1); }

    // A row from its stored form, cells separated by ';'. An empty piece is kept as one space
    // so that it occupies its cell; pieces beyond the fourth are dropped.
    static GeoRow RowFromStored(const std::string &stored);
    void SetRowFromStored(int row, const std::string &stored) { Row(row) = RowFromStored(stored); }
    // The stored form: every cell followed by ';'.
    std::string StoredRow(int row) const;

    // First row whose Port cell equals the port text, or 0.
    int FindPort(const std::string &port) const;
    // The GEO a connection to the port relays: the first row whose Port cell is the port's
    // decimal text, or none.
    const GeoRow *RowOfPort(int port) const;

    void SetDefaultHeader();

private:
    std::array<GeoRow, kRows> rows_{};
};
