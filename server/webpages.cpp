#include "webpages.h"

namespace b2b::server {

QString htmlEscape(const QString &s) { return s.toHtmlEscaped(); }

namespace {

QByteArray page(const QString &title, const QString &body) {
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"tr\"><head><meta charset=\"utf-8\"><title>%1</title>"
               "<style>body{font-family:Tahoma,Arial,sans-serif;margin:0;background:#f4f4f6;color:#222}"
               "header{background:#c8101e;color:#fff;padding:14px 24px;font-size:20px;font-weight:bold}"
               "main{padding:20px 24px;max-width:760px}label{display:block;margin-top:10px;font-weight:bold}"
               "input,textarea{width:100%;padding:6px;box-sizing:border-box}"
               "button{margin-top:14px;padding:8px 24px;background:#c8101e;color:#fff;border:0;font-weight:bold}"
               ".msg{background:#fff3cd;padding:8px;border:1px solid #e0c060}</style></head>"
               "<body><header>Telvar Otomotiv Merdal</header><main>%2</main></body></html>\n")
        .arg(htmlEscape(title), body)
        .toUtf8();
}

} // namespace

QByteArray rootPage(const QString &host, int apiPort) {
    return page(QStringLiteral("Telvar Otomotiv Merdal"),
                QStringLiteral("<h1>Telvar Otomotiv Merdal B2B</h1>"
                               "<p>Otomotiv yedek parça toptan satış. Bayilerimiz siparişlerini B2B programı ile "
                               "verebilir.</p><ul>"
                               "<li>Uygulama sunucusu: <code>%1:%2</code> (datasnap/rest)</li>"
                               "<li><a href=\"/formmailgonder.aspx?carino=0&amp;kullanici=&amp;id=\">Erişim isteği formu</a></li>"
                               "<li><a href=\"/exe/TelvarSetupMerdal.exe\">Programın son sürümü</a></li>"
                               "</ul><p>Müşteri hizmetleri: 0850 555 00 00</p>")
                    .arg(htmlEscape(host))
                    .arg(apiPort));
}

QByteArray requestFormPage(const QString &carino, const QString &kullanici, const QString &machineId,
                           const QString &message) {
    const auto field = [](const char *name, const char *label, bool area = false) {
        return area ? QStringLiteral("<label for=\"%1\">%2</label><textarea id=\"%1\" name=\"%1\" rows=\"4\"></textarea>")
                          .arg(QLatin1String(name), QString::fromUtf8(label))
                    : QStringLiteral("<label for=\"%1\">%2</label><input id=\"%1\" name=\"%1\" maxlength=\"200\">")
                          .arg(QLatin1String(name), QString::fromUtf8(label));
    };
    QString body = QStringLiteral("<h1>Erişim İsteği</h1><p>Bu bilgisayar henüz kayıtlı değil. Bilgilerinizi "
                                  "gönderin; temsilcimiz bilgisayarınızı tanımlayacaktır.</p>");
    if (!message.isEmpty()) body += QStringLiteral("<p class=\"msg\">%1</p>").arg(htmlEscape(message));
    body += QStringLiteral("<form method=\"post\" action=\"/formmailgonder.aspx\">"
                           "<input type=\"hidden\" name=\"carino\" value=\"%1\">"
                           "<input type=\"hidden\" name=\"kullanici\" value=\"%2\">"
                           "<input type=\"hidden\" name=\"id\" value=\"%3\">"
                           "<p>Bilgisayar ID: <b>%4</b></p>")
                .arg(htmlEscape(carino), htmlEscape(kullanici), htmlEscape(machineId), htmlEscape(machineId));
    body += field("firma", "Firma Adı:") + field("yetkili", "Yetkili:") + field("telefon", "Telefon:") +
            field("email", "E-posta:") + field("sehir", "Şehir:") + field("mesaj", "Mesajınız:", true);
    body += QStringLiteral("<button type=\"submit\">Gönder</button></form>");
    return page(QStringLiteral("Telvar Otomotiv B2B Merdal İstek Formu"), body);
}

QByteArray requestThanksPage(const QString &firma) {
    return page(QStringLiteral("İsteğiniz Alındı"),
                QStringLiteral("<h1>İsteğiniz alındı</h1><p>%1 için erişim isteğiniz kaydedildi. Temsilcimiz en kısa "
                               "sürede sizinle iletişime geçecektir.</p>")
                    .arg(htmlEscape(firma)));
}

QByteArray setupScript(int version) {
    return QStringLiteral(
               "#!/bin/sh\n"
               "# Telvar Otomotiv Merdal B2B - setup program of version %1 (reference server stand-in).\n"
               "# Records that it ran: in $B2B_SETUP_MARKER when set, else in ./telvar-setup-ran\n"
               "# (the folder it is run from).\n"
               "marker=\"${B2B_SETUP_MARKER:-./telvar-setup-ran}\"\n"
               "{\n"
               "  echo \"version=%1\"\n"
               "  echo \"arguments=$*\"\n"
               "  echo \"time=$(date -u +%Y-%m-%dT%H:%M:%SZ 2>/dev/null)\"\n"
               "} > \"$marker\"\n"
               "exit 0\n")
        .arg(version)
        .toUtf8();
}

} // namespace b2b::server
