#pragma once
// Mail window: a title and a text for the wholesaler, sent in the background together with the
// customer details registered for this computer.

#include "connection.h"
#include "transfer.h"

#include <QDialog>
#include <QStringList>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace b2b {

// The lines of a memo text: line breaks are "\r\n", "\n" or "\r"; a break at the very end does
// not start another line.
QStringList MemoSatirlari(const QString &text);

// The lines separated by commas; a line holding a blank, a comma, a double quote or a control
// character is put in double quotes with its double quotes doubled, and an empty line is written
// as "" so that it survives reading back.
QString CommaText(const QStringList &lines);

class Tmailform : public QDialog {
    Q_OBJECT
public:
    // Makes `con` as a copy of `_c`. The caller shows the window modally and frees it.
    Tmailform(QWidget *AOwner, const Connection &_c, const TSonucBilgisi &_b);
    static Tmailform *Ac(QWidget *AOwner, const Connection &_c, const TSonucBilgisi &_b) {
        return new Tmailform(AOwner, _c, _b);
    }

    bool GirisKontrol();
    void Button2Click();
    void Button1Click();
    bool GonderiliyorMu() const { return gonderiliyor_; }

    QLabel *Label1 = nullptr;
    QLineEdit *baslik = nullptr;
    QLabel *Label2 = nullptr;
    QPlainTextEdit *konu = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button1 = nullptr;
    // Shared with the running send, so a send never outlives its connection.
    std::shared_ptr<Connection> con;

    enum class Sonuc { Gonderildi, BaglantiYok, Hata };
    // The background part: connect, fetch the customer details, send. Touches no window.
    static Sonuc MailGonder(Connection &c, const QString &id, const QString &baslikMetni, const QString &konuMetni);

Q_SIGNALS:
    // The result dialog was shown and "Gönder" is enabled again.
    void gonderimBitti();

protected:
    void closeEvent(QCloseEvent *e) override;

public:
    void reject() override;

private:
    QString id_;
    bool gonderiliyor_ = false;
};

} // namespace b2b
