#pragma once
// The login window: probes the public address (public or LAN server), fetches the login record
// of this computer and checks the typed user name and password against it.

#include "connection.h"
#include "transfer.h"

#include <QDialog>
#include <QPixmap>
#include <atomic>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace b2b {

class BusyIndicator;

// The firm's pictures, drawn by the program: the login background and the main window's logo.
QPixmap GirisArkaPlani(QSize size);
QPixmap FirmaLogosu(QSize size);

class Tgirisform : public QDialog {
    Q_OBJECT
public:
    enum class Durum { Idle, Probing, Fetching, Checking, Done };
    Q_ENUM(Durum)

    explicit Tgirisform(QWidget *owner = nullptr);
    ~Tgirisform() override;

    // Components in declaration order.
    QLabel *Image1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QCheckBox *benihatirla = nullptr;
    QLabel *RxLabel1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *adi = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *sifre = nullptr;
    BusyIndicator *RxGIFAnimator1 = nullptr;
    QString idsi;
    Connection *bagim = nullptr;    // the main window's connection, set by the caller
    TSonucBilgisi *Bilgim = nullptr; // the main window's login record, filled in place

    Durum durum() const { return durum_; }
    // True once the login asked to end the process (only observable when the exit seam returns).
    bool cikisIstendi() const { return cikis_; }

    void Button1Click();
    void Button2Click();
    // Second stage with the probed public address.
    void Devamet(const QString &i);

    // The background fetch of the login record on its own connection: BaglantiKur in quiet mode,
    // BuyukGetir with the machine identifier, then the machine fields refreshed (with a second
    // probe of the public address). Touches no window.
    static bool SonucAl(Connection &clone, const QString &idsi, const QString &echoUrl, TSonucBilgisi &out,
                        const std::atomic<bool> *iptal = nullptr);

Q_SIGNALS:
    void durumDegisti(b2b::Tgirisform::Durum d);

protected:
    // The windows of the later steps; replaceable so the state machine can be checked alone.
    virtual void GuncellemeAc();
    virtual void IstekFormuAc(const QString &web);
    virtual void CariSecimiAc();

    bool eventFilter(QObject *o, QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    // Ends the process with exit code 0 (through the UI seam).
    void Cikis();

private:
    void FormCreate();
    void BilgileriYukle();
    void BilgileriKaydet();
    bool adiKeyDown(QKeyEvent *e);
    bool sifreKeyDown(QKeyEvent *e);
    void Kontrol();
    void setDurum(Durum d);
    void tekrarDene(); // back to Idle after a failure

    Durum durum_ = Durum::Idle;
    bool cikis_ = false;
    // Set when the window goes away, so a probe retrying without limit ends with it.
    std::shared_ptr<std::atomic<bool>> iptal_ = std::make_shared<std::atomic<bool>>(false);
};

} // namespace b2b
