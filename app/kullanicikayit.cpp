#include "kullanicikayit.h"

#include "proxim.h"
#include "uiseam.h"
#include "utils.h"

#ifdef B2B_HAVE_MACHINEID
#include "machineid.h"
#endif

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace b2b {

namespace {

QLabel *etiket(QWidget *parent, const char *name, const QString &text) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLineEdit *kutu(QWidget *parent, const char *name) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QLabel *baslik(QWidget *parent, const char *name, const QString &text) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

Tkullanicikayit::Tkullanicikayit(QWidget *owner, const Connection &_c, const TSonucBilgisi &_b) : QDialog(owner) {
    setObjectName(QStringLiteral("kullanicikayit"));
    resize(705, 514);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Button1 = new QPushButton(QStringLiteral("Kapat"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    lblid = new QLabel(this);
    lblid->setObjectName(QStringLiteral("lblid"));
    Label1 = baslik(this, "Label1", QStringLiteral("Firma Bilgileri"));
    Label2 = etiket(this, "Label2", QStringLiteral("Firma Adı:"));
    firmaadi = kutu(this, "firmaadi");
    Label3 = etiket(this, "Label3", QStringLiteral("Adres:"));
    adres1 = kutu(this, "adres1");
    Label4 = etiket(this, "Label4", QStringLiteral("Adres2:"));
    adres2 = kutu(this, "adres2");
    Label5 = etiket(this, "Label5", QStringLiteral("İlçe/Şehir:"));
    ilce = kutu(this, "ilce");
    sehir = kutu(this, "sehir");
    Label6 = etiket(this, "Label6", QStringLiteral("Telefon/Fax:"));
    telefon = kutu(this, "telefon");
    fax = kutu(this, "fax");
    Label7 = etiket(this, "Label7", QStringLiteral("Vergi Dairesi / No:"));
    vd = kutu(this, "vd");
    vn = kutu(this, "vn");
    Label8 = baslik(this, "Label8", QStringLiteral("Kullanıcı Bilgileri"));
    Label9 = etiket(this, "Label9", QStringLiteral("Kullanıcı Adı:"));
    kullaniciadi = kutu(this, "kullaniciadi");
    Label10 = etiket(this, "Label10", QStringLiteral("Şifre:"));
    sifre = kutu(this, "sifre"); // the wanted password is shown in clear
    Label11 = etiket(this, "Label11", QStringLiteral("Mail:"));
    mail = kutu(this, "mail");
    Label12 = etiket(this, "Label12", QStringLiteral("Kargo Ambar:"));
    kargoambar = kutu(this, "kargoambar");
    Button2 = new QPushButton(QStringLiteral("Gönder"), Panel1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Label13 = etiket(this, "Label13", QStringLiteral("Yetkili:"));
    yetkili = kutu(this, "yetkili");

    auto *g = new QGridLayout;
    g->setHorizontalSpacing(8);
    int r = 0;
    g->addWidget(lblid, r++, 0, 1, 3);
    g->addWidget(Label1, r++, 0, 1, 3);
    auto tek = [&](QLabel *l, QLineEdit *e) {
        g->addWidget(l, r, 0);
        g->addWidget(e, r++, 1, 1, 2);
    };
    auto cift = [&](QLabel *l, QLineEdit *a, QLineEdit *b) {
        g->addWidget(l, r, 0);
        g->addWidget(a, r, 1);
        g->addWidget(b, r++, 2);
    };
    tek(Label2, firmaadi);
    tek(Label3, adres1);
    tek(Label4, adres2);
    cift(Label5, ilce, sehir);
    cift(Label6, telefon, fax);
    cift(Label7, vd, vn);
    tek(Label13, yetkili);
    g->addWidget(Label8, r++, 0, 1, 3);
    tek(Label9, kullaniciadi);
    tek(Label10, sifre);
    tek(Label11, mail);
    tek(Label12, kargoambar);
    g->setRowStretch(r, 1);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(2, 1);

    auto *pl = new QHBoxLayout(Panel1);
    pl->setContentsMargins(15, 6, 15, 6);
    pl->addWidget(Button2);
    pl->addStretch(1);
    pl->addWidget(Button1);

    auto *l = new QVBoxLayout(this);
    l->addLayout(g, 1);
    l->addWidget(Panel1);

    setTabOrder(firmaadi, adres1);
    setTabOrder(adres1, adres2);
    setTabOrder(adres2, ilce);
    setTabOrder(ilce, sehir);
    setTabOrder(sehir, telefon);
    setTabOrder(telefon, fax);
    setTabOrder(fax, vd);
    setTabOrder(vd, vn);
    setTabOrder(vn, yetkili);
    setTabOrder(yetkili, kullaniciadi);
    setTabOrder(kullaniciadi, sifre);
    setTabOrder(sifre, mail);
    setTabOrder(mail, kargoambar);
    setTabOrder(kargoambar, Button2);
    setTabOrder(Button2, Button1);

    connect(Button1, &QPushButton::clicked, this, &Tkullanicikayit::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tkullanicikayit::Button2Click);

    // The steps of Ac.
    con = _c.Clone();
    Bilgim.Kopyala(_b);
    lblid->setText(QStringLiteral("Bilgisayar ID: ") + bilgisayarId());
    kullaniciadi->setText(Bilgim.ADI());
    firmaadi->setText(Bilgim.CariAdi());
    CariBilgisiYukle();
    setWindowTitle(QStringLiteral("Şifre Değiştirme İsteği"));
    durum = TIstek::teski;
}

QString Tkullanicikayit::bilgisayarId() const {
#ifdef B2B_HAVE_MACHINEID
    return BilgisayarIdAl();
#else
    // Without the machine-identity library: the login record's copy, which the login refreshes.
    return Bilgim.BILGISAYARID();
#endif
}

void Tkullanicikayit::hataGoster(const QString &text) { MesajKutusu(text, MsgKind::Error, mbOK, dbOK, this); }

void Tkullanicikayit::CariBilgisiYukle() {
    con->Close();
    if (!BaglantiKur(*con, 1)) return;
    try {
        TServerMethods1Client p(*con);
        const std::optional<TMobilCariBilgisi> c = p.MobilCariBilgisiGetir(0, bilgisayarId());
        if (c) {
            adres1->setText(c->ADRES1());
            adres2->setText(c->ADRES2());
            ilce->setText(c->ILCE());
            sehir->setText(c->SEHIR());
            telefon->setText(c->TEL1());
            fax->setText(c->FAX1());
            vd->setText(c->VERGIDAIRESI());
            vn->setText(c->VERGINO());
        }
    } catch (const RemoteError &e) {
        hataGoster(e.text);
    } catch (const std::exception &e) {
        hataGoster(QString::fromLocal8Bit(e.what()));
    }
    con->Close();
}

bool Tkullanicikayit::Kontrol() {
    const struct {
        QLineEdit *kutu;
        const char16_t *mesaj;
    } sira[] = {
        {firmaadi, u"Firma Adı boş olamaz !"},   {adres1, u"Adres boş olamaz !"},
        {ilce, u"İlçe Adı boş olamaz !"},        {sehir, u"Şehir Adı boş olamaz !"},
        {telefon, u"Telefon  boş olamaz !"},      {yetkili, u"Yetkili  boş olamaz !"},
        {kullaniciadi, u"Kullanıcı  boş olamaz !"}, {sifre, u"Şifre  boş olamaz !"},
        {mail, u"Mail  boş olamaz !"},
    };
    for (const auto &s : sira) {
        if (!s.kutu->text().trimmed().isEmpty()) continue;
        s.kutu->selectAll();
        s.kutu->setFocus();
        MesajKutusu(QString::fromUtf16(s.mesaj), MsgKind::Warning, mbOK, dbOK, this);
        return false;
    }
    return true;
}

void Tkullanicikayit::IstekGonder() {
    con->Close();
    if (!BaglantiKur(*con, 1)) return;
    try {
        TServerMethods1Client p(*con);
        p.MailGonserCari(bilgisayarId(), QStringLiteral("Şifre Değiştirme İsteği"), firmaadi->text(), adres1->text(),
                         adres2->text(), ilce->text(), sehir->text(), telefon->text(), fax->text(), vd->text(),
                         vn->text(), yetkili->text(), kullaniciadi->text(), sifre->text(), mail->text(),
                         kargoambar->text());
    } catch (const RemoteError &e) {
        con->Close();
        hataGoster(e.text);
        return;
    } catch (const std::exception &e) {
        con->Close();
        hataGoster(QString::fromLocal8Bit(e.what()));
        return;
    }
    con->Close();
    MesajKutusu(QStringLiteral("İsteğiniz Gönderildi!"), MsgKind::Information, mbOK, dbOK, this);
}

void Tkullanicikayit::Button2Click() {
    if (Kontrol()) IstekGonder();
}

void Tkullanicikayit::Button1Click() { reject(); }

} // namespace b2b
