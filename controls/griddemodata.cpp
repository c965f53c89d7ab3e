#include "griddemodata.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <random>

namespace b2b {

namespace {

bool has(const QString &f, std::initializer_list<const char *> parts) {
    for (const char *p : parts)
        if (f.contains(QLatin1String(p), Qt::CaseInsensitive)) return true;
    return false;
}

FieldKind guessKind(const QString &f) {
    if (f == QLatin1String("DURUM") || f == QLatin1String("DEPO2") || f == QLatin1String("RESIM") ||
        f == QLatin1String("Y") || f == QLatin1String("K") || f == QLatin1String("SEC"))
        return FieldKind::Integer;
    if (f == QLatin1String("Resim")) return FieldKind::Blob;
    if (has(f, {"TARIH", "Tarih", "Vade"}) && !has(f, {"VADEKONTROL"})) return FieldKind::Date;
    if (has(f, {"SAAT", "Saat"})) return FieldKind::Time;
    if (has(f, {"FIYAT", "TUTAR", "Tutar", "BORC", "ALACAK", "BAKIYE", "VERGI", "KURTL", "KurTL", "INDIRIMORANI",
                "MASRAF", "TOPLAMINDIRIM", "MIKTAR", "KALAN", "TESLIMEDILEN", "ELDEKI", "SIPARIS", "INDIRIM1",
                "INDIRIM2", "INDIRIM3", "INDIRIM4", "INDIRIM5", "INDIRIM6", "INDIRIM7", "INDIRIM8", "IND1", "KDVDAHIL"}) &&
        !has(f, {"SIPARISNO", "SIPARISTIPI", "SIPARISEVRAKNO", "TARIHI"}))
        return FieldKind::Float;
    if (has(f, {"STOKNO", "SIRANO", "IDNO", "CARINO", "KDV", "STOKHAR_NO", "ALINDI", "ONAYLANDI", "GORULDU",
                "HAZIRLANDI", "SEPET", "EVRAKSIRA"}))
        return FieldKind::Integer;
    return FieldKind::Text;
}

const char *kNames[] = {"FREN BALATASI ON", "DEBRIYAJ SETI", "YAG FILTRESI", "HAVA FILTRESI", "AMORTISOR ARKA SAG",
                        "ROTIL SOL", "SU POMPASI", "TRIGER SETI", "BUJI TAKIMI", "FAR AMPULU H7", "RADYATOR",
                        "MOTOR TAKOZU", "DIREKSIYON KUTUSU", "SILECEK SUPURGESI 60 CM UZUN TIP", "KAPI KOLU"};
const char *kBrands[] = {"RENAULT", "FIAT", "FORD", "OPEL", "VW", "TOYOTA", "HYUNDAI", "PEUGEOT"};
const char *kPeople[] = {"AHMET YILMAZ", "AYSE KARA", "MEHMET DEMIR", "ZEYNEP CELIK"};
const char *kTypes[] = {"Satış Faturası", "Tahsilat", "Tediye", "İade Faturası", "Virman"};

QByteArray demoJpeg(int i) {
    QImage img(600, 395, QImage::Format_RGB32);
    img.fill(QColor::fromHsv((i * 67) % 360, 90, 230));
    QPainter p(&img);
    QFont f;
    f.setPixelSize(40);
    f.setBold(true);
    p.setFont(f);
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("Duyuru %1\nKampanya").arg(i + 1));
    p.end();
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPEG", 80);
    return bytes;
}

} // namespace

