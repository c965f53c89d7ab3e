// Marquee: positions tick by tick, gaps, limited loops, pause and restart, scrolling against full
// repaints, links under a resting pointer, the collection, degenerate sizes and the real timer.
#include "marquee.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

using namespace b2b;

namespace {

// Owner-drawn items carry their picture in their text: "WxH colour".
void drawFromText(TRealTimeMarquee *, TMarqueeItem *item, QImage &bmp)
{
    const QStringList parts = item->Text().split(u' ');
    const QStringList wh = parts.value(0).split(u'x');
    bmp = QImage(wh.value(0).toInt(), wh.value(1).toInt(), QImage::Format_ARGB32_Premultiplied);
    bmp.fill(QColor::fromString(parts.value(1, QStringLiteral("black"))));
}

struct Rig {
    TRealTimeMarquee m;
    int wraps = 0;
    bool exposed = false;
    Rig(int w, int h, const QStringList &items, TMarqueeOrientation o = moHorizontal)
    {
        m.setManualClock(true);
        m.setColor(Qt::white);
        m.setOrientation(o);
        m.resize(w, h);
        m.OnDrawItem = drawFromText;
        m.OnWrap = [this](TRealTimeMarquee *) { ++wraps; };
        for (const QString &t : items) {
            TMarqueeItem *it = m.Items().Add();
            it->setStyle(msOwnerDraw);
            it->setText(t);
        }
        m.show();
        if (w > 0 && h > 0)
            exposed = QTest::qWaitForWindowExposed(&m);
    }
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            m.TimerFired();
    }
    void deliver() { QCoreApplication::processEvents(); }
};

// Items whose picture reaches into the visible length [0, len).
int onScreen(Rig &r, int itemLength)
{
    int n = 0;
    const bool vertical = r.m.Orientation() == moVertical;
    const int len = vertical ? r.m.height() : r.m.width();
    for (const auto &p : r.m.Placements()) {
        const int at = vertical ? p.pos.y() : p.pos.x();
        if (at < len && at + itemLength > 0)
            ++n;
    }
    return n;
}

QString placements(Rig &r)
{
    QStringList out;
    for (const auto &p : r.m.Placements())
        out << QStringLiteral("%1@%2,%3").arg(p.index).arg(p.pos.x()).arg(p.pos.y());
    return out.join(u' ');
}

} // namespace

class TestMarquee : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultsAndSetters();
    void oneItemLoopSpacing_data();
    void oneItemLoopSpacing();
    void onlyOneCopyVisible();
    void spacingGaps();
    void numLoopsStopsAfterTwoLoops();
    void pauseResumeAndClear();
    void resetStartsAfresh();
    void stepMovesContent();
    void scrollingMatchesFullRepaint_data();
    void scrollingMatchesFullRepaint();
    void degenerateSizes();
    void noItems();
    void linkUnderRestingPointer();
    void collection();
    void updateDefersNotifications();
    void showing();
    void deleteWhileVisible();
    void textItems();
    void htmlItemPicturesAndDefaultImage();
    void realTimer();
};

void TestMarquee::defaultsAndSetters()
{
    TRealTimeMarquee m;
    QCOMPARE(m.size(), QSize(200, 20));
    QCOMPARE(m.Active(), false);
    QCOMPARE(m.Interval(), 10u);
    QCOMPARE(int(m.Step()), 1);
    QCOMPARE(m.Spacing(), 100);
    QCOMPARE(m.LoopSpacing(), 100);
    QCOMPARE(m.NumLoops(), 0u);
    QCOMPARE(m.Orientation(), moHorizontal);
    QCOMPARE(m.Items().Count(), 0);
    QCOMPARE(m.VisibleCount(), 0u);
    QCOMPARE(m.LoopCount(), 0u);
    QVERIFY(!m.TimerPending());
    struct {
        quint32 in, out;
    } intervals[] = {{0, TRealTimeMarquee::MinPeriod}, {25, 25}, {5000000, TRealTimeMarquee::MaxPeriod}};
    for (auto c : intervals) {
        m.setInterval(c.in);
        QCOMPARE(m.Interval(), c.out);
    }
    m.setStep(0);
    QCOMPARE(int(m.Step()), 1);
    m.setStep(7);
    QCOMPARE(int(m.Step()), 7);
    m.setSpacing(150);
    QCOMPARE(m.Spacing(), 100);
    m.setLoopSpacing(-4);
    QCOMPARE(m.LoopSpacing(), 0);
}

