#include "media.h"

#include "gifwriter.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <cmath>
#include <functional>

namespace b2b::server {

namespace {

QByteArray encode(const QImage &img, const char *format, int quality = 85) {
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format, quality);
    return out;
}

QColor hueColor(int n, int sat = 160, int val = 230) { return QColor::fromHsv((n * 47) % 360, sat, val); }

QFont font(int pixelSize, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace

QByteArray itemPicture(int n, const char *format) {
    QImage img(480, 360, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 360);
    bg.setColorAt(0, QColor(245, 246, 248));
    bg.setColorAt(1, hueColor(n, 40, 225));
    p.fillRect(img.rect(), bg);
    // A stylised part: a disc, a shaft or a box, by number.
    const QColor metal = hueColor(n + 3, 60, 170);
    p.setPen(QPen(QColor(60, 60, 70), 3));
    switch (n % 3) {
    case 0: {
        p.setBrush(metal);
        p.drawEllipse(QPointF(240, 170), 120, 120);
        p.setBrush(QColor(235, 235, 235));
        p.drawEllipse(QPointF(240, 170), 45, 45);
        for (int k = 0; k < 6; ++k) {
            const double a = k * M_PI / 3 + n;
            p.drawEllipse(QPointF(240 + 80 * std::cos(a), 170 + 80 * std::sin(a)), 10, 10);
        }
        break;
    }
    case 1: {
        p.setBrush(metal);
        p.drawRoundedRect(QRectF(70, 140, 340, 60), 20, 20);
        p.setBrush(metal.darker(130));
        p.drawRect(QRectF(100, 110, 40, 120));
        p.drawRect(QRectF(340, 110, 40, 120));
        break;
    }
    default: {
        p.setBrush(metal);
        p.drawRect(QRectF(110, 80, 260, 180));
        p.setBrush(metal.lighter(130));
        for (int k = 0; k < 8; ++k) p.drawRect(QRectF(125 + k * 30, 95, 18, 150));
        break;
    }
    }
    p.setPen(QColor(40, 40, 50));
    p.setFont(font(18, true));
    p.drawText(QRectF(0, 310, 480, 40), Qt::AlignCenter, QStringLiteral("Telvar Otomotiv · Görsel %1").arg(n));
    p.end();
    return encode(img, format);
}

QByteArray toJpeg(const QByteArray &picture) {
    QImage img;
    if (!img.loadFromData(picture)) return {};
    return encode(img.convertToFormat(QImage::Format_RGB32), "JPEG");
}

QByteArray advertPicture(int n, int width, int height, const QString &title, const QString &text) {
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, width, height);
    bg.setColorAt(0, hueColor(n * 5, 200, 200));
    bg.setColorAt(1, hueColor(n * 5 + 2, 220, 120));
    p.fillRect(img.rect(), bg);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    for (int k = 0; k < 5; ++k) p.drawEllipse(QPointF(width * (0.2 + 0.17 * k), height * 0.8), 60 + 10 * k, 60 + 10 * k);
    p.setPen(Qt::white);
    p.setFont(font(height / 8, true));
    p.drawText(QRectF(20, height * 0.15, width - 40, height * 0.3), Qt::AlignCenter | Qt::TextWordWrap, title);
    p.setFont(font(height / 16));
    p.drawText(QRectF(20, height * 0.5, width - 40, height * 0.3), Qt::AlignCenter | Qt::TextWordWrap, text);
    p.end();
    return encode(img, "JPEG");
}

QByteArray headerBannerGif() {
    std::vector<QImage> frames;
    const QString texts[] = {QStringLiteral("Telvar Otomotiv"), QStringLiteral("Merdal B2B"),
                             QStringLiteral("Orijinal Yedek Parça"), QStringLiteral("Aynı Gün Kargo")};
    for (int f = 0; f < 8; ++f) {
        QImage img(409, 100, QImage::Format_RGB32);
        QPainter p(&img);
        p.fillRect(img.rect(), QColor(200, 16, 30));
        p.fillRect(QRect(0, 80, 409, 20), QColor(30, 30, 40));
        p.setBrush(QColor(255, 255, 255));
        p.setPen(Qt::NoPen);
        p.drawRect(QRect(f * 51, 84, 40, 12));
        p.setPen(Qt::white);
        p.setFont(font(30, true));
        p.drawText(QRect(0, 10, 409, 60), Qt::AlignCenter, texts[(f / 2) % 4]);
        p.end();
        frames.push_back(img);
    }
    return encodeAnimatedGif(frames, 60);
}

QByteArray topStripGif() {
    std::vector<QImage> frames;
    for (int f = 0; f < 6; ++f) {
        QImage img(1200, 48, QImage::Format_RGB32);
        QPainter p(&img);
        QLinearGradient g(0, 0, 1200, 0);
        g.setColorAt(0, QColor(20, 60, 120));
        g.setColorAt(1, QColor(20, 120, 170));
        p.fillRect(img.rect(), g);
        p.setPen(QColor(255, 220, 80));
        p.setFont(font(24, true));
        p.drawText(QRect(40 + f * 30, 0, 1000, 48), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Kampanyalı ürünlerde ek %%1 indirim!").arg(2 + f % 3));
        p.end();
        frames.push_back(img);
    }
    return encodeAnimatedGif(frames, 80);
}

QByteArray bottomStripBmp() {
    QImage img(1400, 44, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(245, 245, 245));
    p.setFont(font(20, true));
    const QString brands[] = {QStringLiteral("KARTALSAN"), QStringLiteral("DEMRO"), QStringLiteral("ANKAPAR"),
                              QStringLiteral("SARVEN"),    QStringLiteral("MAVİTEK"), QStringLiteral("TORSAN"),
                              QStringLiteral("PINARFİL"),  QStringLiteral("ATLASFREN")};
    for (int k = 0; k < 8; ++k) {
        const QRect r(10 + k * 174, 4, 160, 36);
        p.setPen(hueColor(k * 3, 200, 160));
        p.setBrush(hueColor(k * 3, 40, 250));
        p.drawRoundedRect(r, 8, 8);
        p.drawText(r, Qt::AlignCenter, brands[k]);
    }
    p.end();
    return encode(img, "BMP");
}

void paintDocument(QPainter &p, const QRect &page, const PdfDocument &doc, const std::function<void()> &newPage) {
    const int w = page.width();
    const int h = page.height();
    int y = 0;
    const int rowH = 18;

    const auto header = [&] {
        p.setFont(font(18, true));
        p.setPen(QColor(200, 16, 30));
        p.drawText(QRect(0, y, w, 28), Qt::AlignLeft | Qt::AlignVCenter, doc.title);
        p.setFont(font(10));
        p.setPen(Qt::darkGray);
        p.drawText(QRect(0, y, w, 28), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Telvar Otomotiv Merdal"));
        y += 34;
        p.setPen(QPen(QColor(200, 16, 30), 2));
        p.drawLine(0, y, w, y);
        y += 8;
    };
    const auto columnsX = [&] {
        std::vector<int> xs;
        double sum = 0;
        for (double s : doc.table.widths) sum += s;
        double acc = 0;
        for (double s : doc.table.widths) {
            xs.push_back(int(acc / sum * w));
            acc += s;
        }
        xs.push_back(w);
        return xs;
    }();
    const auto drawRow = [&](const QStringList &cells, bool bold, const QColor &bgc) {
        if (bgc.isValid()) p.fillRect(QRect(0, y, w, rowH), bgc);
        p.setFont(font(10, bold));
        p.setPen(Qt::black);
        for (int c = 0; c < cells.size() && c + 1 < int(columnsX.size()); ++c) {
            const QRect r(columnsX[size_t(c)] + 3, y, columnsX[size_t(c) + 1] - columnsX[size_t(c)] - 6, rowH);
            const bool right = size_t(c) < doc.table.rightAligned.size() && doc.table.rightAligned[size_t(c)];
            p.drawText(r, Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft),
                       p.fontMetrics().elidedText(cells[c], Qt::ElideRight, r.width()));
        }
        y += rowH;
    };
    const auto tableHeader = [&] {
        if (!doc.table.headers.isEmpty()) drawRow(doc.table.headers, true, QColor(225, 228, 235));
    };

    header();
    p.setFont(font(11));
    p.setPen(Qt::black);
    for (const QString &line : doc.heading) {
        p.drawText(QRect(0, y, w, rowH + 2), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += rowH + 2;
    }
    y += 8;
    tableHeader();
    int n = 0;
    for (const QStringList &row : doc.table.rows) {
        if (y + rowH > h - 40) {
            newPage();
            y = 0;
            header();
            tableHeader();
        }
        drawRow(row, false, (n++ % 2) ? QColor(245, 245, 245) : QColor());
    }
    if (doc.table.rows.empty() && !doc.table.headers.isEmpty()) {
        p.setFont(font(10));
        p.drawText(QRect(0, y, w, rowH), Qt::AlignCenter, QStringLiteral("Kayıt bulunamadı."));
        y += rowH;
    }
    if (!doc.table.totals.isEmpty()) {
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(0, y, w, y);
        drawRow(doc.table.totals, true, QColor());
    }
    y += 12;
    p.setFont(font(10));
    for (const QString &line : doc.closing) {
        if (y + rowH > h) {
            newPage();
            y = 0;
        }
        p.drawText(QRect(0, y, w, rowH), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += rowH;
    }
}

QByteArray renderPdf(const PdfDocument &doc) {
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buf);
    pdf.setTitle(doc.title);
    pdf.setCreator(QStringLiteral("Telvar Otomotiv Merdal B2B"));
    pdf.setResolution(96);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                  doc.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                  QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    QPainter p(&pdf);
    paintDocument(p, pdf.pageLayout().paintRectPixels(pdf.resolution()), doc, [&] { pdf.newPage(); });
    p.end();
    return out;
}

} // namespace b2b::server
