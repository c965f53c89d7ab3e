#pragma once
// Price arithmetic shared by the catalogue lists, the basket, orders and documents.
// Every amount is rounded to cents (halves away from zero) where it is produced.

#include <QString>
#include <array>

namespace b2b::server {

using Rates = std::array<double, 4>;

double round2(double v);

// The four-rate cascade: each positive rate applies to what the previous ones left; rates of 0 or
// less are skipped. Not rounded.
double applyCascade(double gross, const Rates &rates);

// Net unit price of a catalogue row: round2(cascade(price)).
double netPrice(double price, const Rates &rates);
// VAT-inclusive unit price: round2(net * (1 + vat/100)).
double withVat(double net, double vatPercent);

// "10+5+2,5": the positive rates joined by '+', Turkish decimal comma; "0" when there is none.
QString ratesText(const Rates &rates);

// Effective total discount of the cascade in percent (two decimals).
double effectiveRate(const Rates &rates);

// Amounts of a basket or order line. tutar - indirimTutar == netTutar exactly (in cents).
struct LineAmounts {
    double tutar = 0;         // quantity x unit price
    double indirimTutar = 0;  // discount amount
    double netTutar = 0;      // after discounts, before VAT
    double netBirimFiyat = 0; // netTutar / quantity
    double vergiTutari = 0;   // VAT on netTutar
};
LineAmounts lineAmounts(double quantity, double unitPrice, const Rates &rates, double vatPercent);

// "1.234,56" (Turkish grouping and decimal comma).
QString money(double v);

} // namespace b2b::server