void TestMarquee::oneItemLoopSpacing_data()
{
    // One item 100 px long in a 1000 px control, LoopSpacing 100 (gap 1000), Step 1.
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("newestOffset");
    QTest::addColumn<int>("loopsStarted");
    QTest::addColumn<int>("loopsEnded");
    QTest::addColumn<QString>("drawn");
    QTest::newRow("first tick") << 1 << 1 << 1 << 0 << "0@999,0";
    QTest::newRow("fully in") << 100 << 100 << 1 << 0 << "0@900,0";
    QTest::newRow("last pixel showing") << 1099 << 1099 << 1 << 0 << "0@-99,0";
    QTest::newRow("left, next copy at the edge") << 1100 << 0 << 2 << 1 << "0@1000,0";
    QTest::newRow("next copy entering") << 1101 << 1 << 2 << 1 << "0@999,0";
    QTest::newRow("second wrap") << 2200 << 0 << 3 << 2 << "0@1000,0";
}

void TestMarquee::oneItemLoopSpacing()
{
    QFETCH(int, ticks);
    QFETCH(int, newestOffset);
    QFETCH(int, loopsStarted);
    QFETCH(int, loopsEnded);
    QFETCH(QString, drawn);
    Rig r(1000, 20, {QStringLiteral("100x20 red")});
    r.m.setLoopSpacing(100);
    r.m.setActive(true);
    r.tick(ticks);
    const auto s = r.m.ScrollState();
    QCOMPARE(s.GapBetweenLoops, 1000);
    QCOMPARE(s.NewestOffset, newestOffset);
    QCOMPARE(int(s.LoopsStarted), loopsStarted);
    QCOMPARE(int(s.LoopsEnded), loopsEnded);
    QCOMPARE(int(s.VisibleCount), 1);
    QCOMPARE(placements(r), drawn);
    r.deliver();
    QCOMPARE(r.wraps, loopsEnded);
}

void TestMarquee::onlyOneCopyVisible()
{
    Rig r(1000, 20, {QStringLiteral("100x20 red")});
    r.m.setActive(true);
    for (int t = 1; t <= 3500; ++t) {
        r.tick();
        QVERIFY2(onScreen(r, 100) <= 1, qPrintable(QString::number(t)));
    }
}

void TestMarquee::spacingGaps()
{
    Rig r(1000, 20, {QStringLiteral("100x20 red"), QStringLiteral("100x20 blue")});
    r.m.setSpacing(5);
    r.m.setLoopSpacing(30);
    r.m.setActive(true);
    QCOMPARE(r.m.ScrollState().GapBetweenItems, 50);
    QCOMPARE(r.m.ScrollState().GapBetweenLoops, 300);
    r.tick(149);
    QCOMPARE(placements(r), QStringLiteral("0@851,0"));
    r.tick(2); // item 1 entered at tick 150 (100 px + 50 px gap)
    QCOMPARE(placements(r), QStringLiteral("1@999,0 0@849,0"));
    r.tick(400); // item 0 again 400 ticks later (100 px + 300 px loop gap)
    QCOMPARE(placements(r), QStringLiteral("0@999,0 1@599,0 0@449,0"));
    // A spacing change is applied to what is on screen.
    r.m.setSpacing(10);
    QCOMPARE(placements(r), QStringLiteral("0@999,0 1@599,0 0@399,0"));
}

