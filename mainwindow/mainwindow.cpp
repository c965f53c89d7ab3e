#include "mainwindow.h"

#include "beklesinu.h"
#include "busyindicator.h"
#include "endpoints.h"
#include "girisform.h"
#include "grid.h"
#include "gridicons.h"
#include "kullanicikayit.h"
#include "machineid.h"
#include "mailform.h"
#include "marquee.h"
#include "numfmt.h"
#include "proxim.h"
#include "uiseam.h"
#include "uppercase.h"
#include "utils.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QtMath>
#include <optional>

namespace b2b {

namespace {

const QString kPencereBasligi = QStringLiteral("Telvar Otomotiv Merdal B2B Programı");
const QString kUygulamaBasligi = QStringLiteral("Telvar Otomotiv B2B Merdal");
const QString kCikisSorusu = QStringLiteral("Programdan Çıkmak İstiyor musunuz ?");
const QColor kKirmizi(226, 10, 23);
const QColor kKoyu(0x1E, 0x2A, 0x36);

// ---- the window's own icons, drawn at start ----
enum class Ikon { Ara, Temizle, Menu, Liste, Sepet, Gecmis, Ekstre, Yeni, Kampanya, Duyuru, Bakiye };

QIcon ciz(Ikon k, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPen pen(kKoyu, qMax(1.5, s / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    switch (k) {
    case Ikon::Ara:
        p.drawEllipse(QRectF(s * 0.14, s * 0.14, s * 0.5, s * 0.5));
        p.drawLine(QPointF(s * 0.58, s * 0.58), QPointF(s * 0.86, s * 0.86));
        break;
    case Ikon::Temizle:
        pen.setColor(kKirmizi);
        p.setPen(pen);
        p.drawLine(QPointF(s * 0.22, s * 0.22), QPointF(s * 0.78, s * 0.78));
        p.drawLine(QPointF(s * 0.78, s * 0.22), QPointF(s * 0.22, s * 0.78));
        break;
    case Ikon::Menu:
        for (int i = 0; i < 3; ++i) p.drawLine(QPointF(s * 0.2, s * (0.3 + 0.2 * i)), QPointF(s * 0.8, s * (0.3 + 0.2 * i)));
        break;
    case Ikon::Liste:
        for (int i = 0; i < 4; ++i) {
            p.drawPoint(QPointF(s * 0.18, s * (0.2 + 0.2 * i)));
            p.drawLine(QPointF(s * 0.32, s * (0.2 + 0.2 * i)), QPointF(s * 0.84, s * (0.2 + 0.2 * i)));
        }
        break;
    case Ikon::Sepet: {
        QPainterPath b;
        b.moveTo(s * 0.08, s * 0.2);
        b.lineTo(s * 0.22, s * 0.2);
        b.lineTo(s * 0.32, s * 0.66);
        b.lineTo(s * 0.8, s * 0.66);
        b.lineTo(s * 0.9, s * 0.32);
        b.lineTo(s * 0.26, s * 0.32);
        p.drawPath(b);
        p.setBrush(kKoyu);
        p.drawEllipse(QPointF(s * 0.38, s * 0.8), s * 0.06, s * 0.06);
        p.drawEllipse(QPointF(s * 0.74, s * 0.8), s * 0.06, s * 0.06);
        break;
    }
    case Ikon::Gecmis:
        p.drawEllipse(QRectF(s * 0.14, s * 0.14, s * 0.72, s * 0.72));
        p.drawLine(QPointF(s * 0.5, s * 0.5), QPointF(s * 0.5, s * 0.26));
        p.drawLine(QPointF(s * 0.5, s * 0.5), QPointF(s * 0.68, s * 0.6));
        break;
    case Ikon::Ekstre:
        p.drawRect(QRectF(s * 0.22, s * 0.1, s * 0.56, s * 0.8));
        for (int i = 0; i < 3; ++i) p.drawLine(QPointF(s * 0.32, s * (0.3 + 0.18 * i)), QPointF(s * 0.68, s * (0.3 + 0.18 * i)));
        break;
    case Ikon::Yeni: {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const qreal r = (i % 2) ? s * 0.18 : s * 0.42;
            const qreal a = -M_PI / 2 + M_PI * i / 5;
            const QPointF pt(s * 0.5 + r * qCos(a), s * 0.54 + r * qSin(a));
            if (i == 0) star.moveTo(pt);
            else star.lineTo(pt);
        }
        star.closeSubpath();
        p.setBrush(QColor(0xF2, 0xB1, 0x1B));
        p.drawPath(star);
        break;
    }
    case Ikon::Kampanya:
        pen.setColor(kKirmizi);
        p.setPen(pen);
        p.drawLine(QPointF(s * 0.78, s * 0.2), QPointF(s * 0.22, s * 0.8));
        p.drawEllipse(QPointF(s * 0.3, s * 0.3), s * 0.11, s * 0.11);
        p.drawEllipse(QPointF(s * 0.7, s * 0.7), s * 0.11, s * 0.11);
        break;
    case Ikon::Duyuru: {
        QPainterPath m;
        m.moveTo(s * 0.14, s * 0.4);
        m.lineTo(s * 0.36, s * 0.4);
        m.lineTo(s * 0.78, s * 0.16);
        m.lineTo(s * 0.78, s * 0.84);
        m.lineTo(s * 0.36, s * 0.6);
        m.lineTo(s * 0.14, s * 0.6);
        m.closeSubpath();
        p.drawPath(m);
        break;
    }
    case Ikon::Bakiye:
        p.setBrush(QColor(0xF2, 0xB1, 0x1B));
        for (int i = 0; i < 3; ++i) p.drawEllipse(QRectF(s * 0.2, s * (0.56 - 0.16 * i), s * 0.6, s * 0.26));
        break;
    }
    return QIcon(pm);
}

QLabel *baslikEtiketi(const QString &text, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

BusyIndicator *mesgul(const QString &name, QWidget *parent) {
    auto *b = new BusyIndicator(parent);
    b->setObjectName(name);
    b->setFixedSize(24, 24);
    b->hide();
    return b;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Start-up work

BaslangicIsi::BaslangicIsi(TForm1 *window, const Connection &model, const TSonucBilgisi &bilgi)
    : window_(window), model_(model.Clone()), bilgi_(bilgi) {}

std::unique_ptr<Connection> BaslangicIsi::YeniBaglanti() const { return model_->Clone(); }

void BaslangicIsi::Senkron(const std::function<void(TForm1 &)> &fn) const {
    QPointer<TForm1> w = window_;
    auto run = [w, &fn] {
        if (w) fn(*w);
    };
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        run();
        return;
    }
    QMetaObject::invokeMethod(app, run, Qt::BlockingQueuedConnection);
}

// ---------------------------------------------------------------------------------------------
// Construction

TForm1::TForm1(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kPencereBasligi);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(13);
    f.setBold(true);
    setFont(f);

    bagc = std::make_unique<Connection>();
    sbilgi = std::make_unique<TSonucBilgisi>();
    stok = new RecordSet(this);
    sepet = new RecordSet(this);
    ONCEKILER = new RecordSet(this);
    EKSTRE = new RecordSet(this);
    YENILER = new RecordSet(this);
    kampstok = new RecordSet(this);
    stok->setObjectName(QStringLiteral("stok"));
    sepet->setObjectName(QStringLiteral("sepet"));
    ONCEKILER->setObjectName(QStringLiteral("ONCEKILER"));
    EKSTRE->setObjectName(QStringLiteral("EKSTRE"));
    YENILER->setObjectName(QStringLiteral("YENILER"));
    kampstok->setObjectName(QStringLiteral("kampstok"));

    auto *central = new QWidget(this);
    auto *v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    buildHeader(central);
    v->addWidget(Panel1);
    RxGIFAnimator2 = new QLabel(central);
    RxGIFAnimator2->setObjectName(QStringLiteral("RxGIFAnimator2"));
    RxGIFAnimator2->setScaledContents(true);
    RxGIFAnimator2->setFixedHeight(0); // until a banner arrives
    v->addWidget(RxGIFAnimator2);
    buildSearchBar(central);
    v->addWidget(Panel2);
    buildTabs(central);
    v->addWidget(sPageControl1, 1);
    buildBottom(central);
    v->addWidget(Panel3);
    v->addWidget(Panel5);
    setCentralWidget(central);
    // Set again now that every control exists: with an application style sheet the window's font
    // reaches only the controls that exist when it is set.
    setFont(QFont());
    setFont(f);
    resize(1280, 800);
}

TForm1::~TForm1() = default;

void TForm1::buildHeader(QWidget *host) {
    Panel1 = new QWidget(host);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(100);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(pal);
    auto *h = new QHBoxLayout(Panel1);
    h->setContentsMargins(6, 0, 6, 0);
    h->setSpacing(10);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(FirmaLogosu(QSize(250, 84)));
    Image1->setFixedSize(250, 100);
    Image1->setAlignment(Qt::AlignCenter);
    h->addWidget(Image1);

    auto *info = new QWidget(Panel1);
    auto *g = new QGridLayout(info);
    g->setContentsMargins(0, 10, 0, 10);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(2);
    g->addWidget(baslikEtiketi(QStringLiteral("Kullanıcı: "), info), 0, 0);
    g->addWidget(baslikEtiketi(QStringLiteral("Firma: "), info), 1, 0);
    g->addWidget(baslikEtiketi(QStringLiteral("Temsilci: "), info), 2, 0);
    kullanicilbl = new QLabel(info);
    kullanicilbl->setObjectName(QStringLiteral("kullanicilbl"));
    cariadilbl = new QLabel(info);
    cariadilbl->setObjectName(QStringLiteral("cariadilbl"));
    saticilbl = new QLabel(info);
    saticilbl->setObjectName(QStringLiteral("saticilbl"));
    for (QLabel *l : {kullanicilbl, cariadilbl, saticilbl}) {
        QPalette lp = l->palette();
        lp.setColor(QPalette::WindowText, kKirmizi);
        l->setPalette(lp);
    }
    g->addWidget(kullanicilbl, 0, 1);
    g->addWidget(cariadilbl, 1, 1);
    g->addWidget(saticilbl, 2, 1);
    g->setColumnStretch(1, 1);
    h->addWidget(info, 1);

    RxGIFAnimator1 = new QLabel(Panel1);
    RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    RxGIFAnimator1->setFixedSize(409, 100);
    RxGIFAnimator1->setScaledContents(true);
    h->addWidget(RxGIFAnimator1);

    Genelmenu = new QMenu(this);
    Genelmenu->setObjectName(QStringLiteral("Genelmenu"));
    M1 = Genelmenu->addAction(QStringLiteral("Mail Gönder"));
    M1->setObjectName(QStringLiteral("M1"));
    Genelmenu->addSeparator();
    N4 = Genelmenu->addAction(QStringLiteral("Şifre Değiştirme İsteği"));
    N4->setObjectName(QStringLiteral("N4"));
    Genelmenu->addSeparator();
    websitesi1 = Genelmenu->addAction(QString());
    websitesi1->setObjectName(QStringLiteral("websitesi1"));
    Genelmenu->addSeparator();
    G1 = Genelmenu->addAction(QStringLiteral("Çıkış"));
    G1->setObjectName(QStringLiteral("G1"));
    Genelmenu->addSeparator();
    R1 = Genelmenu->addAction(QStringLiteral("Raporlar"));
    R1->setObjectName(QStringLiteral("R1"));
    R1->setVisible(false);
    R1->setEnabled(false); // the reports window is not part of this build yet
    connect(M1, &QAction::triggered, this, &TForm1::M1Click);
    connect(N4, &QAction::triggered, this, &TForm1::N4Click);
    connect(websitesi1, &QAction::triggered, this, &TForm1::websitesi1Click);
    connect(G1, &QAction::triggered, this, &TForm1::G1Click);
    connect(R1, &QAction::triggered, this, &TForm1::R1Click);

    Button3 = new QToolButton(Panel1);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setIcon(ciz(Ikon::Menu, 32));
    Button3->setIconSize(QSize(32, 32));
    Button3->setPopupMode(QToolButton::MenuButtonPopup); // only the drop-down part acts
    Button3->setMenu(Genelmenu);
    Button3->setFixedSize(64, 48);
    h->addWidget(Button3);
}

void TForm1::buildSearchBar(QWidget *host) {
    Panel2 = new QWidget(host);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(35);
    auto *h = new QHBoxLayout(Panel2);
    h->setContentsMargins(6, 2, 6, 2);
    h->setSpacing(6);
    auto *icon = new QLabel(Panel2);
    icon->setObjectName(QStringLiteral("Image2"));
    icon->setPixmap(ciz(Ikon::Ara, 24).pixmap(24, 24));
    h->addWidget(icon);
    araedit = new QLineEdit(Panel2);
    araedit->setObjectName(QStringLiteral("araedit"));
    araedit->setFixedWidth(340);
    araedit->setValidator(new BuyukHarfDogrulayici(araedit));
    h->addWidget(araedit);
    SpeedButton2 = new QToolButton(Panel2);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setIcon(ciz(Ikon::Ara, 24));
    SpeedButton2->setToolTip(QStringLiteral("Ara"));
    SpeedButton2->setAutoRaise(true);
    h->addWidget(SpeedButton2);
    SpeedButton1 = new QToolButton(Panel2);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(ciz(Ikon::Temizle, 24));
    SpeedButton1->setToolTip(QStringLiteral("Temizle"));
    SpeedButton1->setAutoRaise(true);
    h->addWidget(SpeedButton1);
    musteritus = new QPushButton(QStringLiteral("Başka Cari Seç"), Panel2);
    musteritus->setObjectName(QStringLiteral("musteritus"));
    musteritus->setVisible(false);
    connect(musteritus, &QPushButton::clicked, this, &TForm1::musteritusClick);
    h->addWidget(musteritus);
    gifstokara = mesgul(QStringLiteral("gifstokara"), Panel2);
    gifyeniler = mesgul(QStringLiteral("gifyeniler"), Panel2);
    gifkampanyali = mesgul(QStringLiteral("gifkampanyali"), Panel2);
    gifduyuru = mesgul(QStringLiteral("gifduyuru"), Panel2);
    gifoncekiler = mesgul(QStringLiteral("gifoncekiler"), Panel2);
    gifsepet = mesgul(QStringLiteral("gifsepet"), Panel2);
    gifekstre = mesgul(QStringLiteral("gifekstre"), Panel2);
    for (BusyIndicator *b : {gifstokara, gifyeniler, gifkampanyali, gifduyuru, gifoncekiler, gifsepet, gifekstre})
        h->addWidget(b);
    h->addStretch(1);
}

void TForm1::buildTabs(QWidget *host) {
    sPageControl1 = new QTabWidget(host);
    sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
    sPageControl1->setIconSize(QSize(32, 32));
    sPageControl1->setDocumentMode(false);
    // 120 x 45 px tabs: the style's padding (8 + 8, 4 + 4), border (1 + 1, 1) and 1 px gap come on
    // top of these; a caption too long for 120 px widens its tab rather than being cut.
    sPageControl1->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 101px; min-height: 36px; }"));
    sPageControl1->tabBar()->setExpanding(false);

    auto page = [this](QWidget *&w, const QString &name, const QString &caption, Ikon icon, DataGrid *grid) {
        w = new QWidget(sPageControl1);
        w->setObjectName(name);
        auto *l = new QVBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        if (grid) l->addWidget(grid);
        sPageControl1->addTab(w, ciz(icon, 32), caption);
    };
    cxGrid1 = new DataGrid(stokListesiLayout());
    cxGrid2 = new DataGrid(sepetLayout());
    cxGrid3 = new DataGrid(oncekiSiparislerLayout());
    cxGrid5 = new DataGrid(cariEkstreLayout());
    cxGrid6 = new DataGrid(yenilerLayout());
    cxkampanyali = new DataGrid(kampanyaliLayout());
    cxGridduyuru = new DataGrid(duyuruLayout());
    cxGrid1->setRecordSet(stok);
    cxGrid2->setRecordSet(sepet);
    cxGrid3->setRecordSet(ONCEKILER);
    cxGrid5->setRecordSet(EKSTRE);
    cxGrid6->setRecordSet(YENILER);
    cxkampanyali->setRecordSet(kampstok);
    page(sstoklistesi, QStringLiteral("sstoklistesi"), QStringLiteral("Stok Listesi"), Ikon::Liste, cxGrid1);
    page(ssepet, QStringLiteral("ssepet"), QStringLiteral("Sepet"), Ikon::Sepet, cxGrid2);
    page(sonceki, QStringLiteral("sonceki"), QStringLiteral("Önceki Siparişler"), Ikon::Gecmis, cxGrid3);
    page(sccariekstre, QStringLiteral("sccariekstre"), QStringLiteral("Cari Ekstre"), Ikon::Ekstre, cxGrid5);
    page(syeniler, QStringLiteral("syeniler"), QStringLiteral("Yeni Stoklar"), Ikon::Yeni, cxGrid6);
    page(skampanyali, QStringLiteral("skampanyali"), QStringLiteral("Kampanyalı Stoklar"), Ikon::Kampanya, cxkampanyali);
    page(sTabSheetduyuru, QStringLiteral("sTabSheetduyuru"), QStringLiteral("Duyurular"), Ikon::Duyuru, cxGridduyuru);
    page(sTabbakiyeler, QStringLiteral("sTabbakiyeler"), QStringLiteral("Bakiyeler"), Ikon::Bakiye, nullptr);
    sPageControl1->setCurrentWidget(sstoklistesi);

    // Column widths follow the grids' sizes.
    // A running search (its box disabled) leaves the stock grid's columns alone.
    connect(cxGrid1, &DataGrid::resized, this, [this](int w) {
        if (araedit->isEnabled()) SutunGenislikleri(cxGrid1, w);
    });
    connect(cxGrid2, &DataGrid::resized, this, [this](int) {
        if (cxGrid2->isEnabled()) GenislikKurali(cxGrid2);
    });
    connect(cxGrid6, &DataGrid::resized, this, [this](int) { GenislikKurali(cxGrid6); });
    connect(cxkampanyali, &DataGrid::resized, this, [this](int) {
        if (cxkampanyali->isEnabled()) GenislikKurali(cxkampanyali);
    });
}

void TForm1::buildBottom(QWidget *host) {
    Panel3 = new QWidget(host);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(27);
    auto *h = new QHBoxLayout(Panel3);
    h->setContentsMargins(6, 0, 6, 0);
    h->setSpacing(2);
    auto *title = new QLabel(QStringLiteral("Durum Açıklaması:    "), Panel3);
    h->addWidget(title);
    const struct {
        int code;
        const char *text;
    } legend[] = {{1, " Stok mevcut  "}, {2, " Telefon Açınız  "}, {3, " Yolda  "},
                  {5, " Tedarik Sürecinde "}, {4, " Özel Sipariş  "}, {0, " Yok  "}};
    for (const auto &e : legend) {
        auto *icon = new QLabel(Panel3);
        icon->setPixmap(stockStatusIcon(e.code).scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        icon->setFixedSize(24, 24);
        h->addWidget(icon);
        auto *text = new QLabel(QString::fromUtf8(e.text), Panel3);
        QPalette p = text->palette();
        p.setColor(QPalette::WindowText, QColor(67, 76, 88));
        text->setPalette(p);
        h->addWidget(text);
    }
    h->addStretch(1);

    Panel5 = new QWidget(host);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFixedHeight(40);
    auto *v = new QVBoxLayout(Panel5);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    RealTimeMarquee1 = new TRealTimeMarquee(Panel5);
    RealTimeMarquee1->setObjectName(QStringLiteral("RealTimeMarquee1"));
    RealTimeMarquee1->setFixedHeight(0);
    RealTimeMarquee1->hide();
    v->addWidget(RealTimeMarquee1);
    kayanyazi = new TRealTimeMarquee(Panel5);
    kayanyazi->setObjectName(QStringLiteral("kayanyazi"));
    kayanyazi->setFixedHeight(40);
    QFont tf(QStringLiteral("Arial"));
    tf.setPixelSize(24);
    kayanyazi->setFont(tf);
    kayanyazi->setSpacing(5);
    v->addWidget(kayanyazi);
    Image3 = new QLabel(Panel5);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->hide();
}

// ---------------------------------------------------------------------------------------------
// Start-up, login and role layout

void TForm1::FormCreate() {
    _acilisadet = 0;
    setWindowTitle(kPencereBasligi);
    QCoreApplication::setApplicationName(kUygulamaBasligi);
    // Message dialogs are drawn at 15 pt by the UI seam.

    sbilgi = std::make_unique<TSonucBilgisi>();
    sbilgi->SetBilgiSayarAdi(BilgisayarAdiAl());
    sbilgi->SetBilgisayarKullanici(KullaniciAdiAl());
    sbilgi->SetIcip(IcIpAl());
    sbilgi->SetBILGISAYARID(BilgisayarIdAl());

    bagc->Params[QStringLiteral("HostName")] = SunucuAdresi();
    bagc->Params[QStringLiteral("Port")] = QString::number(Adresler().port);
    websitesi1->setText(Adresler().webSitesiAdi());

    if (!GirisYap()) return;
    BaslangicSirasi();
    sPageControl1->setCurrentWidget(sstoklistesi);
    araedit->setFocus();
}

int TForm1::GirisPenceresiCalistir() {
    std::unique_ptr<Tgirisform> f(new Tgirisform(this));
    f->bagim = bagc.get();
    f->Bilgim = sbilgi.get();
    return f->exec();
}

bool TForm1::GirisYap() {
    if (GirisPenceresiCalistir() != QDialog::Accepted || sbilgi->Disip().trimmed().isEmpty()) {
        UiSeam::current().exitProcess(0);
        return false;
    }
    RolDuzeniUygula(sbilgi->MusteriTipi());
    return true;
}

void TForm1::RolDuzeniUygula(int musteriTipi) {
    const bool temsilci = musteriTipi == 1 || musteriTipi == 2;
    musteritus->setVisible(temsilci);
    R1->setVisible(temsilci);
    if (temsilci) {
        for (DataGrid *g : {cxGrid1, cxGrid6, cxkampanyali, cxGrid2}) g->setColumnAvailable(QStringLiteral("KALAN"), true);
        for (DataGrid *g : {cxGrid1, cxGrid6, cxkampanyali}) {
            g->setColumnAvailable(QStringLiteral("ALINANSIPARIS"), true);
            g->setColumnAvailable(QStringLiteral("VERILENSIPARIS"), true);
        }
    } else if (musteriTipi == 3) {
        cxGrid2->setColumnAvailable(QStringLiteral("DURUM"), false);
    } else if (musteriTipi == 4) {
        sPageControl1->setTabVisible(sPageControl1->indexOf(skampanyali), false);
        cxGrid1->setColumnAvailable(QStringLiteral("KAMPFIYAT"), false);
        cxGrid1->setColumnAvailable(QStringLiteral("K"), false);
        cxGrid6->setColumnAvailable(QStringLiteral("K"), false);
        cxGrid6->setColumnAvailable(QStringLiteral("KAMPFIYAT"), false);
    }
}

void TForm1::BaslangicSirasi() {
    auto is = std::make_shared<BaslangicIsi>(this, *bagc, *sbilgi);
    std::vector<BaslangicAdimi> adimlar;
    adimlar.push_back([](BaslangicIsi &i) { i.Senkron([](TForm1 &f) { f.AnaBilgiAl(); }); });
    adimlar.insert(adimlar.end(), yukleyiciler.begin(), yukleyiciler.end());
    TAwait([is, adimlar] {
        for (const BaslangicAdimi &adim : adimlar) {
            // A failing step leaves its display as it was; the next one still runs.
            try {
                adim(*is);
            } catch (...) {
            }
        }
    }).Await(this, [this] {
        baslangicBitti_ = true;
        AcilisReklamGoster();
        Q_EMIT baslangicBitti();
    });
}

void TForm1::AnaBilgiAl() {
    kullanicilbl->setText(sbilgi->ADI());
    cariadilbl->setText(sbilgi->CariAdi());
    saticilbl->setText(sbilgi->SaticiAdi() + QStringLiteral(" Telefonu: ") + sbilgi->SaticiTelefon() +
                       QStringLiteral(" email: ") + sbilgi->SaticiMail());
}

void TForm1::AcilisReklamGoster() {
    // The opening adverts are offered once per start, and only when the server counted some.
    if (_acilisadet == 0) return;
}

// ---------------------------------------------------------------------------------------------
// Customer switch, basket reload

void TForm1::musteritusClick() { CariDegistir(); }

void TForm1::CariSecimiAc() {
    // The customer selection window is not part of this build yet: the current customer stays.
}

void TForm1::CariDegistir() {
    CariSecimiAc();
    AnaBilgiAl();
    SepetYukle();
    if (stok->Active()) stok->EmptyDataSet();
    SekmeBasligiYaz(sstoklistesi, QStringLiteral("0=Stok Listesi"));
    sPageControl1->setCurrentWidget(sstoklistesi);
    araedit->selectAll();
    araedit->setFocus();
}

void TForm1::SepetYukle() {
    std::unique_ptr<Connection> c = bagc->Clone();
    if (!BaglantiKur(*c, 1)) return;
    try {
        TServerMethods1Client proxy(*c);
        TableData data = proxy.SepetVer2(sbilgi->CARINO());
        c->Close();
        cxGrid2->detach();
        sepet->Load(std::move(data));
        SayiFormatla(*sepet);
        cxGrid2->attach();
        SekmeBasligiYaz(ssepet, SayiBasligi(sepet->RecordCount(), QStringLiteral("Sepet")));
    } catch (const std::exception &e) {
        c->Close();
        if (!cxGrid2->isAttached()) cxGrid2->attach();
        const auto *re = dynamic_cast<const RemoteError *>(&e);
        UiSeam::current().plainMessage(re ? re->text : QString::fromLocal8Bit(e.what()));
    }
}

// ---------------------------------------------------------------------------------------------
// Menu

void TForm1::M1Click() {
    std::unique_ptr<Tmailform> w(Tmailform::Ac(this, *bagc, *sbilgi));
    w->exec();
}

void TForm1::N4Click() {
    std::unique_ptr<Tkullanicikayit> w(Tkullanicikayit::Ac(this, *bagc, *sbilgi));
    w->exec();
}

void TForm1::websitesi1Click() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("http://%1/").arg(Adresler().webSitesiAdi())));
    araedit->selectAll();
    araedit->setFocus();
}

