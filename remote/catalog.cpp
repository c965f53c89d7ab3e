#include "catalog.h"

#include <QHash>

namespace b2b {

namespace {
using W = WireType;
using R = ResultKind;
ParamSpec login(const char *n) { return {n, W::Object, "TSonucBilgisi"}; }
ParamSpec txt(const char *n) { return {n, W::Text}; }
ParamSpec i32(const char *n) { return {n, W::Integer}; }
ParamSpec dbl(const char *n) { return {n, W::Double}; }
ParamSpec obj(const char *cls) { return {"", W::Object, cls}; }
const ParamSpec kTable{"", W::Table};
const ParamSpec kStream{"", W::Stream};
const ParamSpec kNone{"", W::Integer};
ParamSpec sizeOut(const char *n) { return {n, W::Int64}; }

std::vector<MethodSpec> build() {
    std::vector<ParamSpec> balanceArgs{login("k"),   i32("stokno"), i32("sepetsirano"), i32("siparissirano"),
                                       dbl("Adet"), dbl("Bakiye"), txt("barkod")};
    std::vector<ParamSpec> balancePriceArgs = balanceArgs;
    balancePriceArgs.push_back(dbl("fiyat"));
    balancePriceArgs.push_back(dbl("ind"));
    std::vector<ParamSpec> mailArgs{txt("idsi"),    txt("baslik"),   txt("firmaadi"),     txt("adres1"),
                                    txt("adres2"),  txt("ilce"),     txt("sehir"),        txt("telefon"),
                                    txt("fax"),     txt("vd"),       txt("vn"),           txt("yetkili"),
                                    txt("kullaniciadi"), txt("sifre"), txt("mail"),       txt("kargoambar")};
    std::vector<ParamSpec> mailNormalArgs = mailArgs;
    mailNormalArgs.push_back(txt("konu"));

    return {
        {"AcilisEkranlarVer2", {}, {}, R::Object, obj("TAcilisEkranlariki"), "announcement list"},
        {"AcilisReklamAdet", {}, {}, R::Scalar, i32(""), "number of opening adverts"},
        {"AcilisREklamVer", {i32("sira")}, {}, R::Object, obj("TAcilisEkran"), "one opening advert, by position"},
        {"BakiyeDegistir", balanceArgs, {}, R::Scalar, i32(""), "change the open balance of an order row"},
        {"BakiyeDuzenle", balanceArgs, {}, R::Scalar, i32(""), "remove the open balance of an order row"},
        {"BakiyeFiyatDegistir", balancePriceArgs, {}, R::Scalar, i32(""),
         "change the open balance of an order row with price and discount"},
        {"BakiyelerVer2", {i32("carino")}, {}, R::TableReader, kTable, "open order balances of a customer"},
        {"BalonGetir", {login("bil")}, {}, R::TableReader, kTable, "notification counts for the tab captions"},
        {"BannerResimVer", {}, {sizeOut("size")}, R::Stream, kStream, "header banner picture"},
        {"BannerResimVer2", {}, {sizeOut("size")}, R::Stream, kStream, "upper banner strip picture"},
        {"BannerResimVer3", {}, {sizeOut("size")}, R::Stream, kStream, "lower banner strip picture"},
        {"BuyukGetir", {txt("idsi")}, {}, R::Object, obj("TSonucBilgisi"),
         "login record registered for a machine identifier"},
        {"CariAra", {login("bil"), txt("aranan")}, {}, R::TableReader, kTable, "customers matching a search text"},
        {"CariEkstreVer", {i32("carino")}, {}, R::TableReader, kTable, "account statement of a customer"},
        {"CariSepetVer", {login("bil"), i32("n")}, {}, R::TableReader, kTable,
         "customers with orders in a given state"},
        {"CariVadeGunGecmismiBul", {i32("carino")}, {}, R::Scalar, txt(""),
         "overdue-balance warning text of a customer"},
        {"FaturaAltGetir", {i32("idnosu")}, {}, R::TableReader, kTable, "totals of an invoice (one row)"},
        {"FaturaGetir", {i32("carino"), i32("idnosu")}, {}, R::TableReader, kTable,
         "lines of an invoice, each carrying the document's header fields"},
        {"KampanyaliVer2", {i32("cario"), i32("satici")}, {}, R::DataPacket, kTable, "campaign items"},
        {"KargolarVer", {i32("gn")}, {}, R::TableReader, kTable, "carriers of one carriage kind"},
        {"KargoVer", {}, {}, R::TableReader, kTable, "carriage kinds"},
        {"KayanYaziGetir", {}, {}, R::Scalar, txt(""), "news ticker text"},
        {"MailGonserCari", mailArgs, {}, R::Scalar, i32(""), "send a firm request mail"},
        {"MailGonserCariNormal", mailNormalArgs, {}, R::Scalar, i32(""), "send a mail to the representative"},
        {"MobilCariBilgisiGetir", {i32("sirano"), txt("_idsi")}, {}, R::Object, obj("TMobilCariBilgisi"),
         "firm details registered for a machine identifier"},
        {"OncekiSiparisler", {i32("carino")}, {}, R::TableReader, kTable, "previous orders of a customer"},
        {"RaporAlinanSiparisler", {login("bilgi"), dbl("tarih1"), dbl("tarih2")}, {}, R::TableReader, kTable,
         "report: orders received in a date range"},
        {"RaporEnCokSatilanStoklar", {login("bilgi"), dbl("tarih1"), dbl("tarih2")}, {}, R::TableReader, kTable,
         "report: best-selling items in a date range"},
        {"RaporGetir",
         {i32("raporno"), i32("bolum"), i32("idno"), i32("carino"), txt("saticiadi"), dbl("tarih1"), dbl("tarih2")},
         {sizeOut("size")},
         R::Stream,
         kStream,
         "report document (PDF)"},
        {"ResimVer5", {i32("stokno")}, {sizeOut("boy")}, R::Stream, kStream, "large picture of an item"},
        {"SAnalPosPdfVer", {i32("sirano")}, {sizeOut("boy")}, R::Stream, kStream,
         "virtual POS receipt document (PDF)"},
        {"SanalposSiranoVer", {i32("idnosu")}, {}, R::Scalar, i32(""),
         "virtual POS record number of a collection"},
        {"SepetEkle2",
         {login("bilgim"), i32("carino"), i32("stokno"), txt("barkod"), txt("stokadi"), dbl("miktar"), dbl("kdv"),
          dbl("fiyat"), dbl("ind1"), i32("verenid"), i32("k"), dbl("ind2"), dbl("ind3"), dbl("ind4")},
         {},
         R::Scalar,
         i32(""),
         "add a basket row"},
        {"SepetGuncelle2",
         {login("bilgim"), i32("carino"), i32("stokno"), txt("barkod"), txt("stokadi"), dbl("miktar"), dbl("kdv"),
          dbl("fiyat"), dbl("ind1"), i32("verenid"), i32("_sepetsirano"), dbl("ind2"), dbl("ind3"), dbl("ind4")},
         {},
         R::Scalar,
         i32(""),
         "change a basket row"},
        {"SepetHepsiniSil", {login("bilgi")}, {}, R::Scalar, i32(""), "delete the whole basket"},
        {"SepetSatirSil", {login("bilgi"), i32("satirno"), txt("aciklamam")}, {}, R::Scalar, i32(""),
         "delete a basket row"},
        {"SepetSayisi", {login("bil")}, {}, R::Scalar, i32(""), "number of basket rows"},
        {"SepetSecimGuncelle", {i32("sirano"), i32("secim")}, {}, R::None, kNone,
         "set the selection mark of a basket row"},
        {"SepetVer2", {i32("carino")}, {}, R::DataPacket, kTable, "basket of a customer"},
        {"SiparisAyrintisi2", {i32("carino"), i32("idnosu")}, {}, R::TableReader, kTable, "lines of an order"},
        {"SiparisAytintisiDip", {i32("carino"), i32("siranosu")}, {}, R::Object, obj("TSiparisDipAyrinti"),
         "footer details of an order"},
        {"SiparisKaydet",
         {login("BB"), i32("_carino"), i32("_teslim"), i32("_kargo"), txt("_aciklama"), i32("_verenid"),
          i32("_kargoyeni")},
         {},
         R::Scalar,
         {"", W::Boolean},
         "send the basket as an order"},
        {"StokAraGetirTelvar", {txt("kod"), login("bilgi")}, {}, R::DataPacket, kTable, "catalogue search"},
        {"StokHareketVer", {i32("carino"), i32("stokno")}, {}, R::DataPacket, kTable, "movements of an item"},
        {"Tahsilat", {i32("idnosu")}, {}, R::TableReader, kTable, "details of a collection"},
        {"TeslimVer", {}, {}, R::TableReader, kTable, "delivery kinds"},
        {"TumSiparislerVer", {i32("carino"), i32("stokno")}, {}, R::TableReader, kTable, "all orders of an item"},
        {"TusSonuclariVer", {login("bil")}, {}, R::Object, obj("TTusSonuclari"), "order counts per state"},
        {"YenilerVer2", {i32("carino")}, {}, R::DataPacket, kTable, "new items"},
    };
}
} // namespace

const std::vector<MethodSpec> &methodCatalog() {
    static const std::vector<MethodSpec> c = build();
    return c;
}

const MethodSpec *findMethod(const QString &name) {
    static const QHash<QString, const MethodSpec *> index = [] {
        QHash<QString, const MethodSpec *> m;
        for (const MethodSpec &s : methodCatalog()) m.insert(QString::fromLatin1(s.name), &s);
        return m;
    }();
    const auto it = index.constFind(name);
    return it == index.constEnd() ? nullptr : it.value();
}

QString wireTypeName(WireType t) {
    switch (t) {
    case WireType::Text: return QStringLiteral("text");
    case WireType::Integer: return QStringLiteral("Integer");
    case WireType::Double: return QStringLiteral("Double");
    case WireType::Boolean: return QStringLiteral("Boolean");
    case WireType::Int64: return QStringLiteral("Int64");
    case WireType::Object: return QStringLiteral("object");
    case WireType::Table: return QStringLiteral("table");
    case WireType::Stream: return QStringLiteral("stream");
    }
    return {};
}

QString resultKindName(ResultKind k) {
    switch (k) {
    case ResultKind::None: return QStringLiteral("none");
    case ResultKind::Scalar: return QStringLiteral("scalar");
    case ResultKind::Object: return QStringLiteral("object");
    case ResultKind::TableReader: return QStringLiteral("table reader");
    case ResultKind::DataPacket: return QStringLiteral("data packet");
    case ResultKind::Stream: return QStringLiteral("byte stream");
    }
    return {};
}

} // namespace b2b