void TestMarquee::numLoopsStopsAfterTwoLoops()
{
    Rig r(1000, 20, {QStringLiteral("100x20 red"), QStringLiteral("100x20 green"), QStringLiteral("100x20 blue")});
    r.m.setSpacing(10);
    r.m.setLoopSpacing(10);
    r.m.setNumLoops(2);
    r.m.setActive(true);
    QList<int> entered;
    QList<int> wrapTicks;
    int lastNewest = -1;
    quint32 lastStarted = 0;
    int t = 0;
    while (r.m.Active() && t < 100000) {
        r.tick();
        ++t;
        const auto s = r.m.ScrollState();
        if (s.NewestIndex != lastNewest || s.LoopsStarted != lastStarted) {
            if (r.m.Active())
                entered << s.NewestIndex;
            lastNewest = s.NewestIndex;
            lastStarted = s.LoopsStarted;
        }
        const int before = r.wraps;
        r.deliver();
        if (r.wraps != before)
            wrapTicks << t;
    }
    QCOMPARE(entered, QList<int>({0, 1, 2, 0, 1, 2}));
    QCOMPARE(wrapTicks, QList<int>({1500, 2100}));
    QCOMPARE(r.wraps, 2);
    QCOMPARE(r.m.Active(), false);
    QCOMPARE(r.m.LoopCount(), 0u);
    QCOMPARE(r.m.VisibleCount(), 0u);
    QVERIFY(!r.m.TimerPending());
    // The next activation starts afresh with the first item.
    r.m.setActive(true);
    r.tick();
    QCOMPARE(placements(r), QStringLiteral("0@999,0"));
    QCOMPARE(r.m.ScrollState().LoopsStarted, 1u);
}

void TestMarquee::pauseResumeAndClear()
{
    Rig r(500, 20, {QStringLiteral("50x20 red"), QStringLiteral("50x20 blue")});
    r.m.setSpacing(50);
    r.m.setActive(true);
    r.tick(300);
    const QString at300 = placements(r);
    r.m.setActive(false);
    QVERIFY(!r.m.TimerPending());
    r.tick(5); // a late tick after stopping does nothing
    QCOMPARE(placements(r), at300);
    r.m.setActive(true);
    QVERIFY(r.m.TimerPending());
    r.tick();
    QCOMPARE(r.m.ScrollState().NewestOffset, 301 - 50 - 250); // item 1 entered at 300
    QCOMPARE(placements(r), QStringLiteral("1@499,0 0@199,0"));

    // Clearing the items in between restarts with the first item.
    r.m.setActive(false);
    r.m.Items().Clear();
    QCOMPARE(r.m.VisibleCount(), 0u);
    TMarqueeItem *it = r.m.Items().Add();
    it->setStyle(msOwnerDraw);
    it->setText(QStringLiteral("30x20 green"));
    r.m.setActive(true);
    r.tick();
    QCOMPARE(placements(r), QStringLiteral("0@499,0"));
    QCOMPARE(r.m.ScrollState().NewestOffset, 1);
}

void TestMarquee::resetStartsAfresh()
{
    Rig r(300, 20, {QStringLiteral("50x20 red")});
    r.m.setActive(true);
    r.tick(500);
    QVERIFY(r.m.LoopCount() > 0);
    r.m.Reset();
    QCOMPARE(r.m.LoopCount(), 0u);
    QCOMPARE(r.m.VisibleCount(), 0u);
    r.tick();
    QCOMPARE(placements(r), QStringLiteral("0@299,0"));
}

void TestMarquee::stepMovesContent()
{
    Rig r(1000, 20, {QStringLiteral("100x20 red")});
    r.m.setStep(3);
    r.m.setActive(true);
    r.tick(50);
    QCOMPARE(r.m.ScrollState().NewestOffset, 150);
    const QImage img = r.m.Snapshot();
    QCOMPARE(img.pixel(849, 10), qRgb(255, 255, 255));
    QCOMPARE(img.pixel(850, 10), qRgb(255, 0, 0));
    QCOMPARE(img.pixel(949, 10), qRgb(255, 0, 0));
    QCOMPARE(img.pixel(950, 10), qRgb(255, 255, 255));
}

void TestMarquee::scrollingMatchesFullRepaint_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("rtl");
    QTest::addColumn<int>("step");
    QTest::newRow("left, step 3") << int(moHorizontal) << false << 3;
    QTest::newRow("right to left, step 2") << int(moHorizontal) << true << 2;
    QTest::newRow("up, step 1") << int(moVertical) << false << 1;
    QTest::newRow("step wider than the control") << int(moHorizontal) << false << 255;
}

