// Demo of the display controls: the news ticker with sample ticker HTML, an owner-drawn banner
// strip, and a picture loaded in the background from an address given on the command line.
//
//   b2b-controls-demo [--url http://host/picture.png] [--quit-after MILLISECONDS]

#include "asyncresim.h"
#include "marquee.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

using namespace b2b;

namespace {

const char *kTickerHtml =
    "<FONT COLOR=#C00000><B>KAMPANYA:</B></FONT> Fren balatalar\xc4\xb1nda "
    "<FONT COLOR=green><B>%20 indirim</B></FONT> &bull; <I>Yeni \xc3\xbcr\xc3\xbcnler stoklarda</I> &bull; "
    "<A HREF=\"http://www.example.com/kampanya\"><U><FONT COLOR=blue>Detaylar i\xc3\xa7in t\xc4\xb1klay\xc4\xb1n</FONT></U></A>"
    " &bull; <FONT COLOR=navy SIZE=+2>Telvar Otomotiv</FONT> <SUP>&reg;</SUP>";

QImage bannerPicture()
{
    QImage img(520, 36, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    QLinearGradient g(0, 0, 520, 0);
    g.setColorAt(0, QColor(0x10, 0x40, 0x90));
    g.setColorAt(1, QColor(0x30, 0xA0, 0xE0));
    p.fillRect(img.rect(), g);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("Orijinal yedek par\u00e7ada g\u00fcvenilir adres"));
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser cli;
    cli.addHelpOption();
    QCommandLineOption urlOpt(QStringLiteral("url"), QStringLiteral("Address of a picture to show."), QStringLiteral("url"));
    QCommandLineOption quitOpt(QStringLiteral("quit-after"), QStringLiteral("Close after this many milliseconds."),
                               QStringLiteral("ms"));
    cli.addOption(urlOpt);
    cli.addOption(quitOpt);
    cli.process(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("B2B controls"));
    window.resize(900, 330);
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *caption = new QLabel(QStringLiteral("  TAsyncResim: ") +
                               (cli.isSet(urlOpt) ? cli.value(urlOpt) : QStringLiteral("(no --url given)")));
    layout->addWidget(caption);
    auto *picture = new TAsyncResim;
    picture->setObjectName(QStringLiteral("cxImage1"));
    picture->setMinimumHeight(200);
    layout->addWidget(picture, 1);
    if (cli.isSet(urlOpt))
        picture->setUrl(cli.value(urlOpt));

    // The bottom panel: the picture strip above the ticker.
    auto *strip = new TRealTimeMarquee;
    strip->setObjectName(QStringLiteral("RealTimeMarquee1"));
    const QImage banner = bannerPicture();
    strip->OnDrawItem = [banner](TRealTimeMarquee *, TMarqueeItem *, QImage &bitmap) { bitmap = banner; };
    strip->setFixedHeight(banner.height());
    strip->setLoopSpacing(20);
    TMarqueeItem *bannerItem = strip->Items().Add();
    bannerItem->setStyle(msOwnerDraw);
    layout->addWidget(strip);

    auto *ticker = new TRealTimeMarquee;
    ticker->setObjectName(QStringLiteral("kayanyazi"));
    QFont tickerFont(QStringLiteral("Arial"));
    tickerFont.setPixelSize(24);
    ticker->setFont(tickerFont);
    ticker->setColor(Qt::white);
    ticker->setSpacing(5);
    ticker->setFixedHeight(40);
    ticker->OnLink = [](TRealTimeMarquee *, const QString &link) {
        std::fprintf(stderr, "link clicked: %s\n", qPrintable(link));
    };
    ticker->setActive(false);
    ticker->Items().Clear();
    TMarqueeItem *news = ticker->Items().Add();
    news->setText(QString::fromUtf8(kTickerHtml));
    news->setStyle(msHTML);
    layout->addWidget(ticker);

    window.show();
    strip->setActive(true);
    ticker->setActive(true);
    if (cli.isSet(quitOpt))
        QTimer::singleShot(cli.value(quitOpt).toInt(), &app, &QApplication::quit);
    return app.exec();
}
