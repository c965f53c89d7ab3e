// b2b-client: reads the endpoint options, applies the style, creates the main window (which runs
// the login) and runs the message loop.

#include "endpoints.h"
#include "machineid.h"
#include "mainwindow.h"
#include "notifier.h"
#include "utils.h"
#include "zircon.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv) {
    // Answered without a display, so scripts can ask before any desktop exists.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--machine-id") == 0) {
            std::printf("%s\n", b2b::BilgisayarIdAl().toUtf8().constData());
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("%s", b2b::SecenekYardimi().toUtf8().constData());
            return 0;
        }
    }

    QApplication app(argc, argv);
    b2b::IstemciAdresleri adresler = b2b::VarsayilanAdresler();
    QString message;
    if (b2b::SecenekleriOku(app.arguments(), b2b::OrtamDegiskenleri(), adresler, &message) ==
        b2b::SecenekSonucu::Hata) {
        std::fprintf(stderr, "b2b-client: %s\n\n%s", message.toUtf8().constData(),
                     b2b::SecenekYardimi().toUtf8().constData());
        return 2;
    }
    b2b::SetAdresler(adresler);

    b2b::ZirconUygula(app); // the platform's look is fine when the style cannot be applied
    b2b::BaglantiBildiricisiKur();

    b2b::TForm1 form;
    form.FormCreate();
    // Maximised; the geometry is also set for desktops without a window manager that would do it.
    if (QScreen *s = form.screen()) form.setGeometry(s->availableGeometry());
    form.showMaximized();
    const int rc = app.exec();
    b2b::ClearEndpointSettings();
    return rc;
}
