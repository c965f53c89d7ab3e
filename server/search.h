#pragma once
// Catalogue search: which items match a typed text, best matches first.

#include <QString>
#include <vector>

namespace b2b::server {

class Database;

// Largest number of items one search answers.
inline constexpr int kSearchCap = 500;

// Both sides are normalised (upper case, Turkish letters folded, everything but letters and digits
// removed). Order of the answer: items with a code equal to the text, then items with a code
// starting with it (barcode, OEM 1-4, OEM no, manufacturer code, finish code, EAN barcode), then
// items whose name words start with every word of the text. An empty text answers the first items
// of the catalogue. At most `cap` item numbers, no duplicates.
std::vector<int> searchCatalogue(Database &db, const QString &text, int cap = kSearchCap);

} // namespace b2b::server
