#include "proxim.h"

namespace b2b {

namespace {
template <typename T> std::optional<T> objectResult(const WireValue &v, const char *method) {
    const QJsonObject *o = wireObject(v, method);
    if (!o) return std::nullopt;
    return T::unmarshal(*o);
}
} // namespace

TServerMethods1Client::TServerMethods1Client(Connection &connection) : conn_(connection) {
    if (!conn_.Connected())
        throw RemoteError(QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
}

std::vector<WireValue> TServerMethods1Client::Invoke(const MethodSpec &m, const std::vector<WireValue> &inputs) {
    if (inputs.size() != m.inputs.size())
        throw RemoteError(QStringLiteral("%1 takes %2 parameters").arg(QLatin1String(m.name)).arg(m.inputs.size()));
    const std::string answer = conn_.CallMethod(m.name, encodeRequest(inputs));
    return decodeResult(answer, m);
}

std::vector<WireValue> TServerMethods1Client::call(const char *method, std::vector<WireValue> inputs) {
    const MethodSpec *m = findMethod(QLatin1String(method));
    Q_ASSERT(m);
    return Invoke(*m, inputs);
}

WireValue TServerMethods1Client::one(const char *method, std::vector<WireValue> inputs) {
    auto r = call(method, std::move(inputs));
    return std::move(r.back());
}

QByteArray TServerMethods1Client::stream(const char *method, std::vector<WireValue> inputs, qint64 &size) {
    auto r = call(method, std::move(inputs));
    size = wireInt64(r[0], "The size");
    return wireStream(r[1], method);
}

static WireValue t(const QString &s) { return s; }
static WireValue i(int v) { return int32_t(v); }
static WireValue d(double v) { return v; }

TAcilisEkranlariki TServerMethods1Client::AcilisEkranlarVer2() {
    auto o = objectResult<TAcilisEkranlariki>(one("AcilisEkranlarVer2", {}), "AcilisEkranlarVer2");
    return o.value_or(TAcilisEkranlariki());
}
int TServerMethods1Client::AcilisReklamAdet() { return wireInt(one("AcilisReklamAdet", {}), "AcilisReklamAdet"); }
std::optional<TAcilisEkran> TServerMethods1Client::AcilisREklamVer(int sira) {
    return objectResult<TAcilisEkran>(one("AcilisREklamVer", {i(sira)}), "AcilisREklamVer");
}

int TServerMethods1Client::BakiyeDegistir(const TSonucBilgisi &k, int stokno, int sepetsirano, int siparissirano,
                                          double Adet, double Bakiye, const QString &barkod) {
    return wireInt(one("BakiyeDegistir", {argObject(k), i(stokno), i(sepetsirano), i(siparissirano), d(Adet),
                                          d(Bakiye), t(barkod)}),
                   "BakiyeDegistir");
}
int TServerMethods1Client::BakiyeDuzenle(const TSonucBilgisi &k, int stokno, int sepetsirano, int siparissirano,
                                         double Adet, double Bakiye, const QString &barkod) {
    return wireInt(one("BakiyeDuzenle", {argObject(k), i(stokno), i(sepetsirano), i(siparissirano), d(Adet),
                                         d(Bakiye), t(barkod)}),
                   "BakiyeDuzenle");
}
int TServerMethods1Client::BakiyeFiyatDegistir(const TSonucBilgisi &k, int stokno, int sepetsirano,
                                               int siparissirano, double Adet, double Bakiye, const QString &barkod,
                                               double fiyat, double ind) {
    return wireInt(one("BakiyeFiyatDegistir", {argObject(k), i(stokno), i(sepetsirano), i(siparissirano), d(Adet),
                                               d(Bakiye), t(barkod), d(fiyat), d(ind)}),
                   "BakiyeFiyatDegistir");
}
TableData TServerMethods1Client::BakiyelerVer2(int carino) {
    auto v = one("BakiyelerVer2", {i(carino)});
    return wireTable(v, "BakiyelerVer2");
}
TableData TServerMethods1Client::BalonGetir(const TSonucBilgisi &bil) {
    auto v = one("BalonGetir", {argObject(bil)});
    return wireTable(v, "BalonGetir");
}
QByteArray TServerMethods1Client::BannerResimVer(qint64 &size) { return stream("BannerResimVer", {}, size); }
QByteArray TServerMethods1Client::BannerResimVer2(qint64 &size) { return stream("BannerResimVer2", {}, size); }
QByteArray TServerMethods1Client::BannerResimVer3(qint64 &size) { return stream("BannerResimVer3", {}, size); }
std::optional<TSonucBilgisi> TServerMethods1Client::BuyukGetir(const QString &idsi) {
    return objectResult<TSonucBilgisi>(one("BuyukGetir", {t(idsi)}), "BuyukGetir");
}
TableData TServerMethods1Client::CariAra(const TSonucBilgisi &bil, const QString &aranan) {
    auto v = one("CariAra", {argObject(bil), t(aranan)});
    return wireTable(v, "CariAra");
}
TableData TServerMethods1Client::CariEkstreVer(int carino) {
    auto v = one("CariEkstreVer", {i(carino)});
    return wireTable(v, "CariEkstreVer");
}
TableData TServerMethods1Client::CariSepetVer(const TSonucBilgisi &bil, int n) {
    auto v = one("CariSepetVer", {argObject(bil), i(n)});
    return wireTable(v, "CariSepetVer");
}
QString TServerMethods1Client::CariVadeGunGecmismiBul(int carino) {
    return wireText(one("CariVadeGunGecmismiBul", {i(carino)}), "CariVadeGunGecmismiBul");
}
TableData TServerMethods1Client::FaturaAltGetir(int idnosu) {
    auto v = one("FaturaAltGetir", {i(idnosu)});
    return wireTable(v, "FaturaAltGetir");
}
TableData TServerMethods1Client::FaturaGetir(int carino, int idnosu) {
    auto v = one("FaturaGetir", {i(carino), i(idnosu)});
    return wireTable(v, "FaturaGetir");
}
TableData TServerMethods1Client::KampanyaliVer2(int cario, int satici) {
    auto v = one("KampanyaliVer2", {i(cario), i(satici)});
    return wireTable(v, "KampanyaliVer2");
}
TableData TServerMethods1Client::KargolarVer(int gn) {
    auto v = one("KargolarVer", {i(gn)});
    return wireTable(v, "KargolarVer");
}
TableData TServerMethods1Client::KargoVer() {
    auto v = one("KargoVer", {});
    return wireTable(v, "KargoVer");
}
QString TServerMethods1Client::KayanYaziGetir() { return wireText(one("KayanYaziGetir", {}), "KayanYaziGetir"); }

int TServerMethods1Client::MailGonserCari(const QString &idsi, const QString &baslik, const QString &firmaadi,
                                          const QString &adres1, const QString &adres2, const QString &ilce,
                                          const QString &sehir, const QString &telefon, const QString &fax,
                                          const QString &vd, const QString &vn, const QString &yetkili,
                                          const QString &kullaniciadi, const QString &sifre, const QString &mail,
                                          const QString &kargoambar) {
    return wireInt(one("MailGonserCari", {t(idsi), t(baslik), t(firmaadi), t(adres1), t(adres2), t(ilce), t(sehir),
                                          t(telefon), t(fax), t(vd), t(vn), t(yetkili), t(kullaniciadi), t(sifre),
                                          t(mail), t(kargoambar)}),
                   "MailGonserCari");
}
int TServerMethods1Client::MailGonserCariNormal(const QString &idsi, const QString &baslik, const QString &firmaadi,
                                                const QString &adres1, const QString &adres2, const QString &ilce,
                                                const QString &sehir, const QString &telefon, const QString &fax,
                                                const QString &vd, const QString &vn, const QString &yetkili,
                                                const QString &kullaniciadi, const QString &sifre,
                                                const QString &mail, const QString &kargoambar,
                                                const QString &konu) {
    return wireInt(one("MailGonserCariNormal",
                       {t(idsi), t(baslik), t(firmaadi), t(adres1), t(adres2), t(ilce), t(sehir), t(telefon), t(fax),
                        t(vd), t(vn), t(yetkili), t(kullaniciadi), t(sifre), t(mail), t(kargoambar), t(konu)}),
                   "MailGonserCariNormal");
}
std::optional<TMobilCariBilgisi> TServerMethods1Client::MobilCariBilgisiGetir(int sirano, const QString &_idsi) {
    return objectResult<TMobilCariBilgisi>(one("MobilCariBilgisiGetir", {i(sirano), t(_idsi)}),
                                           "MobilCariBilgisiGetir");
}
TableData TServerMethods1Client::OncekiSiparisler(int carino) {
    auto v = one("OncekiSiparisler", {i(carino)});
    return wireTable(v, "OncekiSiparisler");
}
TableData TServerMethods1Client::RaporAlinanSiparisler(const TSonucBilgisi &bilgi, double tarih1, double tarih2) {
    auto v = one("RaporAlinanSiparisler", {argObject(bilgi), d(tarih1), d(tarih2)});
    return wireTable(v, "RaporAlinanSiparisler");
}
TableData TServerMethods1Client::RaporEnCokSatilanStoklar(const TSonucBilgisi &bilgi, double tarih1, double tarih2) {
    auto v = one("RaporEnCokSatilanStoklar", {argObject(bilgi), d(tarih1), d(tarih2)});
    return wireTable(v, "RaporEnCokSatilanStoklar");
}
QByteArray TServerMethods1Client::RaporGetir(int raporno, int bolum, int idno, int carino, const QString &saticiadi,
                                             double tarih1, double tarih2, qint64 &size) {
    return stream("RaporGetir", {i(raporno), i(bolum), i(idno), i(carino), t(saticiadi), d(tarih1), d(tarih2)}, size);
}
QByteArray TServerMethods1Client::ResimVer5(int stokno, qint64 &boy) { return stream("ResimVer5", {i(stokno)}, boy); }
QByteArray TServerMethods1Client::SAnalPosPdfVer(int sirano, qint64 &boy) {
    return stream("SAnalPosPdfVer", {i(sirano)}, boy);
}
int TServerMethods1Client::SanalposSiranoVer(int idnosu) {
    return wireInt(one("SanalposSiranoVer", {i(idnosu)}), "SanalposSiranoVer");
}
int TServerMethods1Client::SepetEkle2(const TSonucBilgisi &bilgim, int carino, int stokno, const QString &barkod,
                                      const QString &stokadi, double miktar, double kdv, double fiyat, double ind1,
                                      int verenid, int k, double ind2, double ind3, double ind4) {
    return wireInt(one("SepetEkle2", {argObject(bilgim), i(carino), i(stokno), t(barkod), t(stokadi), d(miktar),
                                      d(kdv), d(fiyat), d(ind1), i(verenid), i(k), d(ind2), d(ind3), d(ind4)}),
                   "SepetEkle2");
}
int TServerMethods1Client::SepetGuncelle2(const TSonucBilgisi &bilgim, int carino, int stokno, const QString &barkod,
                                          const QString &stokadi, double miktar, double kdv, double fiyat,
                                          double ind1, int verenid, int _sepetsirano, double ind2, double ind3,
                                          double ind4) {
    return wireInt(one("SepetGuncelle2", {argObject(bilgim), i(carino), i(stokno), t(barkod), t(stokadi), d(miktar),
                                          d(kdv), d(fiyat), d(ind1), i(verenid), i(_sepetsirano), d(ind2), d(ind3),
                                          d(ind4)}),
                   "SepetGuncelle2");
}
int TServerMethods1Client::SepetHepsiniSil(const TSonucBilgisi &bilgi) {
    return wireInt(one("SepetHepsiniSil", {argObject(bilgi)}), "SepetHepsiniSil");
}
int TServerMethods1Client::SepetSatirSil(const TSonucBilgisi &bilgi, int satirno, const QString &aciklamam) {
    return wireInt(one("SepetSatirSil", {argObject(bilgi), i(satirno), t(aciklamam)}), "SepetSatirSil");
}
int TServerMethods1Client::SepetSayisi(const TSonucBilgisi &bil) {
    return wireInt(one("SepetSayisi", {argObject(bil)}), "SepetSayisi");
}
void TServerMethods1Client::SepetSecimGuncelle(int sirano, int secim) {
    call("SepetSecimGuncelle", {i(sirano), i(secim)});
}
TableData TServerMethods1Client::SepetVer2(int carino) {
    auto v = one("SepetVer2", {i(carino)});
    return wireTable(v, "SepetVer2");
}
TableData TServerMethods1Client::SiparisAyrintisi2(int carino, int idnosu) {
    auto v = one("SiparisAyrintisi2", {i(carino), i(idnosu)});
    return wireTable(v, "SiparisAyrintisi2");
}
std::optional<TSiparisDipAyrinti> TServerMethods1Client::SiparisAytintisiDip(int carino, int siranosu) {
    return objectResult<TSiparisDipAyrinti>(one("SiparisAytintisiDip", {i(carino), i(siranosu)}),
                                            "SiparisAytintisiDip");
}
bool TServerMethods1Client::SiparisKaydet(const TSonucBilgisi &BB, int _carino, int _teslim, int _kargo,
                                          const QString &_aciklama, int _verenid, int _kargoyeni) {
    return wireBool(one("SiparisKaydet", {argObject(BB), i(_carino), i(_teslim), i(_kargo), t(_aciklama),
                                          i(_verenid), i(_kargoyeni)}),
                    "SiparisKaydet");
}
TableData TServerMethods1Client::StokAraGetirTelvar(const QString &kod, const TSonucBilgisi &bilgi) {
    auto v = one("StokAraGetirTelvar", {t(kod), argObject(bilgi)});
    return wireTable(v, "StokAraGetirTelvar");
}
TableData TServerMethods1Client::StokHareketVer(int carino, int stokno) {
    auto v = one("StokHareketVer", {i(carino), i(stokno)});
    return wireTable(v, "StokHareketVer");
}
TableData TServerMethods1Client::Tahsilat(int idnosu) {
    auto v = one("Tahsilat", {i(idnosu)});
    return wireTable(v, "Tahsilat");
}
TableData TServerMethods1Client::TeslimVer() {
    auto v = one("TeslimVer", {});
    return wireTable(v, "TeslimVer");
}
TableData TServerMethods1Client::TumSiparislerVer(int carino, int stokno) {
    auto v = one("TumSiparislerVer", {i(carino), i(stokno)});
    return wireTable(v, "TumSiparislerVer");
}
std::optional<TTusSonuclari> TServerMethods1Client::TusSonuclariVer(const TSonucBilgisi &bil) {
    return objectResult<TTusSonuclari>(one("TusSonuclariVer", {argObject(bil)}), "TusSonuclariVer");
}
TableData TServerMethods1Client::YenilerVer2(int carino) {
    auto v = one("YenilerVer2", {i(carino)});
    return wireTable(v, "YenilerVer2");
}

} // namespace b2b
