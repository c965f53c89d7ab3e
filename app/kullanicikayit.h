#pragma once
// Password change request: the firm's details with the wanted user name and password, sent to the
// wholesaler as a mail through the server.

#include "connection.h"
#include "transfer.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace b2b {

enum class TIstek { tyeni, teski };

class Tkullanicikayit : public QDialog {
    Q_OBJECT
public:
    // Clones `_c`, copies `_b`, loads the firm's address from the server (this talks to the server
    // and may show connection messages). The caller shows it modally and frees it.
    Tkullanicikayit(QWidget *owner, const Connection &_c, const TSonucBilgisi &_b);
    static Tkullanicikayit *Ac(QWidget *owner, const Connection &_c, const TSonucBilgisi &_b) {
        return new Tkullanicikayit(owner, _c, _b);
    }

    void CariBilgisiYukle();
    bool Kontrol();
    void IstekGonder();
    void Button2Click();
    void Button1Click();

    // Components in declaration order.
    QWidget *Panel1 = nullptr;
    QPushButton *Button1 = nullptr;
    QLabel *lblid = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *firmaadi = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *adres1 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *adres2 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *ilce = nullptr;
    QLineEdit *sehir = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *telefon = nullptr;
    QLineEdit *fax = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *vd = nullptr;
    QLineEdit *vn = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLineEdit *kullaniciadi = nullptr;
    QLabel *Label10 = nullptr;
    QLineEdit *sifre = nullptr;
    QLabel *Label11 = nullptr;
    QLineEdit *mail = nullptr;
    QLabel *Label12 = nullptr;
    QLineEdit *kargoambar = nullptr;
    QPushButton *Button2 = nullptr;
    QLabel *Label13 = nullptr;
    QLineEdit *yetkili = nullptr;
    TIstek durum = TIstek::teski;
    std::unique_ptr<Connection> con;
    TSonucBilgisi Bilgim;

private:
    QString bilgisayarId() const;
    void hataGoster(const QString &text);
};

} // namespace b2b
