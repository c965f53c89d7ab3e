#pragma once
// The grids' image lists (status, picture flag, new/campaign flag) and the value -> icon choice.

#include "gridlayout.h"

#include <QPixmap>
#include <QVariant>

namespace b2b {

int gridIconCount(IconList list);
// Image `index` of a list; a null pixmap for an index outside the list.
QPixmap gridIcon(IconList list, int index);

// Icon number for a cell value: the table's entry, otherwise the map's otherIcon (-1 = nothing).
// Null and non-integer values count as values outside the table.
int iconIndexFor(const IconMap &map, const QVariant &value);
// The value's text in filter lists: the table's description, else the value as text.
QString iconDescriptionFor(const IconMap &map, const QVariant &value);

// The icon of a stock status code in the first-depot column (legend bars use the same pictures).
QPixmap stockStatusIcon(int code);

} // namespace b2b
