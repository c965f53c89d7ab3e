// Ticker text comes from the server: no input may crash, hang or grow without bound.
#include "htmllayout.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

using namespace b2b;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_simplehtml";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const QString html = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TSimpleHTML doc(html);
    doc.DurPauseMs = 0;
    // Pictures without touching the file system: some addresses give a picture, some none.
    doc.OnGetImage = [](TSimpleHTML *, const QString &uri, QImage &img) {
        if (uri.size() % 3 == 0) {
            img = QImage(1 + int(uri.size() % 40), 1 + int(uri.size() % 17), QImage::Format_RGB32);
            img.fill(Qt::red);
        }
    };
    const QString outer = doc.OuterHTML();
    const QString text = doc.InnerText();
    (void)text;

    // What a valid document writes must read back as a valid document.
    if (doc.IsValid()) {
        TSimpleHTML again(doc.InnerHTML());
        if (!again.IsValid())
            std::abort();
    }

    QImage img(256, 48, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    p.setFont(font);
    p.setPen(Qt::black);
    TCanvas canvas(&p);
    const QSize ext = doc.Extend(canvas);
    (void)ext;
    const QRect r(4, 0, 248, 48);
    doc.Draw(canvas, r);
    TSimpleLinks links;
    const int added = doc.CollectLinks(canvas, r, links);
    if (added != links.Count())
        std::abort();
    for (int i = 0; i < links.Count(); ++i) {
        const QRect b = links.Bounds(i);
        if (!b.isEmpty() && links.IndexOfLinkAt(b.left(), b.top()) < 0)
            std::abort();
    }
    p.end();
    // Qt trims its font cache from timers; a real program runs them in its event loop.
    QCoreApplication::processEvents();
    return 0;
}
