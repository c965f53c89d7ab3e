#pragma once
// Reads the members of a zip file (stored or deflated) so that tests can look inside workbooks.

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QString>
#include <zlib.h>

namespace b2b::test {

inline quint32 le32(const QByteArray &b, qsizetype at) {
    const auto *p = reinterpret_cast<const uchar *>(b.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}
inline quint16 le16(const QByteArray &b, qsizetype at) {
    const auto *p = reinterpret_cast<const uchar *>(b.constData() + at);
    return quint16(p[0] | p[1] << 8);
}

// Member name -> contents; empty map when the file is not a readable zip.
inline QMap<QString, QByteArray> readZip(const QString &path) {
    QMap<QString, QByteArray> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return out;
    const QByteArray z = f.readAll();
    qsizetype eocd = -1;
    for (qsizetype i = z.size() - 22; i >= 0 && i >= z.size() - 22 - 65535; --i)
        if (le32(z, i) == 0x06054b50) {
            eocd = i;
            break;
        }
    if (eocd < 0) return out;
    const int entries = le16(z, eocd + 10);
    qsizetype p = le32(z, eocd + 16);
    for (int e = 0; e < entries && p + 46 <= z.size() && le32(z, p) == 0x02014b50; ++e) {
        const int method = le16(z, p + 10);
        const quint32 csize = le32(z, p + 20), usize = le32(z, p + 24);
        const int nlen = le16(z, p + 28), xlen = le16(z, p + 30), clen = le16(z, p + 32);
        const quint32 local = le32(z, p + 42);
        const QString name = QString::fromUtf8(z.mid(p + 46, nlen));
        p += 46 + nlen + xlen + clen;
        const qsizetype data = local + 30 + le16(z, local + 26) + le16(z, local + 28);
        const QByteArray comp = z.mid(data, csize);
        if (method == 0) {
            out.insert(name, comp);
            continue;
        }
        if (method != 8) continue;
        QByteArray plain(qsizetype(usize), Qt::Uninitialized);
        z_stream s{};
        if (inflateInit2(&s, -MAX_WBITS) != Z_OK) continue;
        s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(comp.constData()));
        s.avail_in = uInt(comp.size());
        s.next_out = reinterpret_cast<Bytef *>(plain.data());
        s.avail_out = uInt(plain.size());
        const int rc = inflate(&s, Z_FINISH);
        inflateEnd(&s);
        if (rc == Z_STREAM_END) out.insert(name, plain);
    }
    return out;
}

} // namespace b2b::test
