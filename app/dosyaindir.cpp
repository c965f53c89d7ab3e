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
#include <utility>
#include <zlib.h>

namespace b2b {

namespace {

const QString kDosyaAdi = QStringLiteral("TelvarSetupMerdal.exe");
const QString kYol = QStringLiteral("exe/TelvarSetupMerdal.exe");

// A setup program is tens of megabytes; an endless answer must not eat the memory.
constexpr qint64 kEnBuyukIndirme = qint64(1) << 30;

// Inflates a gzip or zlib stream (windowBits 15 + 32 detects which), or a raw deflate stream
// (windowBits -15). Fails on damaged data and on output beyond the download limit.
bool inflateBody(const QByteArray &in, int windowBits, QByteArray *out) {
    z_stream z{};
    if (inflateInit2(&z, windowBits) != Z_OK) return false;
    out->clear();
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    z.avail_in = uInt(in.size());
    char chunk[64 * 1024];
    int rc = Z_OK;
    do {
        z.next_out = reinterpret_cast<Bytef *>(chunk);
        z.avail_out = sizeof chunk;
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) break;
        out->append(chunk, qsizetype(sizeof chunk - z.avail_out));
        if (out->size() > kEnBuyukIndirme) {
            rc = Z_MEM_ERROR;
            break;
        }
    } while (rc != Z_STREAM_END && (z.avail_in > 0 || z.avail_out == 0));
    inflateEnd(&z);
    return rc == Z_STREAM_END;
}

// The answer's body as it was meant to be saved. Empty `error` on success.
QByteArray decodeBody(const QByteArray &body, const QByteArray &contentEncoding, QString *error) {
    const QByteArray enc = contentEncoding.trimmed().toLower();
    if (enc.isEmpty() || enc == "identity") return body;
    QByteArray out;
    if (enc == "gzip" || enc == "x-gzip" || enc == "deflate") {
        if (inflateBody(body, 15 + 32, &out)) return out;
        if (enc == "deflate" && inflateBody(body, -15, &out)) return out;
        *error = QStringLiteral("Sıkıştırılmış yanıt açılamadı (%1)").arg(QString::fromLatin1(enc));
        return {};
    }
    *error = QStringLiteral("Desteklenmeyen içerik kodlaması: %1").arg(QString::fromLatin1(enc));
    return {};
}

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
    // With this header set by hand the network layer leaves a compressed answer as it is; it is
    // inflated when complete (decodeBody), so the progress counts the bytes on the wire.
    r.setRawHeader("Accept-Encoding", "gzip, deflate");
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

    tampon_.clear();
    reply_ = NetHTTPClient1->get(NetHTTPRequest1);
    reply_->setObjectName(QStringLiteral("NetHTTPRequest1"));
    // Progress is taken from the data as it arrives: the network layer's own progress signal is
    // rate-limited and would not show the last state before a stall.
    connect(reply_, &QNetworkReply::readyRead, this, &Tdosyaindir::veriGeldi);
    connect(reply_, &QNetworkReply::finished, this, &Tdosyaindir::indirmeBitti);
}

void Tdosyaindir::veriGeldi() {
    if (!reply_) return;
    tampon_ += reply_->readAll();
    if (tampon_.size() > kEnBuyukIndirme) {
        reply_->setProperty("b2bTooLarge", true);
        reply_->abort();
        return;
    }
    bool ok = false;
    qint64 uzunluk = reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong(&ok);
    if (!ok) uzunluk = -1;
    bool abort = false;
    NetHTTPClient1ReceiveData(NetHTTPClient1, uzunluk, tampon_.size(), abort);
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
    tampon_ += r->readAll();
    QString hata;
    const QByteArray tampon = decodeBody(std::exchange(tampon_, QByteArray()), r->rawHeader("Content-Encoding"), &hata);
    if (!hata.isEmpty()) {
        NetHTTPClient1RequestError(NetHTTPClient1, hata);
        return;
    }

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
