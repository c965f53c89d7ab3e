#pragma once
// "ayar.ini": the remembered login. A small INI reader/writer of our own: the file is UTF-8 text
// with the key names spelled as they are ("hatırla"), which Qt's settings class would escape.
// The file holds a password in plain text, so it is written with mode 0600.

#include <QString>
#include <QStringList>

namespace b2b {

class IniDosyasi {
public:
    // Missing file: empty contents, returns false. Non-UTF-8 files are read as Windows-1254.
    bool Yukle(const QString &path);
    // Atomic replace, mode 0600; false with the reason in `error`.
    bool Kaydet(const QString &path, QString *error = nullptr) const;

    bool Varmi(const QString &section, const QString &key) const;
    // Section and key names compare without regard to case; a value loses one pair of
    // surrounding double quotes and its outer blanks, as the platform's reader does.
    QString OkuYazi(const QString &section, const QString &key, const QString &def = {}) const;
    // Integer text other than 0 is true, 0 is false, anything else gives `def`.
    bool OkuBool(const QString &section, const QString &key, bool def) const;
    void YazYazi(const QString &section, const QString &key, const QString &value);
    void YazBool(const QString &section, const QString &key, bool value);

    QString Metin() const { return lines_.join(u'\n') + (lines_.isEmpty() ? QString() : QStringLiteral("\n")); }

private:
    int sectionLine(const QString &section) const;         // -1 when absent
    int keyLine(int sectionAt, const QString &key) const;  // -1 when absent
    QStringList lines_;
};

struct HatirlananGiris {
    bool dosyaVar = false;
    bool hatirla = true;
    QString isim;
    QString sifre;
};

QString AyarDosyasiYolu(); // VeriKlasoru() + "/ayar.ini"

// BilgileriYukle: nothing but the check box's default without a file; the fields only when the
// remembered box is checked.
HatirlananGiris AyarlariOku(const QString &path);
// BilgileriKaydet: both texts are written whether or not the box is checked.
bool AyarlariYaz(const QString &path, const QString &isim, const QString &sifre, bool hatirla,
                 QString *error = nullptr);

} // namespace b2b