TableData makeDemoTable(const GridLayout &layout, int rows, unsigned seed, int extraColumns) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    TableData t;
    t.rowCount = rows;
    QSet<QString> seen;
    QStringList fields;
    for (const ColumnSpec &c : layout.columns)
        if (!c.field.isEmpty() && !seen.contains(c.field.toUpper())) {
            seen.insert(c.field.toUpper());
            fields << c.field;
        }
    for (int i = 0; i < extraColumns; ++i) fields << QStringLiteral("EK%1").arg(i + 1);
    for (const QString &f : fields) {
        FieldDef d;
        d.name = f;
        d.kind = guessKind(f);
        if (layout.viewName == QLatin1String("cxGrid1DBTableView1") && f == QLatin1String("DURUM") &&
            layout.indexOf(QStringLiteral("SATICIADI")) >= 0)
            d.kind = FieldKind::Text; // the orders report's DURUM is the order state text
        if (layout.viewName == QLatin1String("cxGridDBTableView2") && f == QLatin1String("DURUM")) d.kind = FieldKind::Text;
        if (layout.indexOf(QStringLiteral("TLBAKIYE")) >= 0 && f == QLatin1String("DURUM")) d.kind = FieldKind::Text;
        t.addColumn(d);
    }
    for (Column &c : t.columns) {
        c = Column{c.def, {}, {}, {}, {}, {}, {}};
        c.reserve(size_t(rows));
        const QString &f = c.def.name;
        for (int r = 0; r < rows; ++r) {
            switch (c.def.kind) {
            case FieldKind::Integer:
                if (f == QLatin1String("DURUM") || f == QLatin1String("DEPO2")) c.appendInt(pick(6));
                else if (f == QLatin1String("RESIM") || f == QLatin1String("Y") || f == QLatin1String("K") ||
                         f == QLatin1String("SEC"))
                    c.appendInt(pick(3) == 0 ? 1 : 0);
                else if (f == QLatin1String("KDV")) c.appendInt(pick(2) ? 20 : 10);
                else c.appendInt(1000 + r);
                break;
            case FieldKind::Float:
                if (has(f, {"MIKTAR", "KALAN", "TESLIMEDILEN", "ELDEKI", "SIPARIS"})) c.appendReal(double(1 + pick(40)));
                else if (has(f, {"INDIRIMORANI", "INDIRIM"})) c.appendReal(double(pick(4) * 5));
                else if (f == QLatin1String("KAMPFIYAT")) c.appendReal(pick(3) == 0 ? (pick(90000) + 500) / 100.0 : 0.0);
                else c.appendReal((pick(2000000) + 100) / 100.0);
                break;
            case FieldKind::Date: c.appendReal(45000.0 + pick(400)); break;
            case FieldKind::Time: c.appendReal((pick(86400)) / 86400.0); break;
            case FieldKind::Blob: c.appendBlob(demoJpeg(r)); break;
            default: {
                QString v;
                if (has(f, {"ADI", "Açıklama", "ACIKLAMA", "AD"}) && !has(f, {"SATICIADI", "KARGOADI", "CARIADI"}))
                    v = QString::fromLatin1(kNames[pick(15)]);
                else if (f == QLatin1String("MARKA")) v = QString::fromLatin1(kBrands[pick(8)]);
                else if (has(f, {"SATICI", "VEREN", "YETKILI"})) v = QString::fromLatin1(kPeople[pick(4)]);
                else if (f == QLatin1String("TURADI") || f == QLatin1String("Türü")) v = QString::fromUtf8(kTypes[pick(5)]);
                else if (f == QLatin1String("D")) v = pick(2) ? QStringLiteral("B") : QStringLiteral("A");
                else if (f == QLatin1String("INDIRIMYAZI")) v = QStringLiteral("%1+%2").arg(pick(4) * 5).arg(pick(3) * 5);
                else if (has(f, {"NOTU"})) v = QStringLiteral("Sipariş notu %1\nikinci satır").arg(r + 1);
                else if (f == QLatin1String("Arama")) v = r % 2 ? QStringLiteral("#KAMPANYA#") : QStringLiteral("FREN");
                else if (f == QLatin1String("DURUM")) v = pick(2) ? QStringLiteral("Onaylandı") : QStringLiteral("Hazırlandı");
                else v = QStringLiteral("%1-%2").arg(f.left(3)).arg(10000 + pick(90000));
                c.appendText(v);
            }
            }
        }
    }
    return t;
}

} // namespace b2b
