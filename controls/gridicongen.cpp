// Draws the grids' 24x24 icons into PNG files (controls/icons/). Run by hand after changing a drawing:
//   b2b-grid-icongen <output folder>
// The PNGs are committed and compiled in as resources; this tool is not part of the program.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <functional>

namespace {

constexpr int S = 24;

QImage canvas() {
    QImage img(S, S, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void ball(QPainter &p, QColor c, QRectF r = QRectF(2.5, 2.5, 19, 19)) {
    QRadialGradient g(r.center() + QPointF(-r.width() * 0.2, -r.height() * 0.22), r.width() * 0.65);
    g.setColorAt(0, c.lighter(175));
    g.setColorAt(0.45, c);
    g.setColorAt(1, c.darker(150));
    p.setPen(QPen(c.darker(190), 1));
    p.setBrush(g);
    p.drawEllipse(r);
    // highlight
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawEllipse(QRectF(r.left() + r.width() * 0.22, r.top() + r.height() * 0.12, r.width() * 0.32, r.height() * 0.22));
}

QPainterPath handsetPath() {
    // A classic telephone receiver lying on its back, 16 px wide.
    QPainterPath path;
    path.moveTo(0, 5);
    path.cubicTo(0, 1, 5, 0, 8, 0);
    path.cubicTo(11, 0, 16, 1, 16, 5);
    path.lineTo(16, 7);
    path.lineTo(11.5, 7);
    path.lineTo(11, 4.2);
    path.cubicTo(9.5, 3.6, 6.5, 3.6, 5, 4.2);
    path.lineTo(4.5, 7);
    path.lineTo(0, 7);
    path.closeSubpath();
    return path;
}

void handset(QPainter &p, QPointF at, QColor fill, QColor outline, qreal scale = 1.0) {
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(QPen(outline, 0.8));
    p.setBrush(fill);
    p.drawPath(handsetPath());
    p.restore();
}

using Draw = std::function<void(QPainter &)>;

void save(const QString &dir, const QString &name, const Draw &draw) {
    QImage img = canvas();
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
    }
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!img.save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("icons");
    QDir().mkpath(dir);

    const QColor green(40, 170, 60), blue(40, 100, 210), orange(245, 140, 20), red(215, 35, 35);

    // Status list, positions fixed: 0 green, 1 blue, 2 lorry, 3 orange, 4 red, 5 clipboard,
    // 6 question mark, 7 green bar, 8 orange ball with handset, 9 black handset.
    save(dir, QStringLiteral("status0"), [&](QPainter &p) { ball(p, green); });
    save(dir, QStringLiteral("status1"), [&](QPainter &p) { ball(p, blue); });
    save(dir, QStringLiteral("status2"), [&](QPainter &p) {
        // lorry: cargo box, cab with window, two wheels
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.setBrush(QColor(70, 120, 200));
        p.drawRect(QRectF(1.5, 6.5, 13, 10));
        p.setBrush(QColor(220, 60, 40));
        QPainterPath cab;
        cab.moveTo(15, 9.5);
        cab.lineTo(19.5, 9.5);
        cab.lineTo(22.5, 13);
        cab.lineTo(22.5, 16.5);
        cab.lineTo(15, 16.5);
        cab.closeSubpath();
        p.drawPath(cab);
        p.setBrush(QColor(200, 230, 250));
        p.drawRect(QRectF(16.5, 10.5, 3, 2.5));
        p.setBrush(QColor(40, 40, 40));
        p.drawEllipse(QRectF(3.5, 15, 5, 5));
        p.drawEllipse(QRectF(15.5, 15, 5, 5));
        p.setBrush(QColor(180, 180, 180));
        p.drawEllipse(QRectF(5.2, 16.7, 1.6, 1.6));
        p.drawEllipse(QRectF(17.2, 16.7, 1.6, 1.6));
    });
    save(dir, QStringLiteral("status3"), [&](QPainter &p) { ball(p, orange); });
    save(dir, QStringLiteral("status4"), [&](QPainter &p) { ball(p, red); });
    save(dir, QStringLiteral("status5"), [&](QPainter &p) {
        // yellow clipboard with a clip and lines
        p.setPen(QPen(QColor(120, 90, 20), 1));
        p.setBrush(QColor(240, 200, 40));
        p.drawRoundedRect(QRectF(4.5, 3.5, 15, 19), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 6.5, 11, 14));
        p.setBrush(QColor(140, 140, 150));
        p.drawRoundedRect(QRectF(8.5, 1.5, 7, 4), 1, 1);
        p.setPen(QPen(QColor(90, 90, 90), 1));
        for (int y : {10, 13, 16}) p.drawLine(QPointF(8.5, y + 0.5), QPointF(15.5, y + 0.5));
    });
    save(dir, QStringLiteral("status6"), [&](QPainter &p) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(22);
        f.setBold(true);
        p.setFont(f);
        p.setPen(blue);
        p.drawText(QRect(0, 0, S, S), Qt::AlignCenter, QStringLiteral("?"));
    });
    save(dir, QStringLiteral("status7"), [&](QPainter &p) {
        QLinearGradient g(0, 8, 0, 16);
        g.setColorAt(0, green.lighter(150));
        g.setColorAt(1, green.darker(130));
        p.setPen(QPen(green.darker(180), 1));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(1.5, 8.5, 21, 7), 2, 2);
    });
    save(dir, QStringLiteral("status8"), [&](QPainter &p) {
        ball(p, orange);
        handset(p, QPointF(4, 9), Qt::black, Qt::black);
    });
    save(dir, QStringLiteral("status9"), [&](QPainter &p) {
        handset(p, QPointF(1, 6), QColor(20, 20, 20), Qt::black, 1.375);
    });

    // Picture list: 0 camera, 1 empty.
    save(dir, QStringLiteral("picture0"), [&](QPainter &p) {
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.setBrush(QColor(90, 90, 100));
        p.drawRoundedRect(QRectF(1.5, 7.5, 21, 13), 2, 2);
        p.drawRect(QRectF(7.5, 4.5, 8, 3));
        p.setBrush(QColor(200, 210, 230));
        p.drawEllipse(QRectF(7, 9, 10, 10));
        p.setBrush(QColor(40, 60, 100));
        p.drawEllipse(QRectF(9.5, 11.5, 5, 5));
        p.setBrush(QColor(250, 230, 120));
        p.drawRect(QRectF(3.5, 9.5, 2, 1.5));
    });
    save(dir, QStringLiteral("picture1"), [](QPainter &) {});

    // Flag list: 0 empty, 1 green check mark, 2 light green ball.
    save(dir, QStringLiteral("flag0"), [](QPainter &) {});
    save(dir, QStringLiteral("flag1"), [&](QPainter &p) {
        QPainterPath path;
        path.moveTo(3, 13);
        path.lineTo(9, 19);
        path.lineTo(21, 5);
        p.setPen(QPen(green.darker(130), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        p.setPen(QPen(green.lighter(130), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    });
    save(dir, QStringLiteral("flag2"), [&](QPainter &p) { ball(p, QColor(140, 230, 120)); });
    return 0;
}
