#include "mailform.h"

#include "beklesinu.h"
#include "proxim.h"
#include "uiseam.h"
#include "utils.h"

#ifdef B2B_HAVE_MACHINEID
#include "machineid.h"
#endif

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace b2b {

QStringList MemoSatirlari(const QString &text) {
    if (text.isEmpty()) return {};
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\n|\r|\u2028|\u2029"));
    QStringList lines = text.split(kBreak);
    if (lines.size() > 1 && lines.constLast().isEmpty()) lines.removeLast();
    return lines;
}

QString CommaText(const QStringList &lines) {
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &s = lines[i];
        if (i) out += u',';
        bool quote = s.isEmpty();
        for (QChar c : s) {
            if (c.unicode() <= u' ' || c == u',' || c == u'"' || c.category() == QChar::Other_Control) {
                quote = true;
                break;
            }
        }
        if (!quote) {
            out += s;
            continue;
        }
        out += u'"';
        for (QChar c : s) {
            if (c == u'"') out += u'"';
            out += c;
        }
        out += u'"';
    }
    return out;
}

Tmailform::Tmailform(QWidget *AOwner, const Connection &_c, const TSonucBilgisi &_b) : QDialog(AOwner) {
    setObjectName(QStringLiteral("mailform"));
    setWindowTitle(QStringLiteral("Mail Gönder"));
    resize(560, 420);

    Label1 = new QLabel(QStringLiteral("Konu:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    baslik = new QLineEdit(this);
    baslik->setObjectName(QStringLiteral("baslik"));
    Label2 = new QLabel(QStringLiteral("Mail:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);
    konu = new QPlainTextEdit(this);
    konu->setObjectName(QStringLiteral("konu"));
    konu->setLineWrapMode(QPlainTextEdit::NoWrap);
    konu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    konu->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Button2 = new QPushButton(QStringLiteral("Gönder"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1 = new QPushButton(QStringLiteral("Kapat"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setAutoDefault(false);
    Button1->setAutoDefault(false);

    auto *g = new QGridLayout;
    g->addWidget(Label1, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
    g->addWidget(baslik, 0, 1);
    g->addWidget(Label2, 1, 0);
    g->addWidget(konu, 1, 1);
    g->setRowStretch(1, 1);
    auto *b = new QHBoxLayout;
    b->addWidget(Button2);
    b->addStretch(1);
    b->addWidget(Button1);
    auto *l = new QVBoxLayout(this);
    l->addLayout(g, 1);
    l->addLayout(b);

    setTabOrder(baslik, konu);
    setTabOrder(konu, Button2);
    setTabOrder(Button2, Button1);
    baslik->setFocus();

    connect(Button2, &QPushButton::clicked, this, &Tmailform::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &Tmailform::Button1Click);

    con = std::shared_ptr<Connection>(_c.Clone());
#ifndef B2B_HAVE_MACHINEID
    // Without the machine-identity library: the login record's copy, which the login refreshes.
    id_ = _b.BILGISAYARID();
#endif
}

bool Tmailform::GirisKontrol() {
    if (baslik->text().trimmed().isEmpty()) {
        baslik->selectAll();
        baslik->setFocus();
        MesajKutusu(QStringLiteral("Lütfen Başlık Giriniz !"), MsgKind::Warning, mbOK, dbOK, this);
        return false;
    }
    if (konu->toPlainText().trimmed().isEmpty()) {
        konu->selectAll();
        konu->setFocus();
        MesajKutusu(QStringLiteral("Lütfen Konu Giriniz !"), MsgKind::Warning, mbOK, dbOK, this);
        return false;
    }
    return true;
}

Tmailform::Sonuc Tmailform::MailGonder(Connection &c, const QString &id, const QString &baslikMetni,
                                       const QString &konuMetni) {
    if (!BaglantiKur(c, 1)) return Sonuc::BaglantiYok;
    Sonuc s = Sonuc::Hata;
    try {
        TServerMethods1Client p(c);
        const std::optional<TMobilCariBilgisi> info = p.MobilCariBilgisiGetir(0, id);
        if (info) {
            p.MailGonserCariNormal(id, baslikMetni, info->CARIADI(), info->ADRES1(), info->ADRES2(), info->ILCE(),
                                   info->SEHIR(), info->TEL1(), info->FAX1(), info->VERGIDAIRESI(), info->VERGINO(),
                                   info->YETKILI(), info->KULLANICIADI(), info->SIFRE(), info->MAIL(), QString(),
                                   konuMetni);
            s = Sonuc::Gonderildi;
        }
    } catch (...) {
        s = Sonuc::Hata;
    }
    c.Close();
    return s;
}

void Tmailform::Button2Click() {
    if (gonderiliyor_ || !GirisKontrol()) return;
    gonderiliyor_ = true;
    Button2->setEnabled(false);

    // Everything the worker needs is read here, on the UI thread.
    const QString b = baslik->text();
    const QString k = CommaText(MemoSatirlari(konu->toPlainText()));
    auto sonuc = std::make_shared<Sonuc>(Sonuc::Hata);
    std::shared_ptr<Connection> c = con;
#ifdef B2B_HAVE_MACHINEID
    const QString id = BilgisayarIdAl();
#else
    const QString id = id_;
#endif
    TAwait([sonuc, c, id, b, k] { *sonuc = MailGonder(*c, id, b, k); }).Await(this, [this, sonuc] {
        if (*sonuc == Sonuc::Gonderildi) {
            MesajKutusu(QStringLiteral("Mail Gönderildi !"), MsgKind::Information, mbOK, dbOK, this);
        } else {
            // The worker could not show the connection message itself.
            if (*sonuc == Sonuc::BaglantiYok) MesajKutusu(kBaglantiKurulamiyor, MsgKind::Error, mbOK, dbOK, this);
            MesajKutusu(QStringLiteral("Mail Göndermede Hata\r\nLütfen Tekrar Deneyin !"), MsgKind::Error, mbOK, dbOK,
                        this);
        }
        Button2->setEnabled(true);
        gonderiliyor_ = false;
        Q_EMIT gonderimBitti();
    });
}

void Tmailform::Button1Click() {
    if (!Button2->isEnabled()) return;
    close();
}

void Tmailform::closeEvent(QCloseEvent *e) {
    if (gonderiliyor_) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void Tmailform::reject() {
    if (gonderiliyor_) return;
    QDialog::reject();
}

} // namespace b2b
