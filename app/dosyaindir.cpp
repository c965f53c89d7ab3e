#include "dosyaindir.h"

#include "uiseam.h"
#include "utils.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace b2b {

namespace {

const QString kDosyaAdi = QStringLiteral("TelvarSetupMerdal.exe");
const QString kYol = QStringLiteral("exe/TelvarSetupMerdal.exe");

// A setup program is tens of megabytes; an endless answer must not eat the memory.
constexpr qint64 kEnBuyukIndirme = qint64(1) << 30;

QString ikiHane(double v) {
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    return loc.toString(v, 'f', 2);
}

} // namespace

Tdosyaindir::Tdosyaindir(QWidget *owner, int _y, const QString &address) : QDialog(owner) {
    setObjectName(QStringLiteral("dosyaindir"));
    setWindowTitle(QStringLiteral("Dosya İndir"));
    setWindowFlags(Qt::Tool);
    resize(543, 309);

    sLabel1 = new QLabel(this);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setAlignment(Qt::AlignCenter);
    sLabel1->setWordWrap(true);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(27);
    sLabel1->setFont(f);
    QPalette pal = sLabel1->palette();
    pal.setColor(QPalette::WindowText, QColor(67, 76, 88));
    sLabel1->setPalette(pal);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(58);
    bilgi = new QLabel(Panel1);
    bilgi->setObjectName(QStringLiteral("bilgi"));
    QFont bf = bilgi->font();
    bf.setBold(true);
    bilgi->setFont(bf);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    auto *pl = new QVBoxLayout(Panel1);
    pl->setContentsMargins(4, 4, 4, 4);
    pl->addWidget(bilgi);
    pl->addStretch(1);
    pl->addWidget(ProgressBar1);

    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(sLabel1, 1);
    l->addWidget(Panel1);

    NetHTTPClient1 = new QNetworkAccessManager(this);
    NetHTTPClient1->setObjectName(QStringLiteral("NetHTTPClient1"));
    NetHTTPClient1->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    NetHTTPClient1->setTransferTimeout(60000);

    sLabel1->setText(QStringLiteral("Telvar Otomotiv B2B Merdal Programının") + QStringLiteral("\r\n") +
                     QStringLiteral("Yeni versiyonu indirilecektir") + QStringLiteral("\r\n") +
                     QStringLiteral("Lütfen Bekleyiniz...!") + QStringLiteral("\r\n") + QStringLiteral("Version: ") +
                     QString::number(_y) + QStringLiteral("-") + QString::number(kProgramVersion));
    SetAdres(address.isEmpty() ? IndirmeAdresi() : address);
    basladi = false;
}

QString Tdosyaindir::IndirmeAdresi() {
    const QString env = qEnvironmentVariable("B2B_UPDATE_URL");
    if (!env.isEmpty()) return env;
    return WebAdresi() + kYol;
}

QString Tdosyaindir::YerelDosya() {
    QString dir = YerelVeriKlasoru();
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir + u'/' + kDosyaAdi;
}

QString Tdosyaindir::IlerlemeMetni(qint64 AReadCount, qint64 AContentLength) {
    if (AContentLength <= 0) return {};
    const double yuzde = double(AReadCount) / double(AContentLength) * 100.0;
    return QStringLiteral("Bilgi: %") + ikiHane(yuzde) + QStringLiteral("  İndirilen: ") +
           ikiHane(double(AReadCount) / 1024 / 1024) + u'/' + ikiHane(double(AContentLength) / 1024 / 1024) +
           QStringLiteral(" Mb");
}

void Tdosyaindir::SetAdres(const QString &address) {
    QNetworkRequest r{QUrl(address)};
    r.setTransferTimeout(60000);
    r.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // No cookies are kept between requests.
    r.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    r.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    r.setRawHeader("Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8");
    // Accept-Encoding is left to the network layer: it sends "gzip, deflate" itself and then also
    // inflates the answer, which a hand-set header would prevent (the saved program would be corrupt).
    r.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
    r.setHeader(QNetworkRequest::UserAgentHeader,
                QStringLiteral("Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
                               "Chrome/60.0.3112.32 Safari/537.36"));
    NetHTTPRequest1 = r;
}

bool Tdosyaindir::event(QEvent *e) {
    const bool r = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate) FormActivate();
    if (e->type() == QEvent::Show) {
        if (QScreen *s = screen()) {
            QRect g = frameGeometry();
            g.moveCenter(s->availableGeometry().center());
            move(g.topLeft());
        }
    }
    return r;
}

