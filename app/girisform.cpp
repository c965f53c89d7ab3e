#include "girisform.h"

#include "ayarini.h"
#include "beklesinu.h"
#include "busyindicator.h"
#include "dosyaindir.h"
#include "endpoints.h"
#include "formistekyeni.h"
#include "machineid.h"
#include "proxim.h"
#include "uiseam.h"
#include "uppercase.h"
#include "utils.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QScreen>

namespace b2b {

namespace {

const QString kGirisCaption = QStringLiteral("Giriş");
const QString kBaglaniyor = QStringLiteral("Bağlanıyor...");
const QString kGirisUnlem = QStringLiteral("Giriş!");
const QString kAdiBos = QStringLiteral("Lütfen kullanıcı adını giriniz !");
const QString kSifreBos = QStringLiteral("Lütfen kullanıcı şifresini giriniz !");
const QString kAdresYok = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !");
const QString kKurulamadi = QStringLiteral("Bağlantı Kurulamadı !");
const QString kHatali = QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");
const QColor kKirmizi(226, 10, 23);

void paintGear(QPainter &p, QPointF c, qreal r, int teeth, const QColor &col) {
    QPainterPath path;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = M_PI * i / teeth, a1 = M_PI * (i + 1) / teeth;
        const qreal rr = (i % 2) ? r : r * 1.18;
        const QPointF p0(c.x() + rr * qCos(a0), c.y() + rr * qSin(a0));
        const QPointF p1(c.x() + rr * qCos(a1), c.y() + rr * qSin(a1));
        if (i == 0) path.moveTo(p0);
        else path.lineTo(p0);
        path.lineTo(p1);
    }
    path.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, r * 0.45, r * 0.45);
    p.fillPath(path.subtracted(hole), col);
}

// Password letters are shown as "*" whatever the style would draw.
class YildizliSifre : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *opt, const QWidget *w, QStyleHintReturn *ret) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, opt, w, ret);
    }
};

} // namespace

QPixmap FirmaLogosu(QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = size.height();
    paintGear(p, QPointF(h * 0.5, h * 0.5), h * 0.36, 10, kKirmizi);
    QFont f(QStringLiteral("Tahoma"));
    f.setBold(true);
    f.setPixelSize(int(h * 0.34));
    p.setFont(f);
    p.setPen(QColor(0x1E, 0x2A, 0x36));
    const QRectF textRect(h * 1.05, 0, size.width() - h * 1.05, h * 0.62);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("TELVAR"));
    // The subtitle shrinks until it fits beside the gear (fonts differ between desktops).
    const QString sub = QStringLiteral("OTOMOTİV · MERDAL");
    const qreal avail = size.width() - h * 1.07 - 2;
    f.setBold(false);
    for (int px = int(h * 0.17); px > 6; --px) {
        f.setPixelSize(px);
        if (QFontMetricsF(f).horizontalAdvance(sub) <= avail) break;
    }
    p.setFont(f);
    p.setPen(kKirmizi);
    p.drawText(QRectF(h * 1.07, h * 0.62, avail, h * 0.3), Qt::AlignLeft | Qt::AlignTop, sub);
    return pm;
}

QPixmap GirisArkaPlani(QSize size) {
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0xF7, 0xF9, 0xFB));
    g.setColorAt(0.45, QColor(0xE3, 0xE9, 0xEF));
    g.setColorAt(1, QColor(0x2B, 0x3A, 0x4A));
    p.fillRect(pm.rect(), g);
    // A red band under the logo, like the firm's shop sign.
    p.fillRect(QRectF(0, 168, size.width(), 6), kKirmizi);
    const QPixmap logo = FirmaLogosu(QSize(300, 110));
    p.drawPixmap((size.width() - logo.width()) / 2, 36, logo);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(QColor(0x4A, 0x58, 0x66));
    p.drawText(QRectF(0, 140, size.width(), 22), Qt::AlignCenter, QStringLiteral("B2B Sipariş Sistemi"));
    return pm;
}