void TForm1::G1Click() { close(); }

void TForm1::R1Click() { RaporlariAc(); }

void TForm1::RaporlariAc() {
    // The reports window is not part of this build yet; its menu item stays disabled.
}

// ---------------------------------------------------------------------------------------------
// Closing

bool TForm1::FormCloseQuery() {
    if (MesajKutusu(kCikisSorusu, MsgKind::Confirmation, mbYes | mbNo, dbYes, this) != mrYes) return false;
    UiSeam::current().exitProcess(0);
    return true;
}

void TForm1::closeEvent(QCloseEvent *e) {
    if (FormCloseQuery()) e->accept();
    else e->ignore();
}

// ---------------------------------------------------------------------------------------------
// Window-wide helpers

QString TForm1::SayiBasligi(int count, const QString &name) { return QString::number(count) + u'=' + name; }

QString TForm1::TutarBasligi(double amount) {
    return FloatToStr(amount, QLocale()) + QStringLiteral("=Bakiyeler");
}

void TForm1::SekmeBasligiYaz(QWidget *tab, const QString &caption) {
    const int i = sPageControl1->indexOf(tab);
    if (i >= 0) sPageControl1->setTabText(i, caption);
}

QString TForm1::SekmeBasligi(QWidget *tab) const {
    const int i = sPageControl1->indexOf(tab);
    return i >= 0 ? sPageControl1->tabText(i) : QString();
}

