#include "seed.h"

#include "database.h"
#include "media.h"
#include "pricing.h"
#include "textnorm.h"

#include <QDateTime>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>

namespace b2b::server {

QDate demoBaseDate() { return QDate(2026, 11, 30); }

double dayNumber(const QDate &d) { return double(d.toJulianDay() - QDate(1899, 12, 30).toJulianDay()); }

double nowDayNumber() {
    const QDateTime now = QDateTime::currentDateTime();
    return dayNumber(now.date()) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

const std::vector<DemoUser> &demoUsers() {
    static const std::vector<DemoUser> users = {
        {"DEMO-BAYI", "BAYI", "BAYI123", 0, "bayi (dealer)"},
        {"DEMO-TEMSILCI1", "TEMSILCI1", "TEMSIL123", 1, "temsilci, kendi carileri (representative, own customers)"},
        {"DEMO-TEMSILCI2", "TEMSILCI2", "TEMSIL456", 2, "temsilci, tum cariler (representative, all customers)"},
        {"DEMO-TIP3", "TIP3", "TIP3123", 3, "kullanici tipi 3"},
        {"DEMO-TIP4", "TIP4", "TIP4123", 4, "kullanici tipi 4"},
    };
    return users;
}

namespace {

// splitmix64: small, fast and the same on every platform.
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed) {}
    uint64_t next() {
        uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int range(int lo, int hi) { return lo + int(next() % uint64_t(hi - lo + 1)); } // inclusive
    double real() { return double(next() >> 11) / double(1ull << 53); }
    bool chance(double p) { return real() < p; }
    template <typename T, size_t N> const T &pick(const T (&a)[N]) { return a[next() % N]; }
    template <typename T> const T &pick(const std::vector<T> &v) { return v[next() % v.size()]; }

private:
    uint64_t s_;
};

struct PartType {
    const char *name;
    const char *other;
    const char *group;
    const char *unit;
    double basePrice;
    bool sided; // has a position (front/rear/left/right)
};

const PartType kParts[] = {
    {"FREN BALATASI", "DİSK BALATA TAKIMI", "FREN", "TAKIM", 850, true},
    {"FREN DİSKİ", "DİSK FREN AYNASI", "FREN", "ADET", 1250, true},
    {"FREN KALİPERİ", "FREN KALİPER GÖVDESİ", "FREN", "ADET", 2400, true},
    {"FREN HORTUMU", "FREN ESNEK HORTUMU", "FREN", "ADET", 260, true},
    {"FREN MERKEZİ", "ANA FREN SİLİNDİRİ", "FREN", "ADET", 1900, false},
    {"EL FREN TELİ", "PARK FRENİ HALATI", "FREN", "ADET", 420, true},
    {"YAĞ FİLTRESİ", "MOTOR YAĞ FİLTRESİ", "FİLTRE", "ADET", 180, false},
    {"HAVA FİLTRESİ", "MOTOR HAVA FİLTRESİ", "FİLTRE", "ADET", 240, false},
    {"POLEN FİLTRESİ", "KABİN FİLTRESİ", "FİLTRE", "ADET", 210, false},
    {"YAKIT FİLTRESİ", "MAZOT FİLTRESİ", "FİLTRE", "ADET", 330, false},
    {"AMORTİSÖR", "SÜSPANSİYON AMORTİSÖRÜ", "SÜSPANSİYON", "ADET", 1650, true},
    {"AMORTİSÖR TAKOZU", "AMORTİSÖR ÜST TABLASI", "SÜSPANSİYON", "ADET", 480, true},
    {"ROTBAŞI", "ROT UCU", "SÜSPANSİYON", "ADET", 390, true},
    {"ROT MİLİ", "ROT KOLU", "SÜSPANSİYON", "ADET", 520, true},
    {"ROTİL", "SALINCAK ROTİLİ", "SÜSPANSİYON", "ADET", 450, true},
    {"SALINCAK", "ALT SALINCAK KOLU", "SÜSPANSİYON", "ADET", 1350, true},
    {"Z ROT", "VİRAJ DEMİRİ BAĞLANTISI", "SÜSPANSİYON", "ADET", 310, true},
    {"HELEZON YAY", "SÜSPANSİYON YAYI", "SÜSPANSİYON", "ADET", 980, true},
    {"TEKER RULMANI", "BOTON RULMANI", "ŞANZIMAN", "ADET", 760, true},
    {"DEBRİYAJ SETİ", "KAVRAMA SETİ", "ŞANZIMAN", "SET", 3900, false},
    {"DEBRİYAJ RULMANI", "KAVRAMA BASKI RULMANI", "ŞANZIMAN", "ADET", 690, false},
    {"AKS", "AKS MİLİ", "ŞANZIMAN", "ADET", 2800, true},
    {"AKS KÖRÜĞÜ", "AKS TOZ KÖRÜĞÜ", "ŞANZIMAN", "TAKIM", 230, true},
    {"VOLANT", "ÇİFT KÜTLELİ VOLANT", "ŞANZIMAN", "ADET", 9800, false},
    {"TRİGER SETİ", "EKSANTRİK KAYIŞ SETİ", "MOTOR", "SET", 2300, false},
    {"V KAYIŞI", "KANALLI KAYIŞ", "MOTOR", "ADET", 280, false},
    {"GERGİ RULMANI", "KAYIŞ GERGİ MAKARASI", "MOTOR", "ADET", 540, false},
    {"MOTOR KULAĞI", "MOTOR TAKOZU", "MOTOR", "ADET", 720, true},
    {"SİLİNDİR KAPAK CONTASI", "KAPAK CONTASI", "MOTOR", "ADET", 650, false},
    {"SUBAP", "EMME SUBABI", "MOTOR", "ADET", 260, false},
    {"PİSTON SEGMAN", "SEGMAN TAKIMI", "MOTOR", "TAKIM", 1450, false},
    {"YAĞ POMPASI", "MOTOR YAĞ POMPASI", "MOTOR", "ADET", 1750, false},
    {"KARTER CONTASI", "YAĞ KARTERİ CONTASI", "MOTOR", "ADET", 190, false},
    {"TURBO HORTUMU", "İNTERCOOLER HORTUMU", "MOTOR", "ADET", 680, false},
    {"SU POMPASI", "DEVİRDAİM POMPASI", "SOĞUTMA", "ADET", 950, false},
    {"TERMOSTAT", "TERMOSTAT GÖVDESİ", "SOĞUTMA", "ADET", 370, false},
    {"RADYATÖR", "MOTOR SU RADYATÖRÜ", "SOĞUTMA", "ADET", 2600, false},
    {"RADYATÖR HORTUMU", "SU HORTUMU", "SOĞUTMA", "ADET", 240, false},
    {"FAN MOTORU", "RADYATÖR FANI", "SOĞUTMA", "ADET", 1850, false},
    {"KALORİFER RADYATÖRÜ", "ISITICI PETEĞİ", "SOĞUTMA", "ADET", 1150, false},
    {"BUJİ", "ATEŞLEME BUJİSİ", "ELEKTRİK", "ADET", 140, false},
    {"ATEŞLEME BOBİNİ", "BOBİN", "ELEKTRİK", "ADET", 890, false},
    {"ŞARJ DİNAMOSU", "ALTERNATÖR", "ELEKTRİK", "ADET", 4200, false},
    {"MARŞ MOTORU", "STARTER", "ELEKTRİK", "ADET", 3800, false},
    {"OKSİJEN SENSÖRÜ", "LAMBDA SONDASI", "ELEKTRİK", "ADET", 1450, false},
    {"ABS SENSÖRÜ", "TEKER HIZ SENSÖRÜ", "ELEKTRİK", "ADET", 560, true},
    {"KRANK SENSÖRÜ", "DEVİR SENSÖRÜ", "ELEKTRİK", "ADET", 610, false},
    {"CAM KRİKO MOTORU", "CAM MOTORU", "ELEKTRİK", "ADET", 990, true},
    {"FAR", "ÖN FAR GRUBU", "KAPORTA", "ADET", 3200, true},
    {"STOP LAMBASI", "ARKA STOP GRUBU", "KAPORTA", "ADET", 1400, true},
    {"SİS FARI", "ÖN SİS LAMBASI", "KAPORTA", "ADET", 620, true},
    {"DİKİZ AYNASI", "DIŞ AYNA", "KAPORTA", "ADET", 1100, true},
    {"TAMPON", "ÖN TAMPON", "KAPORTA", "ADET", 2500, false},
    {"ÇAMURLUK", "ÖN ÇAMURLUK", "KAPORTA", "ADET", 1800, true},
    {"KAPI KOLU", "DIŞ KAPI KOLU", "KAPORTA", "ADET", 280, true},
    {"SİLECEK SÜPÜRGESİ", "SİLECEK LASTİĞİ", "KAPORTA", "TAKIM", 260, false},
    {"EGZOZ SUSTURUCU", "ARKA SUSTURUCU", "EGZOZ", "ADET", 1300, false},
    {"KATALİTİK KONVERTÖR", "KATALİZÖR", "EGZOZ", "ADET", 6400, false},
    {"EGZOZ CONTASI", "MANİFOLD CONTASI", "EGZOZ", "ADET", 90, false},
    {"DPF FİLTRESİ", "PARTİKÜL FİLTRESİ", "EGZOZ", "ADET", 8900, false},
    {"YAKIT POMPASI", "BENZİN OTOMATİĞİ", "YAKIT", "ADET", 1750, false},
    {"ENJEKTÖR", "YAKIT ENJEKTÖRÜ", "YAKIT", "ADET", 2900, false},
    {"GAZ KELEBEĞİ", "GAZ KELEBEK GÖVDESİ", "YAKIT", "ADET", 2700, false},
    {"MOTOR YAĞI 5W30", "SENTETİK MOTOR YAĞI", "YAĞ", "LİTRE", 390, false},
    {"ŞANZIMAN YAĞI 75W90", "DİŞLİ YAĞI", "YAĞ", "LİTRE", 310, false},
    {"ANTİFRİZ", "SOĞUTMA SIVISI", "YAĞ", "LİTRE", 160, false},
};

const char *const kPositions[] = {"ÖN", "ARKA", "ÖN SAĞ", "ÖN SOL", "ARKA SAĞ", "ARKA SOL", "SAĞ", "SOL"};

struct Brand {
    const char *name;
    const char *prefix;
};
const Brand kBrands[] = {{"KARTALSAN", "KRT"}, {"DEMRO", "DMR"},  {"ANKAPAR", "ANK"},  {"SARVEN", "SRV"},
                         {"MAVİTEK", "MVT"},   {"TORSAN", "TRS"},  {"PINARFİL", "PNF"}, {"ATLASFREN", "ATF"},
                         {"YILDIZRUL", "YLD"}, {"EGEMOT", "EGM"},  {"BORAKS", "BRK"},   {"VOLKANPAR", "VLK"}};

const char *const kMakes[] = {"ARVEN", "DORUK", "KESTRA", "LORİN", "MİRAT", "NORVA", "SERİN", "TAVRA"};
const char *const kModels[] = {"LİNA", "PERA", "SONAT", "VİRA", "ZENİT", "ALYA", "KORA", "ROTA", "ELVA", "TUNA"};
const char *const kEngines[] = {"1.2", "1.3 MULTİJET", "1.4", "1.4 TSİ", "1.5 DCİ", "1.6", "1.6 16V", "2.0 TDİ"};

const char *const kFirmStems[] = {"Demirbaş",  "Akyol",    "Güneşli",  "Karadağ",  "Yücel",    "Özkan",
                                  "Bozdoğan",  "Ertaş",    "Kocaman",  "Sevindik", "Tanrıverdi", "Uluçay",
                                  "Çetinkaya", "Başaran",  "Ilgaz",    "Karaca",   "Oral",     "Sönmez",
                                  "Türkmen",   "Yalçınkaya", "Aydemir", "Bilgiç",   "Candan",   "Duman",
                                  "Erdem"};
const char *const kFirmKinds[] = {"Oto Yedek Parça Ltd. Şti.", "Otomotiv San. ve Tic. A.Ş.", "Oto Parça Tic.",
                                  "Otomotiv Ltd. Şti."};
const char *const kFirstNames[] = {"Mehmet", "Ayşe", "Mustafa", "Fatma", "Ahmet", "Zeynep", "Ali",   "Elif",
                                   "Hasan",  "Emine", "Hüseyin", "Hatice", "İbrahim", "Merve", "Osman", "Selin"};
struct City {
    const char *il;
    const char *ilce;
    const char *area;
};
const City kCities[] = {{"İstanbul", "İkitelli", "0212"}, {"İstanbul", "Kartal", "0216"}, {"Ankara", "Ostim", "0312"},
                        {"İzmir", "Bornova", "0232"},     {"Bursa", "Nilüfer", "0224"},   {"Konya", "Selçuklu", "0332"},
                        {"Antalya", "Kepez", "0242"},     {"Adana", "Seyhan", "0322"},    {"Kocaeli", "Gebze", "0262"},
                        {"Kayseri", "Melikgazi", "0352"}, {"Eskişehir", "Odunpazarı", "0222"},
                        {"Samsun", "İlkadım", "0362"}};

struct Rep {
    int no;
    const char *name;
    const char *phone;
    const char *email;
};
const Rep kReps[] = {{1, "Kemal Aksoy", "0532 555 11 01", "kemal.aksoy@telvar.example"},
                     {2, "Derya Çınar", "0532 555 11 02", "derya.cinar@telvar.example"},
                     {3, "Serkan Öztürk", "0532 555 11 03", "serkan.ozturk@telvar.example"}};

const char *const kOrderStates[] = {"Alındı", "Onaylandı", "Görüldü", "Parçalı Hazırlandı", "Hazırlandı",
                                    "Sevk Edildi"};

constexpr int kPictureCount = 48;

QString slug(const QString &s) {
    QString out;
    for (QChar c : normaliseCode(s).toLower()) out.append(c);
    return out.left(16);
}

QString digits(Rng &r, int n) {
    QString s;
    for (int i = 0; i < n; ++i) s.append(QChar(u'0' + r.range(0, 9)));
    return s;
}

QString ean13(Rng &r) {
    QString s = QStringLiteral("869") + digits(r, 9);
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += (s[i].unicode() - u'0') * ((i % 2) ? 3 : 1);
    s.append(QChar(u'0' + (10 - sum % 10) % 10));
    return s;
}

struct CustomerInfo {
    int carino;
    int rep;
    double iskonto1;
    double iskonto2;
    int vade;
};

struct ItemInfo {
    int stokno;
    QString barkod, adi;
    double fiyat, kampfiyat, iskonto;
    int kdv;
    bool ozelmarka, kampanya;
};

Rates customerRates(const CustomerInfo &c, const ItemInfo &it) {
    return {c.iskonto1, it.ozelmarka ? c.iskonto2 : 0.0, it.iskonto, 0.0};
}

class Seeder {
public:
    Seeder(Database &db, const SeedOptions &o) : db_(db), opt_(o), rng_(20261130) {}

    void run() {
        Transaction tx(db_);
        step(QStringLiteral("settings"));
        settings();
        step(QStringLiteral("representatives and customers"));
        reps();
        customers();
        users();
        step(QStringLiteral("pictures"));
        pictures();
        step(QStringLiteral("%1 catalogue items").arg(opt_.items));
        items();
        step(QStringLiteral("shipping"));
        shipping();
        step(QStringLiteral("orders"));
        orders();
        step(QStringLiteral("documents and statements"));
        documents();
        step(QStringLiteral("adverts and banners"));
        adverts();
        tx.commit();
        step(QStringLiteral("done"));
    }

private:
    void step(const QString &s) {
        if (opt_.progress) opt_.progress(s);
    }

    void settings() {
        Sql q(db_, QStringLiteral("INSERT INTO settings (name, value) VALUES (?, ?)"));
        q.binds(QStringLiteral("schema_version"), QStringLiteral("1")).exec();
        q.binds(QStringLiteral("base_date"), demoBaseDate().toString(Qt::ISODate)).exec();
        q.binds(QStringLiteral("items"), QString::number(opt_.items)).exec();
        q.binds(QStringLiteral("ticker"),
                QStringLiteral(
                    "<FONT COLOR=\"#C8101E\"><B>Telvar Otomotiv Merdal</B></FONT> &bull; "
                    "Yeni sezon <I>fren balatası</I> kampanyası başladı: <FONT COLOR=\"green\"><B>%10</B></FONT> "
                    "ek indirim &bull; <FONT SIZE=\"+2\" COLOR=\"navy\">Kargo bedava</FONT> "
                    "<SMALL>(2.500 TL üzeri siparişlerde)</SMALL> &bull; <U>Cumartesi</U> günü depo sayımı "
                    "nedeniyle sevkiyat yapılmayacaktır &bull; Yeni ürünler için <A HREF=\"/\">web sitemizi</A> "
                    "ziyaret edin &bull; Müşteri hizmetleri: 0850 555 00 00"))
            .exec();
    }

    void reps() {
        Sql q(db_, QStringLiteral("INSERT INTO reps (saticino, adi, telefon, email) VALUES (?, ?, ?, ?)"));
        for (const Rep &r : kReps)
            q.binds(r.no, QString::fromUtf8(r.name), QString::fromUtf8(r.phone), QString::fromUtf8(r.email)).exec();
    }

    void customers() {
        Sql q(db_, QStringLiteral(
                       "INSERT INTO customers (carino, carikod, cariadi, saticino, yetkili, ozelkod, kod1, kod2, kod3, "
                       "kod4, kod5, tel1, tel2, fax1, fax2, gsm, email, adres1, adres2, ilce, il, ulke, vergidairesi, "
                       "vergino, anagrup, altgrup, iskonto1, iskonto2, vade, vadekontrolgun, vadekontrolay, arama) "
                       "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        const double disc1[] = {5, 10, 12.5, 15};
        const double disc2[] = {0, 3, 5};
        const int terms[] = {30, 45, 60, 90};
        const char *streets[] = {"Atatürk Cad.", "Sanayi Cad.", "Cumhuriyet Bulvarı", "Oto Sanayi Sitesi 4. Blok",
                                 "Organize Sanayi 12. Sok.", "İstasyon Cad."};
        for (int i = 1; i <= 50; ++i) {
            const QString stem = QString::fromUtf8(kFirmStems[(i - 1) % 25]);
            const QString kind = QString::fromUtf8(kFirmKinds[(i - 1) / 25 + ((i * 3) % 2)]);
            const QString name = (i > 25 ? QStringLiteral("%1 Kardeşler %2") : QStringLiteral("%1 %2")).arg(stem, kind);
            const City &city = kCities[(i * 7) % 12];
            const int rep = 1 + (i - 1) % 3;
            CustomerInfo ci{i, rep, disc1[rng_.range(0, 3)], disc2[rng_.range(0, 2)], terms[rng_.range(0, 3)]};
            if (i == 1) ci = CustomerInfo{1, 1, 10, 5, 60};
            customers_.push_back(ci);
            const QString contact =
                QStringLiteral("%1 %2").arg(QString::fromUtf8(kFirstNames[rng_.range(0, 15)]), stem);
            const QString code = QStringLiteral("120.%1.%2").arg(rep, 2, 10, QLatin1Char('0')).arg(i, 3, 10, QLatin1Char('0'));
            const QString area = QString::fromUtf8(city.area);
            const QString tel = QStringLiteral("%1 555 %2 %3").arg(area).arg(10 + i % 90).arg(i, 2, 10, QLatin1Char('0'));
            const QString email = QStringLiteral("info@%1.example").arg(slug(stem + QString::number(i)));
            const QString adres1 = QStringLiteral("%1 No: %2").arg(QString::fromUtf8(streets[i % 6])).arg(rng_.range(1, 180));
            const QString adres2 = QStringLiteral("%1 Oto Sanayi Bölgesi").arg(QString::fromUtf8(city.ilce));
            const QString arama = normaliseCode(code) + QLatin1Char(' ') + normaliseWords(name).join(QLatin1Char(' ')) +
                                  QLatin1Char(' ') + normaliseCode(QString::fromUtf8(city.il)) + QLatin1Char(' ') +
                                  normaliseCode(QString::fromUtf8(city.ilce));
            q.bind(i).bind(code).bind(name).bind(rep).bind(contact)
                .bind(QStringLiteral("%1%2").arg(QChar(u'A' + i % 3)).arg(1 + i % 4))
                .bind(QStringLiteral("BÖLGE-%1").arg(1 + i % 5)).bind(QStringLiteral("SINIF-%1").arg(QChar(u'A' + i % 4)))
                .bind(QString()).bind(QString()).bind(QString())
                .bind(tel).bind(i % 3 ? QStringLiteral("%1 555 %2 %3").arg(area).arg(20 + i % 70).arg(i, 2, 10, QLatin1Char('0')) : QString())
                .bind(QStringLiteral("%1 555 %2 99").arg(area).arg(10 + i % 90)).bind(QString())
                .bind(QStringLiteral("0532 555 %1 %2").arg(30 + i % 60).arg(i, 2, 10, QLatin1Char('0')))
                .bind(email).bind(adres1).bind(adres2)
                .bind(QString::fromUtf8(city.ilce)).bind(QString::fromUtf8(city.il)).bind(QStringLiteral("Türkiye"))
                .bind(QStringLiteral("%1 Vergi Dairesi").arg(QString::fromUtf8(city.ilce)))
                .bind(QString::number(1000000000LL + qint64(i) * 7919 * 13))
                .bind(QStringLiteral("BAYİ")).bind(QString::fromUtf8(city.il).toUpper())
                .bind(ci.iskonto1).bind(ci.iskonto2).bind(ci.vade).bind(10).bind(0).bind(arama)
                .exec();
        }
    }

    void users() {
        Sql q(db_, QStringLiteral("INSERT INTO users (sirano, adi, sifre, aktif, musteritipi, carino, saticino, email) "
                                  "VALUES (?, ?, ?, 1, ?, ?, ?, ?)"));
        Sql m(db_, QStringLiteral("INSERT INTO machines (machine_id, user_sirano, kayit, note) VALUES (?, ?, ?, ?)"));
        int sirano = 1;
        for (const DemoUser &u : demoUsers()) {
            int carino = 0, rep = 1;
            switch (u.type) {
            case 0: carino = 1; rep = 1; break;
            case 1: carino = 0; rep = 1; break;
            case 2: carino = 0; rep = 2; break;
            case 3: carino = 2; rep = 2; break;
            default: carino = 3; rep = 3; break;
            }
            q.bind(sirano).bind(QString::fromUtf8(u.name)).bind(QString::fromUtf8(u.password)).bind(u.type)
                .bind(carino).bind(rep).bind(QStringLiteral("%1@demo.example").arg(QString::fromUtf8(u.name).toLower()))
                .exec();
            m.bind(QString::fromUtf8(u.machineId)).bind(sirano).bind(dayNumber(demoBaseDate()))
                .bind(QStringLiteral("demo")).exec();
            ++sirano;
        }
    }

    void pictures() {
        Sql q(db_, QStringLiteral("INSERT INTO pictures (id, mime, data) VALUES (?, ?, ?)"));
        for (int n = 1; n <= kPictureCount; ++n) {
            const bool png = n % 4 == 0; // a quarter travel as PNG on the web path
            q.bind(n).bind(png ? QStringLiteral("image/png") : QStringLiteral("image/jpeg"))
                .bind(itemPicture(n, png ? "PNG" : "JPEG")).exec();
        }
    }

    void items() {
        Sql ins(db_, QStringLiteral(
                         "INSERT INTO items (stokno, barkod, adi, digeradi, oem1, oem2, oem3, oem4, oemno, finishkod, "
                         "ureticikodu, marka, model, anagrup, ozelkod, birim, dpkod, pkod, barkodno, kdv, fiyat, "
                         "eskifiyat, kampfiyat, iskonto, kampiskonto, yeni, kampanya, durum, depo2, kalan, "
                         "alinansiparis, verilensiparis, resim, ozelmarka) "
                         "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        Sql code(db_, QStringLiteral("INSERT INTO item_codes (code, stokno) VALUES (?, ?)"));
        Sql word(db_, QStringLiteral("INSERT INTO item_words (word, stokno) VALUES (?, ?)"));
        Sql search(db_, QStringLiteral("INSERT INTO item_search (stokno, words) VALUES (?, ?)"));
        const int statusWeights[] = {0, 1, 1, 1, 1, 1, 1, 1, 2, 2, 3, 3, 4, 5, 0, 1};
        const double itemDisc[] = {3, 5, 7.5};
        for (int k = 1; k <= opt_.items; ++k) {
            const PartType &pt = rng_.pick(kParts);
            const int bi = rng_.range(0, 11);
            const Brand &br = kBrands[bi];
            const QString make = QString::fromUtf8(rng_.pick(kMakes));
            const QString model = QString::fromUtf8(rng_.pick(kModels));
            const QString engine = QString::fromUtf8(rng_.pick(kEngines));
            QString adi = QString::fromUtf8(pt.name);
            if (pt.sided) adi += QLatin1Char(' ') + QString::fromUtf8(rng_.pick(kPositions));
            adi += QStringLiteral(" %1 %2").arg(make, model);
            const QString digeradi = QStringLiteral("%1 %2").arg(QString::fromUtf8(pt.other), QString::fromUtf8(br.name));
            const QString prefix = QString::fromUtf8(br.prefix);
            const QString barkod = QStringLiteral("%1-%2").arg(prefix).arg(10000 + k);
            const QString oem1 = QStringLiteral("%1%2%3 %4 %5").arg(QChar(u'0' + rng_.range(1, 9)))
                                     .arg(QChar(u'A' + rng_.range(0, 25))).arg(rng_.range(0, 9))
                                     .arg(digits(rng_, 3), digits(rng_, 3));
            const QString oem2 = QStringLiteral("%1.%2.%3.%4").arg(digits(rng_, 2), digits(rng_, 2), digits(rng_, 3), digits(rng_, 3));
            const QString oem3 = rng_.chance(0.7) ? QStringLiteral("%1-%2-%3").arg(digits(rng_, 2), digits(rng_, 4), digits(rng_, 2)) : QString();
            const QString oem4 = rng_.chance(0.4) ? QStringLiteral("%1/%2").arg(digits(rng_, 4), digits(rng_, 3)) : QString();
            QString oemno = oem1;
            oemno.remove(QLatin1Char(' '));
            const QString finish = QString::number(1000000 + rng_.range(0, 8999999));
            const QString uretici = QStringLiteral("%1 %2.%3").arg(prefix, digits(rng_, 4), digits(rng_, 2));
            const QString group = QString::fromUtf8(pt.group);
            const QString barkodno = ean13(rng_);
            const int kdv = rng_.chance(0.1) ? 18 : 20;
            const double fiyat = round2(pt.basePrice * (0.6 + rng_.real() * 1.2));
            const bool kamp = rng_.chance(0.05);
            const double kampfiyat = kamp ? round2(fiyat * 0.85) : 0.0;
            const double iskonto = rng_.chance(0.3) ? itemDisc[rng_.range(0, 2)] : 0.0;
            const double kampisk = kamp ? double(rng_.range(2, 3)) : 0.0;
            const bool yeni = rng_.chance(0.015);
            const int durum = statusWeights[rng_.range(0, 15)];
            const int depo2 = statusWeights[rng_.range(0, 15)];
            const double kalan = durum == 0 ? 0 : rng_.range(1, 300);
            const int resim = rng_.chance(0.35) ? rng_.range(1, kPictureCount) : 0;
            const bool ozelmarka = bi % 3 == 0;
            ins.bind(k).bind(barkod).bind(adi).bind(digeradi).bind(oem1).bind(oem2).bind(oem3).bind(oem4).bind(oemno)
                .bind(finish).bind(uretici).bind(QString::fromUtf8(br.name)).bind(QStringLiteral("%1 %2 %3").arg(make, model, engine))
                .bind(group).bind(QStringLiteral("%1%2").arg(QChar(u'A' + k % 5)).arg(k % 9))
                .bind(QString::fromUtf8(pt.unit)).bind(QStringLiteral("D%1").arg(k)).bind(QStringLiteral("P%1").arg(k % 97))
                .bind(barkodno).bind(kdv).bind(fiyat).bind(round2(fiyat / 1.08)).bind(kampfiyat).bind(iskonto).bind(kampisk)
                .bind(yeni ? 1 : 0).bind(kamp ? 1 : 0).bind(durum).bind(depo2).bind(kalan)
                .bind(double(rng_.range(0, 40))).bind(double(rng_.range(0, 120))).bind(resim).bind(ozelmarka ? 1 : 0)
                .exec();
            QSet<QString> codes;
            for (const QString &c : {barkod, oem1, oem2, oem3, oem4, oemno, finish, uretici, barkodno}) {
                const QString n = normaliseCode(c);
                if (!n.isEmpty() && !codes.contains(n)) {
                    codes.insert(n);
                    code.bind(n).bind(k).exec();
                }
            }
            QStringList words = normaliseWords(adi);
            for (const QString &w : normaliseWords(digeradi + QLatin1Char(' ') + br.name + QLatin1Char(' ') + make +
                                                   QLatin1Char(' ') + model + QLatin1Char(' ') + engine +
                                                   QLatin1Char(' ') + group))
                if (!words.contains(w)) words.append(w);
            for (const QString &w : words) word.bind(w).bind(k).exec();
            search.bind(k).bind(QLatin1Char(' ') + words.join(QLatin1Char(' ')) + QLatin1Char(' ')).exec();
            if (k <= kPopular) items_.push_back(ItemInfo{k, barkod, adi, fiyat, kampfiyat, iskonto, kdv, ozelmarka, kamp});
            if (k % 20000 == 0) step(QStringLiteral("%1 items").arg(k));
        }
    }

    void shipping() {
        Sql d(db_, QStringLiteral("INSERT INTO delivery_types (id, adi) VALUES (?, ?)"));
        d.binds(1, QStringLiteral("Kargo ile Gönderim")).exec();
        d.binds(2, QStringLiteral("Depodan Teslim")).exec();
        d.binds(3, QStringLiteral("Servis Aracı ile Teslim")).exec();
        Sql c(db_, QStringLiteral("INSERT INTO cargo_types (id, adi) VALUES (?, ?)"));
        c.binds(1, QStringLiteral("Alıcı Ödemeli")).exec();
        c.binds(2, QStringLiteral("Gönderici Ödemeli")).exec();
        c.binds(3, QStringLiteral("Ambar")).exec();
        Sql f(db_, QStringLiteral("INSERT INTO shipping_firms (sirano, kargotipi, adi, uyari) VALUES (?, ?, ?, ?)"));
        f.binds(1, 1, QStringLiteral("Hızır Kargo"), QStringLiteral("Cumartesi günleri dağıtım yapılmamaktadır.")).exec();
        f.binds(2, 1, QStringLiteral("Yıldırım Lojistik"), QStringLiteral("Desi hesabı varış şubesinde yapılır.")).exec();
        f.binds(3, 1, QStringLiteral("Kervan Kargo"), QString()).exec();
        f.binds(4, 2, QStringLiteral("Hızır Kargo"), QStringLiteral("Anlaşmalı fiyat uygulanır.")).exec();
        f.binds(5, 2, QStringLiteral("Martı Ekspres"), QStringLiteral("Saat 15:00'ten sonraki siparişler ertesi gün çıkar.")).exec();
        f.binds(6, 3, QStringLiteral("Anadolu Ambarı"), QStringLiteral("Ambar teslimi; alıcı depodan teslim alır.")).exec();
    }

    ItemInfo &pickItem() {
        // Most movement concentrates on a few hundred popular items.
        const int n = int(items_.size());
        if (rng_.chance(0.5)) return items_[size_t(rng_.range(0, std::min(n, 300) - 1))];
        return items_[size_t(rng_.range(0, n - 1))];
    }

    void orders() {
        Sql o(db_, QStringLiteral(
                       "INSERT INTO orders (idno, siparisno, carino, tarih, durum, teslimid, kargoid, kargofirma, "
                       "verenidno, veren, aciklama, bizimmesaj, saticinotu, kur, kurtl) "
                       "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        Sql l(db_, QStringLiteral(
                       "INSERT INTO order_lines (sirano, idno, stokno, barkod, stokadi, miktar, birimfiyat, ilkfiyat, "
                       "ind1, ind2, ind3, ind4, kdv, teslimedilen, kalan, stokhar_no, verenidno, verensirano, veren, "
                       "aciklama, tarih) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        const QString notes[] = {QString(), QStringLiteral("Acil gönderim rica olunur."),
                                 QStringLiteral("Faturayı siparişle birlikte gönderiniz."), QString(),
                                 QStringLiteral("Eksik ürün varsa parçalı gönderim yapılabilir.")};
        const QString ourNotes[] = {QString(), QStringLiteral("Siparişiniz hazırlık aşamasındadır."), QString(),
                                    QStringLiteral("Eksik kalemler tedarik edilince gönderilecektir.")};
        const double base = dayNumber(demoBaseDate());
        int idno = 1, lineNo = 1, stokhar = 500001;
        for (const CustomerInfo &c : customers_) {
            std::vector<int> states;
            if (c.carino <= 3) states = {1, 1, 2, 2, 3, 4, 4, 5, 6, 6, 6, 6, 6, 6};
            else {
                const int n = rng_.range(3, 9);
                for (int k = 0; k < n; ++k) states.push_back(k < 2 ? rng_.range(1, 5) : 6);
            }
            for (int st : states) {
                int age = 0;
                switch (st) {
                case 1: age = rng_.range(0, 3); break;
                case 2: age = rng_.range(1, 6); break;
                case 3: age = rng_.range(2, 8); break;
                case 4: age = rng_.range(5, 15); break;
                case 5: age = rng_.range(6, 20); break;
                default: age = rng_.range(21, 330); break;
                }
                const double tarih = base - age + rng_.range(8 * 60, 18 * 60) / 1440.0;
                const int teslim = rng_.range(1, 3);
                const int kargo = rng_.range(1, 3);
                const int firma = kargo == 1 ? rng_.range(1, 3) : kargo == 2 ? rng_.range(4, 5) : 6;
                const bool byDealer = c.carino == 1 || rng_.chance(0.6);
                const QString veren = byDealer ? (c.carino == 1 ? QStringLiteral("BAYI") : QStringLiteral("BAYİ"))
                                               : QString::fromUtf8(kReps[c.rep - 1].name);
                o.bind(idno).bind(QStringLiteral("S-%1").arg(idno, 6, 10, QLatin1Char('0'))).bind(c.carino).bind(tarih)
                    .bind(st).bind(teslim).bind(kargo).bind(firma).bind(byDealer && c.carino == 1 ? 1 : 0).bind(veren)
                    .bind(notes[rng_.range(0, 4)]).bind(st >= 3 ? ourNotes[rng_.range(0, 3)] : QString())
                    .bind(rng_.chance(0.2) ? QStringLiteral("Müşteri ile telefonda görüşüldü.") : QString())
                    .bind(QStringLiteral("TL")).bind(1.0).exec();
                const int lines = rng_.range(2, 7);
                const bool partialShip = st == 6 && rng_.chance(0.25);
                for (int k = 0; k < lines; ++k) {
                    ItemInfo &it = pickItem();
                    const double qty = rng_.range(1, 20);
                    const double price = it.kampanya && rng_.chance(0.5) ? it.kampfiyat : it.fiyat;
                    const Rates rt = customerRates(c, it);
                    double delivered = 0;
                    if (st == 6) delivered = partialShip && k == 0 ? std::floor(qty / 2) : qty;
                    else if (st == 4 && k % 2 == 0) delivered = std::floor(qty / 2);
                    l.bind(lineNo++).bind(idno).bind(it.stokno).bind(it.barkod).bind(it.adi).bind(qty).bind(price)
                        .bind(price).bind(rt[0]).bind(rt[1]).bind(rt[2]).bind(rt[3]).bind(double(it.kdv))
                        .bind(delivered).bind(qty - delivered).bind(stokhar++).bind(byDealer && c.carino == 1 ? 1 : 0)
                        .bind(0).bind(veren).bind(QString()).bind(tarih).exec();
                }
                ++idno;
            }
        }
    }

    void documents() {
        Sql inv(db_, QStringLiteral("INSERT INTO invoices (idno, carino, tarih, tip, evrakno, vade, saticiadi, irsaliyeno, "
                                    "siparisno, siparistarihi, aciklama) VALUES (?,?,?,?,?,?,?,?,?,?,?)"));
        Sql line(db_, QStringLiteral("INSERT INTO invoice_lines (id, idno, sira, stokno, miktar, birimfiyat, ind1, ind2, "
                                     "ind3, ind4, kdv, aciklama) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"));
        Sql col(db_, QStringLiteral("INSERT INTO collections (idno, carino, tarih, tur, evrakno, aciklama, sanalpos) "
                                    "VALUES (?,?,?,?,?,?,?)"));
        Sql item(db_, QStringLiteral("INSERT INTO collection_items (id, idno, cins, evrakno, vade, tutar, kur, kurtl, "
                                     "doviztutar, ref, saat, aciklama) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"));
        Sql pos(db_, QStringLiteral("INSERT INTO virtual_pos (sirano, idno, carino, tarih, kart, kartsahibi, banka, "
                                    "taksit, tutar, onaykodu, referans) VALUES (?,?,?,?,?,?,?,?,?,?,?)"));
        Sql st(db_, QStringLiteral("INSERT INTO statement (id, carino, tarih, turadi, evrak, borc, alacak, kur, idno, "
                                   "vade, aciklama) VALUES (?,?,?,?,?,?,?,?,?,?,?)"));
        const double base = dayNumber(demoBaseDate());
        const QString banks[] = {QStringLiteral("Lalebank"), QStringLiteral("Çınar Finans Bankası"),
                                 QStringLiteral("Yakamoz Katılım")};
        int invNo = 100001, invLine = 1, colNo = 200001, colItem = 1, posNo = 1, stId = 1;
        for (const CustomerInfo &c : customers_) {
            const QString repName = QString::fromUtf8(kReps[c.rep - 1].name);
            // Customers with a number divisible by 4 settle everything; the dealer keeps an old debt.
            const bool settles = c.carino % 4 == 0;
            double balance = 0;
            const double opening = settles ? 0.0 : double(rng_.range(0, 8) * 2500);
            if (opening > 0) {
                st.bind(stId++).bind(c.carino).bind(base - 365).bind(QStringLiteral("Devir")).bind(QStringLiteral("DEVİR"))
                    .bind(opening).bind(0.0).bind(QStringLiteral("TL")).bind(0).bind(base - 365)
                    .bind(QStringLiteral("Önceki dönemden devir")).exec();
                balance += opening;
            }
            const int invoices = c.carino == 1 ? 24 : rng_.range(8, 20);
            std::vector<double> days;
            for (int k = 0; k < invoices; ++k) days.push_back(base - rng_.range(1, 355));
            std::sort(days.begin(), days.end());
            for (size_t k = 0; k < days.size(); ++k) {
                const double day = days[k];
                const bool iade = rng_.chance(0.08);
                const QString tip = iade ? QStringLiteral("İade Faturası") : QStringLiteral("Satış Faturası");
                const QString evrak = QStringLiteral("F%1").arg(invNo, 7, 10, QLatin1Char('0'));
                inv.bind(invNo).bind(c.carino).bind(day + 0.45).bind(tip).bind(evrak).bind(c.vade).bind(repName)
                    .bind(QStringLiteral("I%1").arg(invNo, 7, 10, QLatin1Char('0')))
                    .bind(QStringLiteral("S-%1").arg(invNo - 100000, 6, 10, QLatin1Char('0'))).bind(day - 2)
                    .bind(QString()).exec();
                const int nl = iade ? 1 : rng_.range(1, 6);
                double total = 0;
                for (int j = 0; j < nl; ++j) {
                    ItemInfo &it = pickItem();
                    const double qty = iade ? 1 : rng_.range(1, 12);
                    const Rates rt = customerRates(c, it);
                    line.bind(invLine++).bind(invNo).bind(j + 1).bind(it.stokno).bind(qty).bind(it.fiyat).bind(rt[0])
                        .bind(rt[1]).bind(rt[2]).bind(rt[3]).bind(double(it.kdv)).bind(QString()).exec();
                    const LineAmounts a = lineAmounts(qty, it.fiyat, rt, it.kdv);
                    total = round2(total + a.netTutar + a.vergiTutari);
                }
                st.bind(stId++).bind(c.carino).bind(day + 0.45).bind(tip).bind(evrak).bind(iade ? 0.0 : total)
                    .bind(iade ? total : 0.0).bind(QStringLiteral("TL")).bind(invNo).bind(day + c.vade)
                    .bind(iade ? QStringLiteral("Ürün iadesi") : QStringLiteral("Satış")).exec();
                balance = round2(balance + (iade ? -total : total));
                ++invNo;
                // A collection after some invoices; the dealer's last months stay open.
                const bool last = k + 1 == days.size();
                const bool dealerOpen = c.carino == 1 && day > base - 150;
                if ((rng_.chance(0.45) || (last && settles)) && balance > 0 && !dealerOpen) {
                    const double cday = std::min(base, day + rng_.range(5, 40)) + 0.6;
                    double amount = (last && settles) ? balance : round2(balance * (0.5 + rng_.real() * 0.5));
                    if (amount <= 0) continue;
                    const int kind = rng_.range(0, 9);
                    const bool viaPos = kind >= 7;
                    const QString evrakc = QStringLiteral("T%1").arg(colNo, 7, 10, QLatin1Char('0'));
                    int posId = 0;
                    if (viaPos) {
                        posId = posNo++;
                        pos.bind(posId).bind(colNo).bind(c.carino).bind(cday)
                            .bind(QStringLiteral("4355 08** **** %1").arg(digits(rng_, 4)))
                            .bind(QStringLiteral("%1 %2").arg(QString::fromUtf8(kFirstNames[rng_.range(0, 15)]),
                                                              QString::fromUtf8(kFirmStems[(c.carino - 1) % 25])))
                            .bind(banks[rng_.range(0, 2)]).bind(rng_.chance(0.5) ? 1 : 3).bind(amount)
                            .bind(digits(rng_, 6)).bind(QStringLiteral("SP%1").arg(digits(rng_, 10))).exec();
                    }
                    col.bind(colNo).bind(c.carino).bind(cday).bind(QStringLiteral("Tahsilat")).bind(evrakc)
                        .bind(viaPos ? QStringLiteral("Sanal POS tahsilatı") : QStringLiteral("Cari hesaba tahsilat"))
                        .bind(posId).exec();
                    // One or two instruments per collection.
                    QString kinds[2] = {viaPos ? QStringLiteral("Kredi Kartı")
                                               : (kind < 3 ? QStringLiteral("Nakit")
                                                           : kind < 5 ? QStringLiteral("Havale/EFT")
                                                                      : QStringLiteral("Çek")),
                                        QStringLiteral("Nakit")};
                    const bool split = !viaPos && kinds[0] == QStringLiteral("Çek") && amount > 1000;
                    const double first = split ? round2(amount - 500) : amount;
                    const double parts[2] = {first, round2(amount - first)};
                    for (int j = 0; j < (split ? 2 : 1); ++j) {
                        const bool cek = kinds[j] == QStringLiteral("Çek");
                        item.bind(colItem++).bind(colNo).bind(kinds[j])
                            .bind(cek ? QStringLiteral("ÇK%1").arg(digits(rng_, 6)) : evrakc)
                            .bind(cek ? cday + 60 : cday).bind(parts[j]).bind(QStringLiteral("TL")).bind(1.0)
                            .bind(parts[j]).bind(QStringLiteral("R%1").arg(digits(rng_, 8)))
                            .bind(QStringLiteral("%1:%2").arg(rng_.range(9, 17), 2, 10, QLatin1Char('0')).arg(rng_.range(0, 59), 2, 10, QLatin1Char('0')))
                            .bind(cek ? QStringLiteral("Vadeli çek") : QString()).exec();
                    }
                    st.bind(stId++).bind(c.carino).bind(cday).bind(QStringLiteral("Tahsilat")).bind(evrakc).bind(0.0)
                        .bind(amount).bind(QStringLiteral("TL")).bind(colNo).bind(cday)
                        .bind(viaPos ? QStringLiteral("Sanal POS") : QStringLiteral("Tahsilat")).exec();
                    balance = round2(balance - amount);
                    ++colNo;
                }
                // Now and then the wholesaler pays out (price difference refund).
                if (rng_.chance(0.04)) {
                    const double cday = std::min(base, day + 3) + 0.5;
                    const double amount = double(rng_.range(1, 10) * 50);
                    const QString evrakc = QStringLiteral("T%1").arg(colNo, 7, 10, QLatin1Char('0'));
                    col.bind(colNo).bind(c.carino).bind(cday).bind(QStringLiteral("Tediye")).bind(evrakc)
                        .bind(QStringLiteral("Fiyat farkı iadesi")).bind(0).exec();
                    item.bind(colItem++).bind(colNo).bind(QStringLiteral("Havale/EFT")).bind(evrakc).bind(cday)
                        .bind(amount).bind(QStringLiteral("TL")).bind(1.0).bind(amount)
                        .bind(QStringLiteral("R%1").arg(digits(rng_, 8))).bind(QStringLiteral("11:30")).bind(QString())
                        .exec();
                    st.bind(stId++).bind(c.carino).bind(cday).bind(QStringLiteral("Tediye")).bind(evrakc).bind(amount)
                        .bind(0.0).bind(QStringLiteral("TL")).bind(colNo).bind(cday)
                        .bind(QStringLiteral("Fiyat farkı iadesi")).exec();
                    balance = round2(balance + amount);
                    ++colNo;
                }
            }
            // Settling customers end at zero or in credit.
            if (settles && balance > 0) {
                const double cday = base + 0.7;
                const QString evrakc = QStringLiteral("T%1").arg(colNo, 7, 10, QLatin1Char('0'));
                col.bind(colNo).bind(c.carino).bind(cday).bind(QStringLiteral("Tahsilat")).bind(evrakc)
                    .bind(QStringLiteral("Hesap kapama")).bind(0).exec();
                item.bind(colItem++).bind(colNo).bind(QStringLiteral("Havale/EFT")).bind(evrakc).bind(cday)
                    .bind(balance).bind(QStringLiteral("TL")).bind(1.0).bind(balance)
                    .bind(QStringLiteral("R%1").arg(digits(rng_, 8))).bind(QStringLiteral("16:45")).bind(QString()).exec();
                st.bind(stId++).bind(c.carino).bind(cday).bind(QStringLiteral("Tahsilat")).bind(evrakc).bind(0.0)
                    .bind(balance).bind(QStringLiteral("TL")).bind(colNo).bind(cday).bind(QStringLiteral("Hesap kapama"))
                    .exec();
                ++colNo;
            }
        }
    }

    void adverts() {
        Sql a(db_, QStringLiteral("INSERT INTO adverts (sirano, kind, sira, baslik, arama, picture) VALUES (?,?,?,?,?,?)"));
        struct Ad {
            int kind;
            const char *title;
            const char *text;
            const char *search;
        };
        const Ad ads[] = {
            {1, "Kış Bakım Kampanyası", "Antifriz, akü ve silecekte %15'e varan indirim", "#KAMPANYA#"},
            {1, "Yeni Ürünler Stoklarda", "Yeni sezon fren ve süspansiyon ürünleri geldi", "#YENİ#"},
            {1, "Fren Balatası Fırsatı", "Tüm fren balatalarında net fiyat avantajı", "FREN BALATASI"},
            {2, "Kargo Bedava", "2.500 TL üzeri siparişlerde kargo bizden", ""},
            {2, "Kampanyalı Ürünler", "Kampanya listesini inceleyin", "#KAMPANYA#"},
            {2, "Filtre Haftası", "Yağ, hava ve polen filtrelerinde ek indirim", "FİLTRESİ"},
            {2, "Yeni Depo Ravud", "İkinci depomuz hizmetinizde: stok durumunu Ravud sütunundan izleyin", ""},
        };
        int sirano = 1, adPos = 0, annPos = 0;
        for (const Ad &ad : ads) {
            const bool advert = ad.kind == 1;
            const QByteArray pic = advert ? advertPicture(sirano, 560, 380, QString::fromUtf8(ad.title), QString::fromUtf8(ad.text))
                                          : advertPicture(sirano, 600, 400, QString::fromUtf8(ad.title), QString::fromUtf8(ad.text));
            a.bind(sirano).bind(ad.kind).bind(advert ? adPos++ : annPos++).bind(QString::fromUtf8(ad.title))
                .bind(QString::fromUtf8(ad.search)).bind(pic).exec();
            ++sirano;
        }
        Sql b(db_, QStringLiteral("INSERT INTO banners (no, mime, data) VALUES (?, ?, ?)"));
        b.binds(1, QStringLiteral("image/gif"), headerBannerGif()).exec();
        b.binds(2, QStringLiteral("image/gif"), topStripGif()).exec();
        b.binds(3, QStringLiteral("image/bmp"), bottomStripBmp()).exec();
    }

    static constexpr int kPopular = 3000;
    Database &db_;
    SeedOptions opt_;
    Rng rng_;
    std::vector<CustomerInfo> customers_;
    std::vector<ItemInfo> items_;
};

} // namespace

void seedDemoData(Database &db, const SeedOptions &opt) {
    if (opt.items < 100) throw DbError(QStringLiteral("The catalogue needs at least 100 items"));
    Seeder(db, opt).run();
}

} // namespace b2b::server
