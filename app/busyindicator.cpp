#include "busyindicator.h"

#include <QPainter>
#include <QTimer>
#include <QtMath>

namespace b2b {

namespace {
constexpr int kDots = 10;
}

BusyIndicator::BusyIndicator(QWidget *parent, QColor color) : QWidget(parent), timer_(new QTimer(this)), color_(color) {
    timer_->setInterval(90);
    connect(timer_, &QTimer::timeout, this, [this] {
        step_ = (step_ + 1) % kDots;
        update();
    });
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BusyIndicator::start() { timer_->start(); }
void BusyIndicator::stop() { timer_->stop(); }
bool BusyIndicator::isRunning() const { return timer_->isActive(); }

void BusyIndicator::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height());
    const qreal dot = qMax<qreal>(2.0, side / 7.0);
    const qreal radius = side / 2.0 - dot;
    const QPointF c(width() / 2.0, height() / 2.0);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < kDots; ++i) {
        // The dot at the current step is solid; the trail fades behind it.
        const int age = (step_ - i + kDots) % kDots;
        QColor col = color_;
        col.setAlphaF(qMax(0.15, 1.0 - age / qreal(kDots)));
        p.setBrush(col);
        const qreal a = 2 * M_PI * i / kDots - M_PI / 2;
        p.drawEllipse(QPointF(c.x() + radius * qCos(a), c.y() + radius * qSin(a)), dot / 2, dot / 2);
    }
}

} // namespace b2b
