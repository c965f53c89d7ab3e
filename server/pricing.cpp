#include "pricing.h"

#include "numfmt.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace b2b::server {

double round2(double v) { return IkiHaneYuvarla(v); }

double applyCascade(double gross, const Rates &rates) {
    double x = gross;
    for (double r : rates)
        if (r > 0) x -= x * r / 100.0;
    return x;
}

double netPrice(double price, const Rates &rates) { return round2(applyCascade(price, rates)); }

double withVat(double net, double vatPercent) { return round2(net * (1.0 + vatPercent / 100.0)); }

QString ratesText(const Rates &rates) {
    static const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    QStringList parts;
    for (double r : rates)
        if (r > 0) parts << tr.toString(round2(r), 'g', 6);
    return parts.isEmpty() ? QStringLiteral("0") : parts.join(QLatin1Char('+'));
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
