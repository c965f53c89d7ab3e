#include "numfmt.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace b2b {

namespace {

struct Picture {
    int minInt = 0;      // required integer digits
    bool grouping = false;
    int minDec = 0;      // required decimals
    int maxDec = 0;      // required + optional decimals
    bool hasPoint = false;
};

Picture parsePicture(const QString &pattern) {
    Picture p;
    bool afterPoint = false;
    for (QChar c : pattern) {
        if (c == u'.') {
            if (afterPoint) break;
            afterPoint = true;
            p.hasPoint = true;
        } else if (c == u',') {
            if (!afterPoint) p.grouping = true;
        } else if (c == u'0') {
            if (afterPoint) {
                ++p.minDec;
                ++p.maxDec;
            } else {
                ++p.minInt;
            }
        } else if (c == u'#') {
            if (afterPoint) ++p.maxDec;
        }
    }
    if (p.minDec > p.maxDec) p.maxDec = p.minDec;
    return p;
}

// Decimal digits of |v| rounded to `decimals` places, halves away from zero, computed on the
// 15-significant-digit representation (as the classic runtime does).
void roundedDigits(double v, int decimals, std::string &intPart, std::string &fracPart) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    // buf: d.dddddddddddddde[+-]XX
    std::string mant;
    mant += buf[0];
    mant.append(buf + 2, 14);
    int exp10 = std::atoi(std::strchr(buf, 'e') + 1);
    // value = 0.mant * 10^(exp10+1)
    int pointPos = exp10 + 1; // digits before the decimal point
    std::string digits = mant;
    int keep = pointPos + decimals; // number of digits kept
    if (keep < 0) {
        intPart = "0";
        fracPart.assign(decimals, '0');
        return;
    }
    bool roundUp = keep < int(digits.size()) && digits[keep] >= '5';
    if (keep < int(digits.size())) digits.resize(keep);
    while (int(digits.size()) < keep) digits += '0';
    if (roundUp) {
        int i = int(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[i] == '9') {
                digits[i] = '0';
            } else {
                ++digits[i];
                break;
            }
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            ++pointPos;
        }
    }
    if (pointPos <= 0) {
        intPart = "0";
        fracPart = std::string(-pointPos, '0') + digits;
    } else {
        intPart = digits.substr(0, pointPos);
        fracPart = digits.substr(pointPos);
    }
    fracPart.resize(decimals, '0');
    size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? "0" : intPart.substr(nz);
}

} // namespace

QString FormatFloat(const QString &pattern, double v, const QLocale &loc) {
    if (std::isnan(v)) return QStringLiteral("NAN");
    if (std::isinf(v)) return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const Picture p = parsePicture(pattern);
    std::string ip, fp;
    roundedDigits(v, p.maxDec, ip, fp);
    while (int(fp.size()) > p.minDec && !fp.empty() && fp.back() == '0') fp.pop_back();
    if (ip == "0") ip.clear();
    while (int(ip.size()) < p.minInt) ip.insert(ip.begin(), '0');
    const bool zero = ip.find_first_not_of('0') == std::string::npos && fp.find_first_not_of('0') == std::string::npos;

    QString out;
    if (v < 0 && !zero) out += loc.negativeSign();
    const QString group = loc.groupSeparator();
    for (size_t i = 0; i < ip.size(); ++i) {
        if (p.grouping && i > 0 && (ip.size() - i) % 3 == 0) out += group;
        out += QChar(ip[i]);
    }
    if (!fp.empty()) {
        out += loc.decimalPoint();
        out += QString::fromLatin1(fp.data(), int(fp.size()));
    }
    return out;
}

QString FloatToStr(double v, const QLocale &loc) {
    QString s = loc.toString(v, 'g', 15);
    s.remove(loc.groupSeparator());
    return s;
}

double StrToFloatLocale(const QString &s, bool *ok, const QLocale &loc) {
    QString t = s.trimmed();
    t.remove(loc.groupSeparator());
    bool good = false;
    double d = loc.toDouble(t, &good);
    if (!good) {
        // Accept the C form too ("12.5") when the user's separator is different.
        d = QLocale::c().toDouble(t, &good);
    }
    if (ok) *ok = good;
    return good ? d : 0.0;
}

double IkiHaneYuvarla(double v) {
    QLocale loc;
    QString s = FormatFloat(QStringLiteral("#,###,##.00"), v, loc);
    s.remove(loc.groupSeparator());
    bool ok = false;
    double r = loc.toDouble(s, &ok);
    if (!ok) {
        // ",50" style text (no integer digit): put the zero back for the parser.
        QString t = s;
        const bool neg = t.startsWith(loc.negativeSign());
        if (neg) t.remove(0, loc.negativeSign().size());
        r = loc.toDouble(QStringLiteral("0") + t, &ok);
        if (neg) r = -r;
    }
    return ok ? r : 0.0;
}

} // namespace b2b