void TForm1::SutunGenislikleri(DataGrid *grid, int width) {
    grid->beginUpdate();
    grid->SutunGenislikleri(width);
    grid->endUpdate();
}

double TForm1::IkiHaneYuvarla(double v) { return b2b::IkiHaneYuvarla(v); }

int TForm1::ekranGenisligi() const {
    if (ekranGenisligi_ > 0) return ekranGenisligi_;
    const QScreen *s = screen();
    return s ? s->geometry().width() : 0;
}

void TForm1::GenislikKurali(DataGrid *grid) {
    if (ekranGenisligi() > 1152) {
        SutunGenislikleri(grid, grid->clientWidth());
    } else {
        grid->beginUpdate();
        grid->bestFit();
        grid->endUpdate();
    }
}

void TForm1::ListeYukle(DataGrid *grid, BusyIndicator *gif, RecordSet *rs,
                        std::function<TableData(TServerMethods1Client &, const TSonucBilgisi &)> cagri,
                        std::function<void(bool)> sonra) {
    if (gif) {
        gif->show();
        gif->start();
    }
    grid->setEnabled(false);
    grid->detach();
    grid->beginUpdate();
    std::shared_ptr<Connection> conn(bagc->Clone().release());
    auto bilgi = std::make_shared<TSonucBilgisi>(*sbilgi);
    auto data = std::make_shared<std::optional<TableData>>();
    TAwait([conn, bilgi, data, cagri] {
        try {
            if (!BaglantiKur(*conn, 0)) return;
            TServerMethods1Client proxy(*conn);
            *data = cagri(proxy, *bilgi);
        } catch (...) {
            data->reset();
        }
        conn->Close();
    }).Await(this, [this, grid, gif, rs, data, sonra] {
        const bool basarisiz = !data->has_value();
        if (!basarisiz) {
            rs->Load(std::move(**data));
            SayiFormatla(*rs);
        }
        grid->attach();
        grid->endUpdate();
        grid->setEnabled(true);
        if (gif) {
            gif->stop();
            gif->hide();
        }
        if (basarisiz) MesajKutusu(kBaglantiKurulamiyor, MsgKind::Error, mbOK, dbOK, this);
        if (sonra) sonra(basarisiz);
    });
}

} // namespace b2b
