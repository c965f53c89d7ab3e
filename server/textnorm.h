#pragma once
// Text normalisation shared by the catalogue index and the search: upper case, Turkish letters
// folded to Latin ones, accents dropped, and everything that is not a letter or digit removed.

#include <QString>
#include <QStringList>

namespace b2b::server {

// "ön-sağ 1.6/16v" -> "ONSAG1616V"
QString normaliseCode(QStringView text);

// Words of a name: split at blanks, commas, semicolons, brackets, '+', '-' and '/'; each word normalised
// as a code (so "1.6" stays one word, "16").
// Empty words are dropped; duplicates are kept in order of first appearance only once.
QStringList normaliseWords(QStringView text);

} // namespace b2b::server
