#pragma once
// Pictures and documents the server hands out: item and advert pictures, the three banners and
// PDF documents. All pictures are generated deterministically from their number.

#include <QByteArray>
#include <QString>
#include <QRect>
#include <QStringList>
#include <functional>
#include <vector>

class QPainter;

namespace b2b::server {

// Item picture number n (1-based), encoded as "JPEG" or "PNG".
QByteArray itemPicture(int n, const char *format);
// Re-encodes any picture as JPEG (answers empty on undecodable input).
QByteArray toJpeg(const QByteArray &picture);

// Advert or announcement picture (JPEG) with a title and a line of text.
QByteArray advertPicture(int n, int width, int height, const QString &title, const QString &text);

QByteArray headerBannerGif();  // 409 x 100, animated
QByteArray topStripGif();      // full-width strip, animated
QByteArray bottomStripBmp();   // picture strip above the ticker, a bitmap

// A simple PDF document: title, heading lines, one table, closing lines.
struct PdfTable {
    QStringList headers;
    std::vector<double> widths; // shares of the page width
    std::vector<bool> rightAligned;
    std::vector<QStringList> rows;
    QStringList totals; // optional last row in bold
};
struct PdfDocument {
    QString title;
    QStringList heading;
    PdfTable table;
    QStringList closing;
    bool landscape = false;
};
QByteArray renderPdf(const PdfDocument &doc);
// Paints the document onto any device; `newPage` starts the next page (PDF) or does nothing.
void paintDocument(QPainter &p, const QRect &page, const PdfDocument &doc, const std::function<void()> &newPage);

} // namespace b2b::server
