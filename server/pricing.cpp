#include "pricing.h"

#include "numfmt.h"

#include <QLocale>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace b2b::server {

double round2(double v) {
    // The client's two-decimal rounding (halves away from zero on the value's 15-significant-digit
    // decimal form), done on digits instead of through locale formatting: it runs for every price.
    if (!std::isfinite(v) || v == 0) return v;
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
    *r.ptr = 0;
    // buf = "d.dddddddddddddde[+-]XX"
    int64_t digits = buf[0] - '0';
    for (int i = 2; i < 16; ++i) digits = digits * 10 + (buf[i] - '0');
    const int exp = std::atoi(buf + 17);
    const int shift = exp + 2 - 14; // |v| * 100 == digits * 10^shift
    if (shift >= 0) return v;       // no more than two decimals already
    const int k = -shift;
    int64_t q = 0;
    if (k <= 15) {
        int64_t p = 1;
        for (int i = 0; i < k; ++i) p *= 10;
        q = digits / p;
        if ((digits % p) * 2 >= p) ++q;
    }
    const double out = double(q) / 100.0;
    return v < 0 ? -out : out;
}

double applyCascade(double gross, const Rates &rates) {
    double x = gross;
    for (double r : rates)
        if (r > 0) x -= x * r / 100.0;
    return x;
}

double netPrice(double price, const Rates &rates) { return round2(applyCascade(price, rates)); }

double withVat(double net, double vatPercent) { return round2(net * (1.0 + vatPercent / 100.0)); }

QString ratesText(const Rates &rates) {
    QString out;
    for (double r : rates) {
        if (!(r > 0)) continue;
        char buf[32];
        const auto res = std::to_chars(buf, buf + sizeof buf, round2(r), std::chars_format::fixed, 2);
        std::string_view s(buf, size_t(res.ptr - buf));
        while (s.back() == '0') s.remove_suffix(1);
        if (s.back() == '.') s.remove_suffix(1);
        if (!out.isEmpty()) out.append(QLatin1Char('+'));
        for (char ch : s) out.append(ch == '.' ? QChar(u',') : QChar(QLatin1Char(ch)));
    }
    return out.isEmpty() ? QStringLiteral("0") : out;
}

double effectiveRate(const Rates &rates) { return round2(100.0 - applyCascade(100.0, rates)); }

LineAmounts lineAmounts(double quantity, double unitPrice, const Rates &rates, double vatPercent) {
    LineAmounts a;
    a.tutar = round2(quantity * unitPrice);
    a.netTutar = round2(applyCascade(a.tutar, rates));
    a.indirimTutar = round2(a.tutar - a.netTutar);
    a.netBirimFiyat = quantity != 0 ? round2(a.netTutar / quantity) : 0;
    a.vergiTutari = round2(a.netTutar * vatPercent / 100.0);
    return a;
}

QString money(double v) {
    static const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    return FormatFloat(kMoneyFormat, v, tr);
}

} // namespace b2b::server
