#pragma once
// Update window: downloads the setup program the server asks for, saves it in the local data
// folder, starts it with "/silent" and ends the running program.

#include <QByteArray>
#include <QDialog>
#include <QNetworkRequest>
#include <QString>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;
class QWidget;

namespace b2b {

// This program's own version; a server expecting another one triggers the update.
inline constexpr int kProgramVersion = 2;

class Tdosyaindir : public QDialog {
    Q_OBJECT
public:
    // `_y` is the version the server expects. An empty `address` means IndirmeAdresi().
    Tdosyaindir(QWidget *owner, int _y, const QString &address = {});
    // The login's way of creating it; the caller shows it modally and frees it.
    static Tdosyaindir *Yeni(QWidget *owner, int _y) { return new Tdosyaindir(owner, _y); }

    // B2B_UPDATE_URL when set, else WebAdresi() + "exe/TelvarSetupMerdal.exe".
    static QString IndirmeAdresi();
    // YerelVeriKlasoru() + "/TelvarSetupMerdal.exe" (the temporary folder when the system cannot tell).
    static QString YerelDosya();
    // "Bilgi: %50.00  İndirilen: 1.50/3.00 Mb"; empty for an unknown length.
    static QString IlerlemeMetni(qint64 AReadCount, qint64 AContentLength);

    QString Adres() const { return NetHTTPRequest1.url().toString(); }
    void SetAdres(const QString &address);

    // Components, named as in the designer.
    QLabel *sLabel1 = nullptr;
    QWidget *Panel1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QLabel *bilgi = nullptr;
    QNetworkRequest NetHTTPRequest1;
    QNetworkAccessManager *NetHTTPClient1 = nullptr;
    bool basladi = false;

    void FormActivate();
    void Indir();
    // Starts the setup program without waiting and ends the process. False (with a message) when it
    // could not be started; the window then stays open.
    bool KurulumuBaslat(const QString &file);
    void NetHTTPClient1ReceiveData(QObject *sender, qint64 AContentLength, qint64 AReadCount, bool &Abort);
    void NetHTTPClient1RequestError(QObject *sender, const QString &AError);

    // Closing is refused while the download runs: the program must not go on without its update.
    void reject() override;
    bool IndiriliyorMu() const { return reply_ != nullptr; }

Q_SIGNALS:
    // The download finished and the file is saved (before the setup program is started).
    void kaydedildi(const QString &file);

protected:
    bool event(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void veriGeldi();
    void indirmeBitti();
    void yerelHata(const QString &text);

    QNetworkReply *reply_ = nullptr;
    QString dosya_;
    QByteArray tampon_; // the download, kept in memory until it is complete
};

} // namespace b2b