void TestMarquee::scrollingMatchesFullRepaint()
{
    QFETCH(int, orientation);
    QFETCH(bool, rtl);
    QFETCH(int, step);
    const bool vertical = orientation == moVertical;
    Rig r(vertical ? 40 : 240, vertical ? 200 : 24,
          vertical ? QStringList{"30x40 red", "20x25 green", "40x10 blue"}
                   : QStringList{"40x20 red", "25x12 green", "60x24 blue"},
          TMarqueeOrientation(orientation));
    if (rtl)
        r.m.setLayoutDirection(Qt::RightToLeft);
    r.m.setSpacing(10);
    r.m.setLoopSpacing(20);
    r.m.Items()[1]->setAlignment(maLeftOrTop);
    r.m.Items()[2]->setAlignment(maRightOrBottom);
    r.m.setStep(quint8(step));
    r.m.setActive(true);
    r.m.repaint();
    for (int t = 1; t <= 600; ++t) {
        r.tick();
        if (t % 37 == 0) {
            QCOMPARE(r.m.Snapshot(), r.m.RenderFull());
        }
    }
    // The widget shows the same picture.
    QImage shown = r.m.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(shown, r.m.Snapshot());
}

void TestMarquee::degenerateSizes()
{
    // Zero high in vertical orientation, and zero wide horizontally: no failure, nothing drawn.
    for (QSize size : {QSize(200, 0), QSize(0, 20), QSize(0, 0)}) {
        for (auto o : {moVertical, moHorizontal}) {
            Rig r(size.width(), size.height(), {}, o);
            TMarqueeItem *t = r.m.Items().Add();
            t->setText(QStringLiteral("Kampanya başladı"));
            TMarqueeItem *h = r.m.Items().Add();
            h->setStyle(msHTML);
            h->setText(QStringLiteral("<B>x</B><A HREF=u>y</A>"));
            TMarqueeItem *e = r.m.Items().Add();
            e->setStyle(msOwnerDraw);
            e->setText(QStringLiteral("0x0 red"));
            r.m.setActive(true);
            r.tick(300);
            r.m.repaint();
            QString link;
            QVERIFY(!r.m.LinkAtPos(QPoint(0, 0), link));
            const auto s = r.m.ScrollState();
            QVERIFY(s.NewestIndex >= 0 && s.NewestIndex < 3);
            QVERIFY(s.OldestIndex >= 0 && s.OldestIndex < 3);
        }
    }
    // Items with no length and no gaps still move through one at a time.
    Rig z(100, 20, {QStringLiteral("0x0 red"), QStringLiteral("0x0 blue")});
    z.m.setSpacing(0);
    z.m.setLoopSpacing(0);
    z.m.setActive(true);
    z.tick(1000);
    QVERIFY(z.m.VisibleCount() <= 102u);
}

void TestMarquee::noItems()
{
    Rig r(300, 20, {});
    QVERIFY(r.exposed);
    r.m.setActive(true);
    QVERIFY(!r.m.TimerPending());
    r.tick(3);
    QCOMPARE(r.m.VisibleCount(), 0u);
    r.m.repaint();
    const QImage img = r.m.Snapshot();
    QCOMPARE(img.pixel(150, 10), qRgb(255, 255, 255));
    // Adding an item starts the timer, removing the last one stops it.
    TMarqueeItem *it = r.m.Items().Add();
    it->setStyle(msOwnerDraw);
    it->setText(QStringLiteral("10x10 red"));
    QVERIFY(r.m.TimerPending());
    r.m.Items().Delete(0);
    QVERIFY(!r.m.TimerPending());
}

