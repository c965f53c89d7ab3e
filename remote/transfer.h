#pragma once
// Plain records exchanged with the server. Fields keep their wire names (leading F); each has a
// getter of the same name without F and a setter that only assigns.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <vector>

namespace b2b {

#define B2B_DECLARE_FIELD(Type, Name, Default)                                                                         \
    Type F##Name = Default;                                                                                            \
    const Type &Name() const { return F##Name; }                                                                       \
    void Set##Name(const Type &v) { F##Name = v; }

#define TSONUCBILGISI_FIELDS(X)                                                                                        \
    X(QString, BILGISAYARID, {})                                                                                       \
    X(QString, SaticiMail, {})                                                                                         \
    X(int, Sirano, 0)                                                                                                  \
    X(QString, CariAdi, {})                                                                                            \
    X(QString, SIFRE, {})                                                                                              \
    X(int, SaticiNo, 0)                                                                                                \
    X(int, CARINO, 0)                                                                                                  \
    X(int, AKTIF, 0)                                                                                                   \
    X(QString, Kullanicimail, {})                                                                                      \
    X(QString, ADI, {})                                                                                                \
    X(QString, SaticiTelefon, {})                                                                                      \
    X(QString, carikod, {})                                                                                            \
    X(bool, Varmi, false)                                                                                              \
    X(QString, SaticiAdi, {})                                                                                          \
    X(QString, BilgiSayarAdi, {})                                                                                      \
    X(QString, Disip, {})                                                                                              \
    X(QString, Icip, {})                                                                                               \
    X(QString, BilgisayarKullanici, {})                                                                                \
    X(int, MusteriTipi, 1)                                                                                             \
    X(int, Version, 1)

#define TSIPARISDIPAYRINTI_FIELDS(X)                                                                                   \
    X(QString, SizinMesaj, {})                                                                                         \
    X(QString, Durumu, {})                                                                                             \
    X(QString, Veren, {})                                                                                              \
    X(QString, Kargo, {})                                                                                              \
    X(QString, BizimMesaj, {})                                                                                         \
    X(QString, TeslimCinsi, {})                                                                                        \
    X(QString, KargoCinsi, {})                                                                                         \
    X(QString, SaticiNotu, {})

#define TTUSSONUCLARI_FIELDS(X)                                                                                        \
    X(int, Alindi, 0)                                                                                                  \
    X(int, Onaylandi, 0)                                                                                               \
    X(int, ParcaliHazirlandi, 0)                                                                                       \
    X(int, SevkEdildi, 0)                                                                                              \
    X(int, Hazirlandi, 0)                                                                                              \
    X(int, Goruldu, 0)

#define TMOBILCARIBILGISI_FIELDS(X)                                                                                    \
    X(QString, BILGISAYARID, {})                                                                                       \
    X(QString, SEHIR, {})                                                                                              \
    X(QString, FAX1, {})                                                                                               \
    X(QString, SATICIMAIL, {})                                                                                         \
    X(QString, SATICIADI, {})                                                                                          \
    X(QString, CARIADI, {})                                                                                            \
    X(QString, EMAIL, {})                                                                                              \
    X(QString, VERGIDAIRESI, {})                                                                                       \
    X(QString, YETKILI, {})                                                                                            \
    X(QString, AltGrup, {})                                                                                            \
    X(QString, TEL2, {})                                                                                               \
    X(QString, SIFRE, {})                                                                                              \
    X(QString, GSM, {})                                                                                                \
    X(QString, TEL1, {})                                                                                               \
    X(QString, ADRES2, {})                                                                                             \
    X(double, TLBORC, 0.0)                                                                                             \
    X(double, TLALACAK, 0.0)                                                                                           \
    X(QString, ADRES1, {})                                                                                             \
    X(QString, ULKE, {})                                                                                               \
    X(QString, AnaGrup, {})                                                                                            \
    X(int, CARINO, 0)                                                                                                  \
    X(double, TLBAKIYE, 0.0)                                                                                           \
    X(QString, VERGINO, {})                                                                                            \
    X(QString, MAIL, {})                                                                                               \
    X(QString, OzelKod, {})                                                                                            \
    X(QString, KULLANICIADI, {})                                                                                       \
    X(QString, SATICITELEFON, {})                                                                                      \
    X(QString, CARIKOD, {})                                                                                            \
    X(QString, FAX2, {})                                                                                               \
    X(QString, ILCE, {})

#define TACILISEKRAN_FIELDS(X)                                                                                         \
    X(int, SiraNo, 0)                                                                                                  \
    X(QString, Resim, {})                                                                                              \
    X(QString, Baslik, {})                                                                                             \
    X(QString, Arama, {})

// Marshalled form: {"type":"unit.Class","id":N,"fields":{...}}. Unknown fields are ignored, missing
// ones keep the creation default, a field of the wrong JSON type fails with RemoteError.
#define B2B_TRANSFER_CLASS(Class, Unit, FIELDS)                                                                        \
    class Class {                                                                                                      \
    public:                                                                                                            \
        static constexpr const char *kUnit = Unit;                                                                     \
        static constexpr const char *kClass = #Class;                                                                  \
        static QString TypeName() { return QStringLiteral(Unit "." #Class); }                                         \
        FIELDS(B2B_DECLARE_FIELD)                                                                                      \
        void Kopyala(const Class &source) { *this = source; }                                                          \
        QJsonObject toFields() const;                                                                                  \
        static Class fromFields(const QJsonObject &fields);                                                            \
        QJsonObject marshal(int id = 1) const;                                                                         \
        static Class unmarshal(const QJsonObject &obj);                                                                \
        bool operator==(const Class &) const = default;                                                                \
    };

B2B_TRANSFER_CLASS(TSonucBilgisi, "baglantiu", TSONUCBILGISI_FIELDS)
B2B_TRANSFER_CLASS(TSiparisDipAyrinti, "baglantiu", TSIPARISDIPAYRINTI_FIELDS)
B2B_TRANSFER_CLASS(TTusSonuclari, "baglantiu", TTUSSONUCLARI_FIELDS)
B2B_TRANSFER_CLASS(TMobilCariBilgisi, "mobilstokunit", TMOBILCARIBILGISI_FIELDS)
B2B_TRANSFER_CLASS(TAcilisEkran, "mobilstokunit", TACILISEKRAN_FIELDS)

// Holder of the announcement list.
class TAcilisEkranlariki {
public:
    static QString TypeName() { return QStringLiteral("mobilstokunit.TAcilisEkranlariki"); }
    std::vector<TAcilisEkran> FEkranlar;
    const std::vector<TAcilisEkran> &Ekranlar() const { return FEkranlar; }
    void SetEkranlar(std::vector<TAcilisEkran> v) { FEkranlar = std::move(v); }
    QJsonObject toFields() const;
    static TAcilisEkranlariki fromFields(const QJsonObject &fields);
    QJsonObject marshal(int id = 1) const;
    static TAcilisEkranlariki unmarshal(const QJsonObject &obj);
    bool operator==(const TAcilisEkranlariki &) const = default;
};

// Hexadecimal picture text -> bytes; a trailing single character is read alone.
// Throws RemoteError on a pair that is not hexadecimal.
QByteArray HexCoz(QStringView text);
QString HexKodla(const QByteArray &bytes); // the inverse, upper-case pairs

} // namespace b2b
