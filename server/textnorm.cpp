#include "textnorm.h"

namespace b2b::server {

namespace {

// Appends the folded, upper-case form of one character when it is a letter or digit.
void appendFolded(QString &out, QChar c) {
    switch (c.unicode()) {
    case 0x0131: // dotless i
    case 0x0130: // capital I with dot
    case u'i': out.append(u'I'); return;
    case 0x015F:
    case 0x015E: out.append(u'S'); return;
    case 0x011F:
    case 0x011E: out.append(u'G'); return;
    case 0x00FC:
    case 0x00DC: out.append(u'U'); return;
    case 0x00F6:
    case 0x00D6: out.append(u'O'); return;
    case 0x00E7:
    case 0x00C7: out.append(u'C'); return;
    default: break;
    }
    if (c.unicode() < 0x80) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z') out.append(QChar(u - 32));
        else if ((u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')) out.append(c);
        return;
    }
    if (!c.isLetterOrNumber()) return;
    // Other accented letters: keep the base letter.
    const QString d = QString(c).normalized(QString::NormalizationForm_D);
    for (QChar x : d)
        if (x.isLetterOrNumber()) out.append(x.toUpper());
}

bool isWordBreak(QChar c) {
    return c.isSpace() || c == u',' || c == u';' || c == u'(' || c == u')' || c == u'[' || c == u']' || c == u'+' ||
           c == u'-' || c == u'/';
}

} // namespace

QString normaliseCode(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) appendFolded(out, c);
    return out;
}

QStringList normaliseWords(QStringView text) {
    QStringList words;
    QString cur;
    const auto flush = [&] {
        if (!cur.isEmpty() && !words.contains(cur)) words.append(cur);
        cur.clear();
    };
    for (QChar c : text) {
        if (isWordBreak(c)) flush();
        else appendFolded(cur, c);
    }
    flush();
    return words;
}

} // namespace b2b::server