Tgirisform::Tgirisform(QWidget *owner) : QDialog(nullptr) {
    // Owned by the main window but a top-level window of its own with a taskbar button: the main
    // window is not shown yet.
    Q_UNUSED(owner);
    setObjectName(QStringLiteral("girisform"));
    setWindowTitle(kGirisCaption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(368, 550);
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    setFont(font);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(9, 5, 350, 540);
    Image1->setPixmap(GirisArkaPlani(QSize(350, 540)));

    Button1 = new QPushButton(kGirisCaption, this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(44, 378, 136, 34);
    Button2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(188, 378, 136, 34);
    for (QPushButton *b : {Button1, Button2}) {
        b->setAutoDefault(false); // Enter in the fields has its own meaning
        b->setDefault(false);
    }

    benihatirla = new QCheckBox(QStringLiteral("Beni hatırla"), this);
    benihatirla->setObjectName(QStringLiteral("benihatirla"));
    benihatirla->setGeometry(44, 344, 280, 24);
    benihatirla->setChecked(true);

    RxLabel1 = new QLabel(this);
    RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    RxLabel1->setGeometry(19, 452, 330, 86);
    RxLabel1->setAlignment(Qt::AlignCenter);
    RxLabel1->setWordWrap(true);
    RxLabel1->setText(QStringLiteral("Telvar Otomotiv Yedek Parça San. ve Tic. A.Ş.\n"
                                     "Merdal Sanayi Sitesi 4. Blok No: 12, Ankara\n"
                                     "b2b@telvarotomotiv.com.tr\n"
                                     "Tel: 0 (312) 000 00 00"));
    RxLabel1->setStyleSheet(QStringLiteral("color: white; font-weight: normal; font-size: 11px;"));

    const QString labelStyle =
        QStringLiteral("background-color: rgb(226, 10, 23); color: white; font-weight: bold; padding-left: 2px;");
    Label1 = new QLabel(QStringLiteral(" Kullanıcı Adı:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(44, 212, 280, 22);
    Label1->setStyleSheet(labelStyle);
    adi = new QLineEdit(this);
    adi->setObjectName(QStringLiteral("adi"));
    adi->setGeometry(44, 236, 280, 30);
    adi->setValidator(new BuyukHarfDogrulayici(adi));

    Label2 = new QLabel(QStringLiteral(" Şifre:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(44, 276, 280, 22);
    Label2->setStyleSheet(labelStyle);
    sifre = new QLineEdit(this);
    sifre->setObjectName(QStringLiteral("sifre"));
    sifre->setGeometry(44, 300, 280, 30);
    sifre->setValidator(new BuyukHarfDogrulayici(sifre));
    auto *yildiz = new YildizliSifre(QStyleFactory::create(QStringLiteral("Fusion")));
    yildiz->setParent(sifre);
    sifre->setStyle(yildiz);
    sifre->setEchoMode(QLineEdit::Password);

    RxGIFAnimator1 = new BusyIndicator(this);
    RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    RxGIFAnimator1->setGeometry(168, 418, 32, 32);
    RxGIFAnimator1->hide();

    setTabOrder(Button1, Button2);
    setTabOrder(Button2, benihatirla);
    setTabOrder(benihatirla, adi);
    setTabOrder(adi, sifre);

    adi->installEventFilter(this);
    sifre->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &Tgirisform::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tgirisform::Button2Click);

    // With an application style sheet the font reaches only controls that exist when it is set.
    setFont(QFont());
    setFont(font);

    if (QScreen *s = screen()) move(s->availableGeometry().center() - rect().center());
    FormCreate();
    adi->setFocus();
}

Tgirisform::~Tgirisform() { iptal_->store(true); }

void Tgirisform::FormCreate() {
    KamuAdresleriniKur();
    idsi = BilgisayarIdAl();
    BilgileriYukle();
}

void Tgirisform::BilgileriYukle() {
    const HatirlananGiris g = AyarlariOku(AyarDosyasiYolu());
    if (!g.dosyaVar) return;
    benihatirla->setChecked(g.hatirla);
    if (benihatirla->isChecked()) {
        // Upper-case edits hold upper case whoever sets the text (a hand-edited file too).
        for (auto [edit, text] : {std::pair{adi, g.isim}, std::pair{sifre, g.sifre}}) {
            int pos = 0;
            edit->validator()->validate(text, pos);
            edit->setText(text);
        }
    }
}

void Tgirisform::BilgileriKaydet() {
    QString error;
    if (!AyarlariYaz(AyarDosyasiYolu(), adi->text(), sifre->text(), benihatirla->isChecked(), &error))
        UiSeam::current().plainMessage(error); // the login goes on: only remembering failed
}

void Tgirisform::setDurum(Durum d) {
    durum_ = d;
    Q_EMIT durumDegisti(d);
}

void Tgirisform::tekrarDene() {
    Button1->setEnabled(true);
    adi->selectAll();
    adi->setFocus();
    setDurum(Durum::Idle);
}

void Tgirisform::Cikis() {
    cikis_ = true;
    UiSeam::current().exitProcess(0);
    // Only reached when the exit seam does not end the process (tests).
    setDurum(Durum::Done);
    done(QDialog::Rejected);
}

bool Tgirisform::eventFilter(QObject *o, QEvent *e) {
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (o == adi) return adiKeyDown(k);
        if (o == sifre) return sifreKeyDown(k);
    }
    return QDialog::eventFilter(o, e);
}

void Tgirisform::keyPressEvent(QKeyEvent *e) {
    // Escape does not close the window: leaving is "Vazgeç" or the close button.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool Tgirisform::adiKeyDown(QKeyEvent *e) {
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) return false;
    if (adi->text().trimmed().isEmpty()) {
        UiSeam::current().beep(MsgKind::Error);
        UiSeam::current().warningBox(this, captionOf(MsgKind::Warning), kAdiBos);
        adi->selectAll();
        adi->setFocus();
        return true;
    }
    sifre->selectAll();
    sifre->setFocus();
    return true;
}

bool Tgirisform::sifreKeyDown(QKeyEvent *e) {
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) return false;
    if (sifre->text().trimmed().isEmpty()) {
        UiSeam::current().beep(MsgKind::Error);
        UiSeam::current().warningBox(this, captionOf(MsgKind::Warning), kSifreBos);
        sifre->selectAll();
        sifre->setFocus();
        return true;
    }
    Button1Click();
    return true;
}

void Tgirisform::Button1Click() {
    // While a step runs the button is disabled; Enter in the password field must not start a
    // second attempt either.
    if (durum_ != Durum::Idle || !Button1->isEnabled()) return;
    Button1->setText(kBaglaniyor);
    Button1->setEnabled(false);
    RxGIFAnimator1->show();
    RxGIFAnimator1->start();
    setDurum(Durum::Probing);

    auto i = std::make_shared<QString>();
    const QString echo = Adresler().echoAdresi();
    auto iptal = iptal_;
    TAwait([i, echo, iptal] {
        *i = DisIpBul(echo, iptal.get());
        if (SunucuylaAyniAgda(*i)) YerelAgAdresleriniKur();
    }).Await(this, [this, i] {
        Button1->setText(kGirisUnlem);
        RxGIFAnimator1->stop();
        RxGIFAnimator1->hide();
        Devamet(*i);
    });
}

void Tgirisform::Devamet(const QString &i) {
    if (i.trimmed().isEmpty()) {
        setDurum(Durum::Checking);
        MesajKutusu(kAdresYok, MsgKind::Error, mbOK, dbOK, this);
        Button1->setEnabled(true);
        setDurum(Durum::Idle);
        return;
    }
    Bilgim->SetDisip(i);
    // Every later clone of the main connection reaches the chosen address.
    bagim->Params[QStringLiteral("HostName")] = SunucuAdresi();
    setDurum(Durum::Fetching);

    std::shared_ptr<Connection> clone(bagim->Clone().release());
    auto sonuc = std::make_shared<TSonucBilgisi>(*Bilgim);
    auto dogrusonuc = std::make_shared<bool>(false);
    const QString id = idsi;
    const QString echo = Adresler().echoAdresi();
    auto iptal = iptal_;
    TAwait([clone, sonuc, dogrusonuc, id, echo, iptal] {
        *dogrusonuc = SonucAl(*clone, id, echo, *sonuc, iptal.get());
    }).Await(this, [this, sonuc, dogrusonuc] {
        RxGIFAnimator1->stop();
        RxGIFAnimator1->hide();
        setDurum(Durum::Checking);
        if (!*dogrusonuc) {
            MesajKutusu(kKurulamadi, MsgKind::Error, mbOK, dbOK, this);
            tekrarDene();
            return;
        }
        Bilgim->Kopyala(*sonuc);
        Kontrol();
    });
}

bool Tgirisform::SonucAl(Connection &clone, const QString &idsi, const QString &echoUrl, TSonucBilgisi &out,
                         const std::atomic<bool> *iptal) {
    if (!BaglantiKur(clone, 0)) return false;
    try {
        clone.Open();
        TServerMethods1Client proxy(clone);
        const std::optional<TSonucBilgisi> kayit = proxy.BuyukGetir(idsi);
        if (!kayit) {
            clone.Close();
            return false;
        }
        out.Kopyala(*kayit);
    } catch (const std::exception &) {
        clone.Close();
        return false;
    }
    clone.Close();
    // The copy brought the server's values; the computer's own ones travel in every later call.
    out.SetBilgiSayarAdi(BilgisayarAdiAl());
    out.SetBilgisayarKullanici(KullaniciAdiAl());
    out.SetIcip(IcIpAl());
    out.SetBILGISAYARID(BilgisayarIdAl());
    out.SetDisip(DisIpBul(echoUrl, iptal));
    return true;
}

void Tgirisform::Kontrol() {
    if (Bilgim->Version() != kProgramVersion) GuncellemeAc();
    if (cikis_) return;
    if (!Bilgim->Varmi()) {
        IstekFormuAc(WebAdresi());
        Cikis();
        return;
    }
    if (adi->text() == Bilgim->ADI() && sifre->text() == Bilgim->SIFRE()) {
        BilgileriKaydet();
        if (Bilgim->AKTIF() == 1) {
            if (Bilgim->MusteriTipi() == 1 || Bilgim->MusteriTipi() == 2) CariSecimiAc();
            if (cikis_) return;
            setDurum(Durum::Done);
            accept();
            return;
        }
    }
    MesajKutusu(kHatali, MsgKind::Warning, mbOK, dbOK, this);
    tekrarDene();
}

void Tgirisform::GuncellemeAc() {
    std::unique_ptr<Tdosyaindir> w(Tdosyaindir::Yeni(this, Bilgim->Version()));
    w->exec();
}

void Tgirisform::IstekFormuAc(const QString &web) { IstekFormuGoster(this, web, BilgisayarIdAl()); }

void Tgirisform::CariSecimiAc() {
    // The customer selection window is not part of this build yet: the representative goes on
    // with the customer the server put into the login record.
}

void Tgirisform::Button2Click() { Cikis(); }

} // namespace b2b
