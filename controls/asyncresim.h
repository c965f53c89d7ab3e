#pragma once
// Picture control that fetches its picture from a web address in the background and shows it
// scaled to fit, proportional and centred. Failures keep the previous picture, silently.

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

namespace b2b {

class TAsyncResim : public QWidget {
    Q_OBJECT
public:
    explicit TAsyncResim(QWidget *parent = nullptr);
    ~TAsyncResim() override;

    QString Url() const { return FUrl; }
    // A different, non-empty address starts one request; the same address again does nothing.
    void setUrl(const QString &value);

    QImage Picture() const { return FPicture; }
    void setPicture(const QImage &picture);

    bool Stretch() const { return FStretch; }
    void setStretch(bool v);
    bool Proportional() const { return FProportional; }
    void setProportional(bool v);
    bool Center() const { return FCenter; }
    void setCenter(bool v);
    bool Transparent() const { return FTransparent; }
    void setTransparent(bool v);

    // Number of transfers still running.
    int PendingRequests() const { return int(FRequests.size()); }

    // The content-type rule: the first six characters (the "image/" part) are removed and the rest
    // lower-cased; "png", "bmp", "jpeg"/"jpg" are decoded, anything else is not shown.
    static bool DecodePicture(const QByteArray &contentType, const QByteArray &body, QImage *out);

    // Answers larger than this are abandoned (a picture server never sends more).
    static constexpr qint64 MaxBodyBytes = 32 * 1024 * 1024;

Q_SIGNALS:
    // The picture was replaced by a downloaded one.
    void pictureLoaded();
    // A transfer ended (shown or not).
    void requestFinished();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    void StartFetch();
    void Completed(QNetworkReply *reply);

    QString FUrl;
    QNetworkAccessManager *FHTTPClient;
    std::vector<QPointer<QNetworkReply>> FRequests;
    bool iptal = false;
    QImage FPicture;
    bool FStretch = true, FProportional = true, FCenter = true, FTransparent = true;
};

} // namespace b2b
