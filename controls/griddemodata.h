#pragma once
// Made-up rows for a grid layout: one field per bound column, kinds guessed from the field names
// (status and flag codes, prices, quantities, dates, codes, names). Used by the gallery and the
// benchmarks; deterministic for a given seed.

#include "gridlayout.h"
#include "recordset.h"

namespace b2b {

TableData makeDemoTable(const GridLayout &layout, int rows, unsigned seed = 1, int extraColumns = 0);

} // namespace b2b
