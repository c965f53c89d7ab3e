#include "formistekyeni.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <memory>

#ifdef B2B_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

namespace b2b {

namespace {
SistemTarayicisi &sistemTarayicisi() {
    static SistemTarayicisi f = [](const QUrl &u) { return QDesktopServices::openUrl(u); };
    return f;
}
} // namespace

SistemTarayicisi SetSistemTarayicisi(SistemTarayicisi f) {
    SistemTarayicisi old = std::move(sistemTarayicisi());
    sistemTarayicisi() = std::move(f);
    return old;
}

bool TWebTarayici::GomuluMu() {
#ifdef B2B_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

TWebTarayici::TWebTarayici(QWidget *parent) : QWidget(parent) {
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
#ifdef B2B_HAVE_WEBENGINE
    view_ = new QWebEngineView(this);
    l->addWidget(view_);
#else
    not_ = new QLabel(this);
    not_->setObjectName(QStringLiteral("sitemadres"));
    not_->setAlignment(Qt::AlignCenter);
    not_->setWordWrap(true);
    not_->setTextFormat(Qt::RichText);
    not_->setOpenExternalLinks(false);
    not_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    connect(not_, &QLabel::linkActivated, this, [](const QString &link) {
        if (sistemTarayicisi()) sistemTarayicisi()(QUrl(link, QUrl::TolerantMode));
    });
    l->addWidget(not_);
#endif
}

void TWebTarayici::Navigate(const QString &address) {
    adres_ = address;
    const QUrl url(address, QUrl::TolerantMode);
#ifdef B2B_HAVE_WEBENGINE
    static_cast<QWebEngineView *>(view_)->load(url);
#else
    const bool acildi = sistemTarayicisi() && sistemTarayicisi()(url);
    const QString ust = acildi ? QStringLiteral("İstek formu varsayılan tarayıcınızda açıldı.<br>Açılmadıysa bu adresi "
                                                "tarayıcınıza yazınız:")
                               : QStringLiteral("Tarayıcı açılamadı.<br>İstek formu için bu adresi tarayıcınıza yazınız:");
    not_->setText(ust + QStringLiteral("<br><br><a href=\"%1\">%2</a>")
                            .arg(QString::fromUtf8(url.toEncoded()).toHtmlEscaped(), address.toHtmlEscaped()));
#endif
}

Tformistekyeni::Tformistekyeni(QWidget *owner) : QDialog(owner) {
    setObjectName(QStringLiteral("formistekyeni"));
    resize(780, 555);

    sitem = new TWebTarayici(this);
    sitem->setObjectName(QStringLiteral("sitem"));
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(41);
    Button1 = new QPushButton(QStringLiteral("Kapat"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedWidth(131);
    auto *pl = new QHBoxLayout(Panel1);
    pl->setContentsMargins(0, 0, 0, 0);
    pl->addWidget(Button1);
    pl->addStretch(1);
    connect(Button1, &QPushButton::clicked, this, &Tformistekyeni::Button1Click);

    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(sitem, 1);
    l->addWidget(Panel1);
}

QString Tformistekyeni::IstekAdresi(const QString &web, const QString &id) {
    return web + QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id=") + id;
}

void Tformistekyeni::Button1Click() { reject(); }

void Tformistekyeni::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    // Centred on the screen rather than over the login window.
    if (QScreen *s = screen()) {
        QRect g = frameGeometry();
        g.moveCenter(s->availableGeometry().center());
        move(g.topLeft());
    }
}

void IstekFormuGoster(QWidget *owner, const QString &web, const QString &bilgisayarId) {
    std::unique_ptr<Tformistekyeni> f(new Tformistekyeni(owner));
    f->setWindowTitle(QStringLiteral("Telvar Otomotiv B2B Merdal İstek Formu"));
    f->sitem->Navigate(Tformistekyeni::IstekAdresi(web, bilgisayarId));
    f->exec();
}

} // namespace b2b