void Tdosyaindir::closeEvent(QCloseEvent *e) {
    if (reply_) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void Tdosyaindir::reject() {
    if (reply_) return;
    QDialog::reject();
}

void Tdosyaindir::FormActivate() { Indir(); }

void Tdosyaindir::Indir() {
    if (basladi) return;
    basladi = true;

    dosya_ = YerelDosya();
    const QFileInfo eski(dosya_);
    if (eski.exists() || eski.isSymLink()) {
        QFile f(dosya_);
        if (!f.remove()) {
            yerelHata(QStringLiteral("Dosya silinemiyor: ") + QDir::toNativeSeparators(dosya_) +
                      QStringLiteral("\r\n") + f.errorString());
            return;
        }
    }

    reply_ = NetHTTPClient1->get(NetHTTPRequest1);
    reply_->setObjectName(QStringLiteral("NetHTTPRequest1"));
    connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        bool abort = false;
        NetHTTPClient1ReceiveData(NetHTTPClient1, total, received, abort);
        if (reply_ && received > kEnBuyukIndirme) {
            reply_->setProperty("b2bTooLarge", true);
            reply_->abort();
        }
    });
    connect(reply_, &QNetworkReply::finished, this, &Tdosyaindir::indirmeBitti);
}

void Tdosyaindir::NetHTTPClient1ReceiveData(QObject *, qint64 AContentLength, qint64 AReadCount, bool &) {
    if (AContentLength <= 0) return;
    bilgi->setText(IlerlemeMetni(AReadCount, AContentLength));
    // The bar counts in units the widget can hold (its range is an int).
    const int scale = AContentLength > std::numeric_limits<int>::max() ? 1024 : 1;
    ProgressBar1->setMaximum(int(AContentLength / scale));
    ProgressBar1->setValue(int(std::min(AReadCount, AContentLength) / scale));
}

void Tdosyaindir::NetHTTPClient1RequestError(QObject *, const QString &AError) {
    MesajKutusu(QStringLiteral("Hata Oluştu !") + QStringLiteral("\r\n") + QStringLiteral("Hata: ") + AError,
                MsgKind::Error, mbOK, dbOK, this);
    UiSeam::current().exitProcess(0);
}

void Tdosyaindir::indirmeBitti() {
    QNetworkReply *r = reply_;
    reply_ = nullptr;
    r->deleteLater();
    if (r->property("b2bTooLarge").toBool()) {
        NetHTTPClient1RequestError(NetHTTPClient1, QStringLiteral("İndirilen dosya %1 Mb sınırını aşıyor")
                                                       .arg(kEnBuyukIndirme / 1024 / 1024));
        return;
    }
    if (r->error() != QNetworkReply::NoError) {
        NetHTTPClient1RequestError(NetHTTPClient1, r->errorString());
        return;
    }
    const QByteArray tampon = r->readAll();

    QDir().mkpath(QFileInfo(dosya_).absolutePath());
    QFile f(dosya_);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(tampon) != tampon.size() || !f.flush()) {
        const QString why = f.errorString();
        f.close();
        yerelHata(QStringLiteral("Dosya oluşturulamıyor: ") + QDir::toNativeSeparators(dosya_) +
                  QStringLiteral("\r\n") + why);
        return;
    }
    f.close();
    Q_EMIT kaydedildi(dosya_);
    KurulumuBaslat(dosya_);
}

bool Tdosyaindir::KurulumuBaslat(const QString &file) {
    // Where there is no shell "open" verb the file itself must be executable.
    QFile::setPermissions(file, QFile::permissions(file) | QFile::ExeOwner | QFile::ExeUser | QFile::ReadOwner |
                                    QFile::ReadUser);
    if (!QProcess::startDetached(file, {QStringLiteral("/silent")}, QFileInfo(file).absolutePath())) {
        yerelHata(QStringLiteral("Kurulum programı başlatılamıyor: ") + QDir::toNativeSeparators(file));
        return false;
    }
    UiSeam::current().exitProcess(0);
    return true;
}

void Tdosyaindir::yerelHata(const QString &text) {
    // What the program's default error handler shows; the window stays open.
    MesajKutusu(text, MsgKind::Error, mbOK, dbOK, this);
}

} // namespace b2b