void TestMarquee::linkUnderRestingPointer()
{
    Rig r(400, 30, {});
    r.m.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    TMarqueeItem *it = r.m.Items().Add();
    it->setStyle(msHTML);
    it->setText(QStringLiteral("xx <A HREF=\"http://telvar.example/x\">LINKLINK</A> xx"));
    r.m.setStep(4);
    QString clicked;
    r.m.OnLink = [&](TRealTimeMarquee *, const QString &l) { clicked = l; };
    int entered = 0;
    r.m.OnMouseEnter = [&](TRealTimeMarquee *) { ++entered; };
    r.m.setActive(true);
    QEnterEvent enter(QPointF(200, 15), QPointF(200, 15), r.m.mapToGlobal(QPointF(200, 15)));
    QApplication::sendEvent(&r.m, &enter);
    QCOMPARE(entered, 1);
    QList<Qt::CursorShape> shapes{r.m.cursor().shape()};
    for (int t = 0; t < 400 && shapes.size() < 3; ++t) {
        r.tick();
        r.deliver();
        const Qt::CursorShape s = r.m.cursor().shape();
        if (s != shapes.last())
            shapes << s;
        if (s == Qt::PointingHandCursor) {
            QCOMPARE(r.m.ActiveLink(), QStringLiteral("http://telvar.example/x"));
            if (clicked.isEmpty()) {
                QTest::mouseClick(&r.m, Qt::LeftButton, {}, QPoint(200, 15));
                QCOMPARE(clicked, QStringLiteral("http://telvar.example/x"));
            }
        }
    }
    QCOMPARE(shapes, QList<Qt::CursorShape>({Qt::ArrowCursor, Qt::PointingHandCursor, Qt::ArrowCursor}));
    QCOMPARE(r.m.ActiveLink(), QString());
    // A click with no link under the pointer opens nothing.
    clicked.clear();
    QTest::mouseClick(&r.m, Qt::LeftButton, {}, QPoint(200, 15));
    QCOMPARE(clicked, QString());
}

void TestMarquee::collection()
{
    TRealTimeMarquee m;
    m.setManualClock(true);
    const QStringList lines{QStringLiteral("a"), QStringLiteral("<B>b</B>"), QString()};
    m.Items().LoadFromStrings(lines, msHTML);
    QCOMPARE(m.Items().Count(), 3);
    QCOMPARE(m.Items()[1]->Style(), msHTML);
    QStringList back{QStringLiteral("old")};
    m.Items().SaveToStrings(back);
    QCOMPARE(back, lines);
    m.Items()[0]->setTag(7);
    m.Items()[0]->setAlignment(maRightOrBottom);
    TRealTimeMarquee other;
    other.setItems(m.Items());
    QCOMPARE(other.Items().Count(), 3);
    QCOMPARE(other.Items()[0]->Text(), QStringLiteral("a"));
    QCOMPARE(other.Items()[0]->Style(), msHTML);
    QCOMPARE(other.Items()[0]->Tag(), 0);          // not copied
    QCOMPARE(other.Items()[0]->Alignment(), maCenter); // not copied
    QCOMPARE(other.Items()[2]->Marquee(), &other);
    TMarqueeItem *ins = m.Items().Insert(1);
    QCOMPARE(ins->Index(), 1);
    QCOMPARE(m.Items()[2]->Text(), QStringLiteral("<B>b</B>"));
    m.Items().Delete(0);
    QCOMPARE(m.Items()[0], ins);
    m.Items().Delete(99);
    QCOMPARE(m.Items().Count(), 3);
    // Loading again replaces the items.
    m.Items().LoadFromStrings({QStringLiteral("z")}, msText);
    QCOMPARE(m.Items().Count(), 1);
    QCOMPARE(m.Items()[0]->Style(), msText);
}

void TestMarquee::updateDefersNotifications()
{
    Rig r(200, 20, {});
    r.m.setActive(true);
    r.m.Items().BeginUpdate();
    TMarqueeItem *it = r.m.Items().Add();
    it->setStyle(msOwnerDraw);
    it->setText(QStringLiteral("10x10 red"));
    QVERIFY(!r.m.TimerPending());
    // The timer thread's tick would wait for the lock here; the whole update is one change.
    r.m.Items().EndUpdate();
    QVERIFY(r.m.TimerPending());
}

void TestMarquee::showing()
{
    // Items enter every 200 ticks (100 px + 100 px gap) and leave 350 ticks after entering.
    Rig r(250, 20, {QStringLiteral("100x20 red"), QStringLiteral("100x20 green"), QStringLiteral("100x20 blue")});
    r.m.setSpacing(40);
    r.m.setLoopSpacing(40);
    QVERIFY(!r.m.Items()[0]->Showing());
    r.m.setActive(true);
    struct {
        int ticks;
        const char *showing; // per item
    } cases[] = {{1, "100"}, {250, "110"}, {380, "010"}, {450, "011"}, {650, "101"}};
    int done = 0;
    for (auto c : cases) {
        r.tick(c.ticks - done);
        done = c.ticks;
        QString got;
        for (int i = 0; i < 3; ++i)
            got += r.m.Items()[i]->Showing() ? u'1' : u'0';
        QCOMPARE(got, QString::fromLatin1(c.showing));
    }
}

