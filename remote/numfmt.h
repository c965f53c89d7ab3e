#pragma once
// Number display in the Delphi picture patterns used throughout the program
// ("#,###,##0.00", "#,###,##00.00", "#,###,##.00", ...), with the user's separators.

#include <QLocale>
#include <QString>

namespace b2b {

inline const QString kMoneyFormat = QStringLiteral("#,###,##0.00");

// Formats v by a picture pattern: '0' = required digit, '#' = optional digit, ',' anywhere in the
// integer part = thousands grouping, '.' = decimal separator. Halves round away from zero on the
// value's 15-significant-digit decimal form.
QString FormatFloat(const QString &pattern, double v, const QLocale &loc = QLocale());

// Default display of a floating value without a pattern (up to 15 significant digits).
QString FloatToStr(double v, const QLocale &loc = QLocale());

// Text -> number in the user's format; accepts the group separator. Returns ok=false on junk.
double StrToFloatLocale(const QString &s, bool *ok, const QLocale &loc = QLocale());

// Two-decimal rounding: halves away from zero (0.125 -> 0.13; 0.13 + 0.125 -> 0.26).
double IkiHaneYuvarla(double v);

} // namespace b2b
