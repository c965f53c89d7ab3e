#include "ayarini.h"

#include "utils.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace b2b {

namespace {

const QString kBolum = QStringLiteral("kullanici");

QString cleanValue(QString v) {
    v = v.trimmed();
    if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"')) v = v.mid(1, v.size() - 2);
    return v;
}

// Values that would not survive the reader (outer blanks, outer quotes) travel inside quotes.
QString encodeValue(QString v) {
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    if (v != v.trimmed() || (v.startsWith(u'"') && v.endsWith(u'"') && v.size() >= 2)) return u'"' + v + u'"';
    return v;
}

bool sameName(const QString &a, const QString &b) { return a.trimmed().compare(b, Qt::CaseInsensitive) == 0; }

} // namespace

bool IniDosyasi::Yukle(const QString &path) {
    lines_.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QByteArray raw = f.read(1 << 20); // a settings file; a huge one is cut, not loaded whole
    if (raw.startsWith("\xEF\xBB\xBF")) raw.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(raw);
    if (utf8.hasError()) {
        // Files written on the old platform use the Turkish ANSI code page.
        QStringDecoder legacy("windows-1254");
        text = legacy.isValid() ? legacy.decode(raw) : QString::fromLatin1(raw);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    lines_ = text.split(u'\n');
    while (!lines_.isEmpty() && lines_.last().trimmed().isEmpty()) lines_.removeLast();
    return true;
}

bool IniDosyasi::Kaydet(const QString &path, QString *error) const {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    // Before any byte is written: the temporary file that becomes ayar.ini is the owner's only.
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    f.write(Metin().toUtf8());
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

int IniDosyasi::sectionLine(const QString &section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        const QString t = lines_[i].trimmed();
        if (t.startsWith(u'[') && t.endsWith(u']') && sameName(t.mid(1, t.size() - 2), section)) return i;
    }
    return -1;
}

int IniDosyasi::keyLine(int sectionAt, const QString &key) const {
    for (int i = sectionAt + 1; i < lines_.size(); ++i) {
        const QString t = lines_[i].trimmed();
        if (t.startsWith(u'[')) break;
        if (t.startsWith(u';')) continue;
        const qsizetype eq = t.indexOf(u'=');
        if (eq > 0 && sameName(t.left(eq), key)) return i;
    }
    return -1;
}

bool IniDosyasi::Varmi(const QString &section, const QString &key) const {
    const int s = sectionLine(section);
    return s >= 0 && keyLine(s, key) >= 0;
}

QString IniDosyasi::OkuYazi(const QString &section, const QString &key, const QString &def) const {
    const int s = sectionLine(section);
    const int k = s < 0 ? -1 : keyLine(s, key);
    if (k < 0) return def;
    const QString &line = lines_[k];
    return cleanValue(line.mid(line.indexOf(u'=') + 1));
}

bool IniDosyasi::OkuBool(const QString &section, const QString &key, bool def) const {
    bool ok = false;
    const int v = OkuYazi(section, key, QString()).toInt(&ok);
    return ok ? v != 0 : def;
}

void IniDosyasi::YazYazi(const QString &section, const QString &key, const QString &value) {
    const QString line = key + u'=' + encodeValue(value);
    int s = sectionLine(section);
    if (s < 0) {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty()) lines_ << QString();
        lines_ << u'[' + section + u']' << line;
        return;
    }
    const int k = keyLine(s, key);
    if (k >= 0) {
        lines_[k] = line;
        return;
    }
    // After the section's last non-blank line.
    int at = s + 1;
    for (int i = s + 1; i < lines_.size() && !lines_[i].trimmed().startsWith(u'['); ++i)
        if (!lines_[i].trimmed().isEmpty()) at = i + 1;
    lines_.insert(at, line);
}

void IniDosyasi::YazBool(const QString &section, const QString &key, bool value) {
    YazYazi(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString AyarDosyasiYolu() { return VeriKlasoru() + QStringLiteral("/ayar.ini"); }

HatirlananGiris AyarlariOku(const QString &path) {
    HatirlananGiris g;
    if (!QFileInfo::exists(path)) return g;
    g.dosyaVar = true;
    IniDosyasi ini;
    ini.Yukle(path);
    g.hatirla = ini.OkuBool(kBolum, QStringLiteral("hatırla"), true);
    if (g.hatirla) {
        g.isim = ini.OkuYazi(kBolum, QStringLiteral("isim"));
        g.sifre = ini.OkuYazi(kBolum, QStringLiteral("sifre"));
    }
    return g;
}

bool AyarlariYaz(const QString &path, const QString &isim, const QString &sifre, bool hatirla, QString *error) {
    IniDosyasi ini;
    ini.Yukle(path); // other sections and keys stay as they were
    ini.YazYazi(kBolum, QStringLiteral("isim"), isim);
    ini.YazYazi(kBolum, QStringLiteral("sifre"), sifre);
    ini.YazBool(kBolum, QStringLiteral("hatırla"), hatirla);
    return ini.Kaydet(path, error);
}

} // namespace b2b