void TestMarquee::deleteWhileVisible()
{
    Rig r(600, 20, {QStringLiteral("100x20 red"), QStringLiteral("100x20 green"), QStringLiteral("100x20 blue")});
    r.m.setSpacing(10);
    r.m.setActive(true);
    r.tick(500);
    QCOMPARE(r.m.VisibleCount(), 3u);
    r.m.Items().Delete(2);
    r.m.Items().Delete(0);
    for (int t = 0; t < 2000; ++t) {
        r.tick();
        const auto s = r.m.ScrollState();
        QVERIFY(s.NewestIndex == 0 && s.OldestIndex == 0);
    }
    r.m.repaint();
    // Changing a showing item re-renders it.
    r.m.Items()[0]->setText(QStringLiteral("100x20 black"));
    r.m.repaint();
    QCOMPARE(r.m.Items()[0]->Width(), 100);
    QCOMPARE(r.m.Items()[0]->Bitmap().pixel(50, 10), qRgb(0, 0, 0));
}

void TestMarquee::textItems()
{
    // Horizontal: one line; vertical: wrapped to the width.
    const QString text = QStringLiteral("Yeni kampanyalı ürünler geldi & stoklarda");
    Rig h(300, 30, {});
    h.m.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    TMarqueeItem *a = h.m.Items().Add();
    a->setText(text);
    const int oneLine = a->Height();
    QVERIFY(a->Width() > 200);
    Rig v(120, 200, {}, moVertical);
    v.m.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    TMarqueeItem *b = v.m.Items().Add();
    b->setText(text);
    QVERIFY(b->Height() >= 3 * oneLine);
    QVERIFY(b->Width() <= 120);
    // A new font renders the items again.
    v.m.setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
    QVERIFY(!b->Prepared());
    QVERIFY(b->Height() > 3 * oneLine);
    // A narrower control wraps again.
    v.m.resize(80, 200);
    QVERIFY(!b->Prepared());
}

void TestMarquee::htmlItemPicturesAndDefaultImage()
{
    Rig r(300, 30, {});
    QStringList asked;
    r.m.OnImage = [&](TRealTimeMarquee *, const QString &uri, QImage &img) {
        asked << uri;
        img = QImage(16, 16, QImage::Format_RGB32);
        img.fill(Qt::red);
    };
    TMarqueeItem *it = r.m.Items().Add();
    it->setStyle(msHTML);
    it->setText(QStringLiteral("<IMG SRC=logo HSPACE=2 />"));
    QCOMPARE(it->Height(), 16);
    QCOMPARE(asked, QStringList{QStringLiteral("logo")});
    QCOMPARE(it->Bitmap().pixel(it->Width() / 2, 8), qRgb(255, 0, 0));
    // Without a handler a missing file is ignored: the item is laid out without it.
    r.m.OnImage = nullptr;
    it->setText(QStringLiteral("<IMG SRC=/no/such/file.png WIDTH=5 HEIGHT=4 />"));
    QCOMPARE(it->Height(), 4);
}

void TestMarquee::realTimer()
{
    auto *m = new TRealTimeMarquee;
    m->setColor(Qt::white);
    m->resize(100, 20);
    m->setInterval(1);
    m->setStep(10);
    m->setLoopSpacing(0);
    m->OnDrawItem = drawFromText;
    int wraps = 0;
    bool onUiThread = true;
    m->OnWrap = [&](TRealTimeMarquee *) {
        ++wraps;
        onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
    };
    TMarqueeItem *it = m->Items().Add();
    it->setStyle(msOwnerDraw);
    it->setText(QStringLiteral("10x10 red"));
    m->show();
    m->setActive(true);
    QTRY_VERIFY_WITH_TIMEOUT(wraps >= 3, 20000);
    QVERIFY(onUiThread);
    // Stopped: the position stays.
    m->setActive(false);
    QTest::qWait(50);
    const auto s = m->ScrollState();
    QTest::qWait(50);
    QCOMPARE(m->ScrollState().NewestOffset, s.NewestOffset);
    // Destroyed while running.
    m->setActive(true);
    QTest::qWait(20);
    delete m;
}

QTEST_MAIN(TestMarquee)
#include "test_marquee.moc"
