#pragma once

class TFrmMT26;
class TFrmOverview;

// A double-click on a row of the type 26 table, or on a point of its map, plots that grid point.
void ConnectGridPointChoice(TFrmMT26 &window, TFrmOverview &overview);
