#include "asyncresim.h"

#include <QBuffer>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <algorithm>

namespace b2b {

TAsyncResim::TAsyncResim(QWidget *parent) : QWidget(parent), FHTTPClient(new QNetworkAccessManager(this))
{
    setAttribute(Qt::WA_TranslucentBackground, FTransparent);
}

TAsyncResim::~TAsyncResim()
{
    // Running transfers are abandoned; their completion must not reach this half-destroyed control.
    iptal = true;
    for (auto &r : FRequests) {
        if (r) {
            r->disconnect(this);
            r->abort();
            r->deleteLater();
        }
    }
    FRequests.clear();
}

void TAsyncResim::setUrl(const QString &value)
{
    if (value == FUrl)
        return;
    FUrl = value;
    StartFetch();
}

void TAsyncResim::StartFetch()
{
    if (FUrl.isEmpty() || iptal)
        return;
    QNetworkRequest req{QUrl(FUrl)};
    QNetworkReply *reply = FHTTPClient->get(req);
    FRequests.emplace_back(reply);
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64 received, qint64) {
        if (iptal || received > MaxBodyBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Completed(reply); });
}

void TAsyncResim::Completed(QNetworkReply *reply)
{
    FRequests.erase(std::remove_if(FRequests.begin(), FRequests.end(),
                                   [reply](const QPointer<QNetworkReply> &p) { return !p || p == reply; }),
                    FRequests.end());
    reply->deleteLater();
    if (iptal)
        return;
    if (reply->error() != QNetworkReply::OperationCanceledError) {
        const QByteArray body = reply->readAll();
        if (!body.isEmpty()) {
            QImage img;
            if (DecodePicture(reply->rawHeader("Content-Type"), body, &img))
                setPicture(img);
            if (!img.isNull())
                Q_EMIT pictureLoaded();
        }
    }
    Q_EMIT requestFinished();
}

bool TAsyncResim::DecodePicture(const QByteArray &contentType, const QByteArray &body, QImage *out)
{
    const QString kind = QString::fromLatin1(contentType).mid(6).toLower();
    const char *format = nullptr;
    if (kind == QLatin1String("png"))
        format = "PNG";
    else if (kind == QLatin1String("bmp"))
        format = "BMP";
    else if (kind == QLatin1String("jpeg") || kind == QLatin1String("jpg"))
        format = "JPEG";
    else
        return false;
    QByteArray data = body;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    QImage img;
    if (!reader.read(&img) || img.isNull())
        return false;
    *out = img;
    return true;
}

void TAsyncResim::setPicture(const QImage &picture)
{
    FPicture = picture;
    update();
}

void TAsyncResim::setStretch(bool v)
{
    FStretch = v;
    update();
}

void TAsyncResim::setProportional(bool v)
{
    FProportional = v;
    update();
}

void TAsyncResim::setCenter(bool v)
{
    FCenter = v;
    update();
}

void TAsyncResim::setTransparent(bool v)
{
    FTransparent = v;
    setAttribute(Qt::WA_TranslucentBackground, v);
    update();
}

void TAsyncResim::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!FTransparent)
        p.fillRect(rect(), palette().color(backgroundRole()));
    if (FPicture.isNull() || width() <= 0 || height() <= 0)
        return;
    QSize s = FPicture.size();
    const QSize area = size();
    if (FStretch) {
        if (FProportional)
            s.scale(area, Qt::KeepAspectRatio);
        else
            s = area;
    } else if (FProportional && (s.width() > area.width() || s.height() > area.height())) {
        s.scale(area, Qt::KeepAspectRatio);
    }
    QPoint at(0, 0);
    if (FCenter)
        at = QPoint((area.width() - s.width()) / 2, (area.height() - s.height()) / 2);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(at, s), FPicture);
}

} // namespace b2b
