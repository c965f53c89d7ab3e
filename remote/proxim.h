#pragma once
// Proxy of the server's remote methods. Created on an open connection; every method sends one call
// with its arguments in the server's order. Object arguments are read, never consumed, so the
// caller's login record cannot be lost by a call; results are values the caller owns.

#include "connection.h"
#include "recordset.h"
#include "transfer.h"
#include "wire.h"

#include <optional>

namespace b2b {

class TServerMethods1Client {
public:
    explicit TServerMethods1Client(Connection &connection); // throws on a closed connection

    TAcilisEkranlariki AcilisEkranlarVer2();
    int AcilisReklamAdet();
    std::optional<TAcilisEkran> AcilisREklamVer(int sira);
    int BakiyeDegistir(const TSonucBilgisi &k, int stokno, int sepetsirano, int siparissirano, double Adet,
                       double Bakiye, const QString &barkod);
    int BakiyeDuzenle(const TSonucBilgisi &k, int stokno, int sepetsirano, int siparissirano, double Adet,
                      double Bakiye, const QString &barkod);
    int BakiyeFiyatDegistir(const TSonucBilgisi &k, int stokno, int sepetsirano, int siparissirano, double Adet,
                            double Bakiye, const QString &barkod, double fiyat, double ind);
    TableData BakiyelerVer2(int carino);
    TableData BalonGetir(const TSonucBilgisi &bil);
    QByteArray BannerResimVer(qint64 &size);
    QByteArray BannerResimVer2(qint64 &size);
    QByteArray BannerResimVer3(qint64 &size);
    std::optional<TSonucBilgisi> BuyukGetir(const QString &idsi);
    TableData CariAra(const TSonucBilgisi &bil, const QString &aranan);
    TableData CariEkstreVer(int carino);
    TableData CariSepetVer(const TSonucBilgisi &bil, int n);
    QString CariVadeGunGecmismiBul(int carino);
    TableData FaturaAltGetir(int idnosu);
    TableData FaturaGetir(int carino, int idnosu);
    TableData KampanyaliVer2(int cario, int satici);
    TableData KargolarVer(int gn);
    TableData KargoVer();
    QString KayanYaziGetir();
    int MailGonserCari(const QString &idsi, const QString &baslik, const QString &firmaadi, const QString &adres1,
                       const QString &adres2, const QString &ilce, const QString &sehir, const QString &telefon,
                       const QString &fax, const QString &vd, const QString &vn, const QString &yetkili,
                       const QString &kullaniciadi, const QString &sifre, const QString &mail,
                       const QString &kargoambar);
    int MailGonserCariNormal(const QString &idsi, const QString &baslik, const QString &firmaadi,
                             const QString &adres1, const QString &adres2, const QString &ilce, const QString &sehir,
                             const QString &telefon, const QString &fax, const QString &vd, const QString &vn,
                             const QString &yetkili, const QString &kullaniciadi, const QString &sifre,
                             const QString &mail, const QString &kargoambar, const QString &konu);
    std::optional<TMobilCariBilgisi> MobilCariBilgisiGetir(int sirano, const QString &_idsi);
    TableData OncekiSiparisler(int carino);
    TableData RaporAlinanSiparisler(const TSonucBilgisi &bilgi, double tarih1, double tarih2);
    TableData RaporEnCokSatilanStoklar(const TSonucBilgisi &bilgi, double tarih1, double tarih2);
    QByteArray RaporGetir(int raporno, int bolum, int idno, int carino, const QString &saticiadi, double tarih1,
                          double tarih2, qint64 &size);
    QByteArray ResimVer5(int stokno, qint64 &boy);
    QByteArray SAnalPosPdfVer(int sirano, qint64 &boy);
    int SanalposSiranoVer(int idnosu);
    int SepetEkle2(const TSonucBilgisi &bilgim, int carino, int stokno, const QString &barkod, const QString &stokadi,
                   double miktar, double kdv, double fiyat, double ind1, int verenid, int k, double ind2, double ind3,
                   double ind4);
    int SepetGuncelle2(const TSonucBilgisi &bilgim, int carino, int stokno, const QString &barkod,
                       const QString &stokadi, double miktar, double kdv, double fiyat, double ind1, int verenid,
                       int _sepetsirano, double ind2, double ind3, double ind4);
    int SepetHepsiniSil(const TSonucBilgisi &bilgi);
    int SepetSatirSil(const TSonucBilgisi &bilgi, int satirno, const QString &aciklamam);
    int SepetSayisi(const TSonucBilgisi &bil);
    void SepetSecimGuncelle(int sirano, int secim);
    TableData SepetVer2(int carino);
    TableData SiparisAyrintisi2(int carino, int idnosu);
    std::optional<TSiparisDipAyrinti> SiparisAytintisiDip(int carino, int siranosu);
    bool SiparisKaydet(const TSonucBilgisi &BB, int _carino, int _teslim, int _kargo, const QString &_aciklama,
                       int _verenid, int _kargoyeni);
    TableData StokAraGetirTelvar(const QString &kod, const TSonucBilgisi &bilgi);
    TableData StokHareketVer(int carino, int stokno);
    TableData Tahsilat(int idnosu);
    TableData TeslimVer();
    TableData TumSiparislerVer(int carino, int stokno);
    std::optional<TTusSonuclari> TusSonuclariVer(const TSonucBilgisi &bil);
    TableData YenilerVer2(int carino);

    // Any method by name with already-typed inputs (the command-line caller); answers outs then result.
    std::vector<WireValue> Invoke(const MethodSpec &m, const std::vector<WireValue> &inputs);

private:
    std::vector<WireValue> call(const char *method, std::vector<WireValue> inputs);
    WireValue one(const char *method, std::vector<WireValue> inputs);
    QByteArray stream(const char *method, std::vector<WireValue> inputs, qint64 &size);
    Connection &conn_;
};

} // namespace b2b
