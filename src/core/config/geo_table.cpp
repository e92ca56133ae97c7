#include "config/geo_table.h"

#include <vector>

void GeoTable::SetRowFromStored(int row, const std::string &stored)
{
    std::vector<std::string> pieces;
    std::string current;
    for (const char c : stored) {
        if (c == ';') {
            pieces.push_back(current.empty() ? " " : current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        pieces.push_back(current);
    pieces.resize(4);
    Row(row) = {pieces[0], pieces[1], pieces[2], pieces[3]};
}

std::string GeoTable::StoredRow(int row) const
{
    const GeoRow &r = Row(row);
    return r.prn + ";" + r.name + ";" + r.system + ";" + r.port + ";";
}

int GeoTable::FindPort(const std::string &port) const
{
    for (int row = 1; row <= kRows; ++row)
        if (Row(row).port == port)
            return row;
    return 0;
}

void GeoTable::SetDefaultHeader()
{
    header = {"GEO PRN", "GEO name", "SBAS system", "Port"};
}
