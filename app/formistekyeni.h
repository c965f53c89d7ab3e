#pragma once
// Access request page: the wholesaler's request form for a computer the server does not know,
// shown inside the program (or in the system browser when the program is built without a web view).

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;

namespace b2b {

// The embedded browser `sitem`: a web view when the build has one, else a note with the address
// and the page opened in the system browser.
class TWebTarayici : public QWidget {
    Q_OBJECT
public:
    explicit TWebTarayici(QWidget *parent = nullptr);
    void Navigate(const QString &address);
    QString LocationURL() const { return adres_; }
    static bool GomuluMu(); // true when pages are shown inside the program

private:
    QString adres_;
    QWidget *view_ = nullptr;
    QLabel *not_ = nullptr;
};

// How the system browser is opened; tests replace it so that no browser starts. Returns the previous one.
using SistemTarayicisi = std::function<bool(const QUrl &)>;
SistemTarayicisi SetSistemTarayicisi(SistemTarayicisi f);

class Tformistekyeni : public QDialog {
    Q_OBJECT
public:
    explicit Tformistekyeni(QWidget *owner);

    // web + "formmailgonder.aspx?carino=0&kullanici= &id=" + id, nothing encoded.
    static QString IstekAdresi(const QString &web, const QString &id);

    QWidget *Panel1 = nullptr;
    QPushButton *Button1 = nullptr;
    TWebTarayici *sitem = nullptr;

    void Button1Click();

protected:
    void showEvent(QShowEvent *e) override;
};

// The login's access request step: create the page owned by `owner`, show the request form for
// this computer modally, free it. The caller ends the process afterwards.
void IstekFormuGoster(QWidget *owner, const QString &web, const QString &bilgisayarId);

} // namespace b2b
