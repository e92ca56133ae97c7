#include "config/geo_table.h"

#include <vector>

GeoRow GeoTable::RowFromStored(const std::string &stored)
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
    return {pieces[0], pieces[1], pieces[2], pieces[3]};
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

const GeoRow *GeoTable::RowOfPort(int port) const
{
    const int row = FindPort(std::to_string(port));
    return row == 0 ? nullptr : &Row(row);
}

void GeoTable::SetDefaultHeader()
{
    header = {"GEO PRN", "GEO name", "SBAS system", "Port"};
}
