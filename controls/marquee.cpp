#include "marquee.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <cstring>

namespace b2b {

namespace {

// Item pictures are bounded: a server text of any length must not ask for an unbounded picture.
constexpr int kMaxPictureLength = 1 << 18;
constexpr qint64 kMaxPictureArea = qint64(1) << 24;

QSize boundedPictureSize(int w, int h, bool vertical)
{
    w = std::clamp(w, 0, kMaxPictureLength);
    h = std::clamp(h, 0, kMaxPictureLength);
    if (qint64(w) * h > kMaxPictureArea) {
        if (vertical)
            h = int(kMaxPictureArea / std::max(w, 1));
        else
            w = int(kMaxPictureArea / std::max(h, 1));
    }
    return {w, h};
}

// A scratch surface to measure on, compatible with the pictures the items are drawn into.
struct TCompatibleCanvas {
    QImage image{1, 1, QImage::Format_ARGB32_Premultiplied};
    QPainter painter{&image};
    TCanvas canvas{&painter};
    explicit TCompatibleCanvas(const QFont &font) { painter.setFont(font); }
};

int averageCharWidth(const QFont &font)
{
    QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
    return QFontMetrics(font, &probe).averageCharWidth();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TMarqueeItem

TMarqueeItem::TMarqueeItem(TMarqueeCollection *collection) : fCollection(collection) {}

TMarqueeItem::~TMarqueeItem() = default;

TRealTimeMarquee *TMarqueeItem::Marquee() const
{
    return fCollection ? fCollection->Marquee() : nullptr;
}

int TMarqueeItem::Index() const
{
    if (!fCollection)
        return -1;
    const auto &v = fCollection->fItems;
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i].get() == this)
            return int(i);
    return -1;
}

bool TMarqueeItem::Showing() const
{
    const TRealTimeMarquee *m = Marquee();
    if (!m)
        return false;
    std::lock_guard lock(m->CS);
    if (m->fVisibleCount == 0)
        return false;
    const int count = fCollection->Count();
    if (m->fVisibleCount > quint32(count))
        return true;
    const int i = Index();
    if (m->NewestIndex < m->OldestIndex)
        return i >= m->OldestIndex || i <= m->NewestIndex;
    return m->OldestIndex <= i && i <= m->NewestIndex;
}

void TMarqueeItem::Assign(const TMarqueeItem &other)
{
    setText(other.fText);
    setStyle(other.fStyle);
}

void TMarqueeItem::Changed()
{
    if (fCollection)
        fCollection->Changed(this);
}

void TMarqueeItem::setText(const QString &value)
{
    TRealTimeMarquee *m = Marquee();
    std::unique_lock<std::recursive_mutex> lock;
    if (m)
        lock = std::unique_lock(m->CS);
    if (value == fText)
        return;
    fText = value;
    if (fPrepared)
        Unprepare();
    Changed();
}

void TMarqueeItem::setStyle(TMarqueeStyle value)
{
    TRealTimeMarquee *m = Marquee();
    std::unique_lock<std::recursive_mutex> lock;
    if (m)
        lock = std::unique_lock(m->CS);
    if (value == fStyle)
        return;
    fStyle = value;
    if (fPrepared)
        Unprepare();
    Changed();
}

void TMarqueeItem::setAlignment(TMarqueeAlignment value)
{
    TRealTimeMarquee *m = Marquee();
    std::unique_lock<std::recursive_mutex> lock;
    if (m)
        lock = std::unique_lock(m->CS);
    if (value == fAlignment)
        return;
    fAlignment = value;
    if (m && m->fOrientation == moVertical)
        Unprepare();
    Changed();
}

int TMarqueeItem::Width()
{
    if (!fPrepared)
        Prepare();
    return fSize.width();
}

int TMarqueeItem::Height()
{
    if (!fPrepared)
        Prepare();
    return fSize.height();
}

int TMarqueeItem::Length()
{
    const TRealTimeMarquee *m = Marquee();
    return (m && m->fOrientation == moVertical) ? Height() : Width();
}

void TMarqueeItem::DrawAt(QPainter &dc, int x, int y)
{
    if (!fPrepared)
        Prepare();
    if (fBitmap.isNull())
        return;
    const QRect target(x, y, fBitmap.width(), fBitmap.height());
    if (dc.hasClipping() && !dc.clipBoundingRect().toAlignedRect().intersects(target))
        return;
    dc.drawImage(x, y, fBitmap);
}

bool TMarqueeItem::LinkAt(int x, int y, QString &link)
{
    if (!fPrepared || fStyle != msHTML || !fLinks || fLinks->Count() == 0)
        return false;
    const int i = fLinks->IndexOfLinkAt(x, y);
    if (i < 0)
        return false;
    link = fLinks->Links(i);
    return true;
}

void TMarqueeItem::Unprepare()
{
    TRealTimeMarquee *m = Marquee();
    std::unique_lock<std::recursive_mutex> lock;
    if (m)
        lock = std::unique_lock(m->CS);
    if (!fPrepared)
        return;
    fPrepared = false;
    if (fLinks)
        fLinks->Clear();
    fBitmap = QImage();
    fSize = QSize(0, 0);
}

void TMarqueeItem::Prepare()
{
    TRealTimeMarquee *m = Marquee();
    std::unique_lock<std::recursive_mutex> lock;
    if (m)
        lock = std::unique_lock(m->CS);
    if (fLinks)
        fLinks->Clear();
    switch (fStyle) {
    case msText:
        PrepareText();
        break;
    case msHTML:
        PrepareHTML();
        break;
    case msOwnerDraw:
        PrepareOwnerDraw();
        break;
    }
    fSize = fBitmap.isNull() ? QSize(0, 0) : fBitmap.size();
    fPrepared = true;
}

void TMarqueeItem::PrepareText()
{
    TRealTimeMarquee *m = Marquee();
    if (!m)
        return;
    const bool vertical = m->fOrientation == moVertical;
    const int avg = averageCharWidth(m->fFont);
    int flags = Qt::TextExpandTabs | Qt::TextDontClip;
    if (vertical) {
        flags |= Qt::TextWordWrap;
        TMarqueeAlignment a = fAlignment;
        if (m->fRtl && a != maCenter) // mirrored alignment
            a = a == maLeftOrTop ? maRightOrBottom : maLeftOrTop;
        flags |= a == maLeftOrTop ? Qt::AlignLeft : a == maRightOrBottom ? Qt::AlignRight : Qt::AlignHCenter;
    } else {
        flags |= Qt::TextSingleLine | Qt::AlignHCenter;
    }
    flags |= Qt::AlignAbsolute;
    TCompatibleCanvas measure(m->fFont);
    measure.painter.setLayoutDirection(m->fRtl ? Qt::RightToLeft : Qt::LeftToRight);
    const int avail = vertical ? std::max(1, m->fClientW - avg) : 0;
    QRect br = measure.painter.boundingRect(QRect(0, 0, avail, 0), flags, fText);
    const QSize size = boundedPictureSize(br.width() + avg, br.height(), vertical);
    fBitmap = QImage();
    if (size.isEmpty())
        return;
    fBitmap = QImage(size, QImage::Format_ARGB32_Premultiplied);
    fBitmap.fill(m->fColorBg);
    QPainter p(&fBitmap);
    p.setFont(m->fFont);
    p.setPen(m->fColorText);
    p.setLayoutDirection(m->fRtl ? Qt::RightToLeft : Qt::LeftToRight);
    p.drawText(QRect(avg / 2, 0, size.width() - 2 * (avg / 2), size.height()), flags, fText);
}

void TMarqueeItem::PrepareHTML()
{
    TRealTimeMarquee *m = Marquee();
    if (!m)
        return;
    const bool vertical = m->fOrientation == moVertical;
    TSimpleHTML doc(fText);
    doc.OnGetImage = [m](TSimpleHTML *, const QString &uri, QImage &image) { m->DoImage(uri, image); };
    // Drawing runs under the control's lock: the pause of a DUR element must not run other events.
    doc.ProcessEventsWhilePausing = false;
    const int avg = averageCharWidth(m->fFont);
    QSize ext;
    {
        TCompatibleCanvas measure(m->fFont);
        measure.canvas.TextFlags = m->fRtl ? unsigned(tfRtlReading) : 0u;
        ext = doc.Extend(measure.canvas);
    }
    const QSize size = boundedPictureSize(ext.width() + avg, ext.height(), vertical);
    fBitmap = QImage();
    if (!fLinks)
        fLinks = std::make_unique<TSimpleLinks>();
    if (size.isEmpty())
        return;
    fBitmap = QImage(size, QImage::Format_ARGB32_Premultiplied);
    fBitmap.fill(m->fColorBg);
    QPainter p(&fBitmap);
    p.setFont(m->fFont);
    p.setPen(m->fColorText);
    p.setBrush(Qt::NoBrush);
    TCanvas canvas(&p);
    canvas.TextFlags = m->fRtl ? unsigned(tfRtlReading) : 0u;
    const QRect r(avg / 2, 0, size.width() - 2 * (avg / 2), size.height());
    doc.Draw(canvas, r);
    doc.CollectLinks(canvas, r, *fLinks);
}

void TMarqueeItem::PrepareOwnerDraw()
{
    TRealTimeMarquee *m = Marquee();
    fBitmap = QImage();
    if (m)
        m->DoDrawItem(this, fBitmap);
}

// ---------------------------------------------------------------------------------------------
// TMarqueeCollection

TMarqueeCollection::TMarqueeCollection(TRealTimeMarquee *owner) : fOwner(owner) {}

TMarqueeCollection::~TMarqueeCollection() = default;

void TMarqueeCollection::Changed(TMarqueeItem *item)
{
    if (fUpdateCount == 0 && fOwner)
        fOwner->ItemChanged(item);
}

TMarqueeItem *TMarqueeCollection::Add()
{
    return Insert(Count());
}

TMarqueeItem *TMarqueeCollection::Insert(int index)
{
    std::lock_guard lock(fOwner->CS);
    index = std::clamp(index, 0, Count());
    auto it = fItems.insert(fItems.begin() + index, std::make_unique<TMarqueeItem>(this));
    TMarqueeItem *item = it->get();
    Changed(nullptr);
    return item;
}

void TMarqueeCollection::Delete(int index)
{
    std::lock_guard lock(fOwner->CS);
    if (index < 0 || index >= Count())
        return;
    fItems.erase(fItems.begin() + index);
    Changed(nullptr);
}

void TMarqueeCollection::Clear()
{
    BeginUpdate();
    fItems.clear();
    EndUpdate();
}

void TMarqueeCollection::BeginUpdate()
{
    fOwner->CS.lock();
    ++fUpdateCount;
}

void TMarqueeCollection::EndUpdate()
{
    --fUpdateCount;
    Changed(nullptr);
    fOwner->CS.unlock();
}

void TMarqueeCollection::LoadFromStrings(const QStringList &strings, TMarqueeTextStyle textStyle)
{
    BeginUpdate();
    struct End {
        TMarqueeCollection *c;
        ~End() { c->EndUpdate(); }
    } end{this};
    fItems.clear();
    for (const QString &s : strings) {
        TMarqueeItem *item = Add();
        item->setText(s);
        item->setStyle(textStyle == msOwnerDraw ? msText : textStyle);
    }
}

void TMarqueeCollection::SaveToStrings(QStringList &strings) const
{
    std::lock_guard lock(fOwner->CS);
    strings.clear();
    for (const auto &item : fItems)
        strings << item->Text();
}

void TMarqueeCollection::Assign(const TMarqueeCollection &other)
{
    if (&other == this)
        return;
    QList<QPair<QString, TMarqueeStyle>> copy;
    {
        std::lock_guard lock(other.fOwner->CS);
        for (const auto &item : other.fItems)
            copy.append({item->Text(), item->Style()});
    }
    BeginUpdate();
    fItems.clear();
    for (const auto &c : copy) {
        TMarqueeItem *item = Add();
        item->setText(c.first);
        item->setStyle(c.second);
    }
    EndUpdate();
}

void TMarqueeCollection::UnprepareAll()
{
    std::lock_guard lock(fOwner->CS);
    for (const auto &item : fItems)
        item->Unprepare();
}

// ---------------------------------------------------------------------------------------------
// TRealTimeMarquee

TRealTimeMarquee::TRealTimeMarquee(QWidget *parent) : QWidget(parent)
{
    fItems = std::make_unique<TMarqueeCollection>(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(200, 20);
    setInterval(10);
    SnapshotWidgetState();
}

TRealTimeMarquee::~TRealTimeMarquee()
{
    {
        std::lock_guard lock(CS);
        StopTimer();
        fHandle = false;
    }
    {
        std::lock_guard lk(fTimerMx);
        fTimerQuit = true;
    }
    fTimerCv.notify_all();
    if (fTimerThread.joinable())
        fTimerThread.join();
    std::lock_guard lock(CS);
    fItems.reset();
}

void TRealTimeMarquee::SnapshotWidgetState()
{
    std::lock_guard lock(CS);
    fFont = font();
    fColorBg = palette().color(backgroundRole());
    fColorText = palette().color(foregroundRole());
    fRtl = layoutDirection() == Qt::RightToLeft;
    fEnabled = isEnabled();
    fClientW = width();
    fClientH = height();
}

bool TRealTimeMarquee::Active() const
{
    std::lock_guard lock(CS);
    return fActive;
}

void TRealTimeMarquee::setActive(bool value)
{
    {
        std::lock_guard lock(CS);
        if (value == fActive)
            return;
        fActive = value;
    }
    UpdateTimer();
}

quint32 TRealTimeMarquee::Interval() const
{
    std::lock_guard lock(CS);
    return fInterval;
}

void TRealTimeMarquee::setInterval(quint32 value)
{
    std::lock_guard lock(CS);
    value = std::clamp(value, MinPeriod, MaxPeriod);
    if (value == fInterval && Resolution == fInterval / 10)
        return;
    fInterval = value;
    // The resolution is a request to the system timer; the sleeping timer thread has no such knob.
    Resolution = fInterval / 10;
}

quint8 TRealTimeMarquee::Step() const
{
    std::lock_guard lock(CS);
    return fStep;
}

void TRealTimeMarquee::setStep(quint8 value)
{
    if (value == 0)
        value = 1;
    std::lock_guard lock(CS);
    fStep = value;
}

int TRealTimeMarquee::Spacing() const
{
    std::lock_guard lock(CS);
    return fSpacing;
}

void TRealTimeMarquee::setSpacing(int percent)
{
    std::lock_guard lock(CS);
    fSpacing = std::clamp(percent, 0, 100);
    if (fHandle) {
        RecalcGaps();
        if (fVisibleCount != 0) {
            RecalcVisible();
            Invalidate();
        }
    }
}

int TRealTimeMarquee::LoopSpacing() const
{
    std::lock_guard lock(CS);
    return fLoopSpacing;
}

void TRealTimeMarquee::setLoopSpacing(int percent)
{
    std::lock_guard lock(CS);
    fLoopSpacing = std::clamp(percent, 0, 100);
    if (fHandle) {
        RecalcGaps();
        if (fVisibleCount != 0) {
            RecalcVisible();
            Invalidate();
        }
    }
}

quint32 TRealTimeMarquee::NumLoops() const
{
    std::lock_guard lock(CS);
    return fNumLoops;
}

void TRealTimeMarquee::setNumLoops(quint32 value)
{
    std::lock_guard lock(CS);
    fNumLoops = value;
}

TMarqueeOrientation TRealTimeMarquee::Orientation() const
{
    std::lock_guard lock(CS);
    return fOrientation;
}

void TRealTimeMarquee::setOrientation(TMarqueeOrientation value)
{
    std::lock_guard lock(CS);
    if (value == fOrientation)
        return;
    fOrientation = value;
    // Text pictures are laid out differently (wrapped) across the two orientations.
    fItems->UnprepareAll();
    if (fHandle)
        RecalcGaps();
    Reset();
}

void TRealTimeMarquee::setItems(const TMarqueeCollection &value)
{
    fItems->Assign(value);
}

quint32 TRealTimeMarquee::VisibleCount() const
{
    std::lock_guard lock(CS);
    return fVisibleCount;
}

quint32 TRealTimeMarquee::LoopCount() const
{
    std::lock_guard lock(CS);
    return LoopsEnded;
}

QColor TRealTimeMarquee::Color() const
{
    return palette().color(backgroundRole());
}

void TRealTimeMarquee::setColor(const QColor &c)
{
    QPalette pal = palette();
    pal.setColor(backgroundRole(), c);
    setPalette(pal);
}

QString TRealTimeMarquee::ActiveLink() const
{
    std::lock_guard lock(CS);
    return fActiveLink;
}

TRealTimeMarquee::State TRealTimeMarquee::ScrollState() const
{
    std::lock_guard lock(CS);
    return {NewestIndex, OldestIndex, NewestOffset, OldestOffset, fVisibleCount, LoopsStarted, LoopsEnded,
            GapBetweenItems, GapBetweenLoops};
}

QImage TRealTimeMarquee::Snapshot() const
{
    std::lock_guard lock(CS);
    return fBacking.copy();
}

QImage TRealTimeMarquee::RenderFull()
{
    std::lock_guard lock(CS);
    if (fClientW <= 0 || fClientH <= 0)
        return {};
    QImage img(fClientW, fClientH, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    DrawItems(p, QRect(0, 0, fClientW, fClientH));
    return img;
}

void TRealTimeMarquee::Reset()
{
    {
        std::lock_guard lock(CS);
        fVisibleCount = 0;
        LoopsStarted = LoopsEnded = 0;
    }
    Invalidate();
}

void TRealTimeMarquee::Invalidate()
{
    bool cursor;
    {
        std::lock_guard lock(CS);
        if (!fHandle)
            return;
        fRepaintPending = true;
        cursor = MouseIsInside && fEnabled;
    }
    PostUpdate();
    if (cursor)
        PostCursorUpdate();
}

void TRealTimeMarquee::PostUpdate()
{
    if (QThread::currentThread() == thread()) {
        update();
        return;
    }
    if (!fUpdatePosted.exchange(true))
        QMetaObject::invokeMethod(
            this,
            [this] {
                fUpdatePosted = false;
                update();
            },
            Qt::QueuedConnection);
}

void TRealTimeMarquee::PostCursorUpdate()
{
    if (!fCursorPosted.exchange(true))
        QMetaObject::invokeMethod(
            this,
            [this] {
                fCursorPosted = false;
                UpdateCursor();
            },
            Qt::QueuedConnection);
}

int TRealTimeMarquee::VisibleLength() const
{
    return fOrientation == moVertical ? fClientH : fClientW;
}

void TRealTimeMarquee::RecalcGaps()
{
    const int l = VisibleLength();
    GapBetweenItems = int(std::lround(fSpacing * double(l) / 100.0));
    GapBetweenLoops = int(std::lround(fLoopSpacing * double(l) / 100.0));
}

int TRealTimeMarquee::GapBefore(int index) const
{
    return index == 0 ? GapBetweenLoops : GapBetweenItems;
}

int TRealTimeMarquee::CrossPos(TMarqueeItem *item) const
{
    const bool vertical = fOrientation == moVertical;
    const int space = vertical ? fClientW : fClientH;
    const int size = vertical ? item->Width() : item->Height();
    switch (item->Alignment()) {
    case maLeftOrTop:
        return 0;
    case maRightOrBottom:
        return space - size;
    case maCenter:
    default:
        return (space - size) / 2;
    }
}

// --- timer -----------------------------------------------------------------------------------

void TRealTimeMarquee::UpdateTimer()
{
    std::lock_guard lock(CS);
    if (fActive && fHandle && fItems && fItems->Count() > 0)
        StartTimer();
    else
        StopTimer();
}

void TRealTimeMarquee::StartTimer()
{
    std::lock_guard lock(CS);
    if (TimerID != 0 || !fHandle)
        return;
    if (++fTimerSeq == 0)
        ++fTimerSeq;
    TimerID = fTimerSeq;
    if (fManualClock)
        return;
    {
        std::lock_guard lk(fTimerMx);
        fArmedId = TimerID;
        fDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(fInterval);
    }
    if (!fTimerThread.joinable())
        fTimerThread = std::thread([this] { TimerLoop(); });
    fTimerCv.notify_all();
}

void TRealTimeMarquee::StopTimer()
{
    std::lock_guard lock(CS);
    if (TimerID == 0)
        return;
    TimerID = 0;
    {
        std::lock_guard lk(fTimerMx);
        fArmedId = 0;
    }
    fTimerCv.notify_all();
}

void TRealTimeMarquee::TimerLoop()
{
    std::unique_lock lk(fTimerMx);
    while (!fTimerQuit) {
        if (fArmedId == 0) {
            fTimerCv.wait(lk);
            continue;
        }
        if (std::chrono::steady_clock::now() < fDeadline) {
            fTimerCv.wait_until(lk, fDeadline);
            continue;
        }
        const quint32 id = fArmedId;
        fArmedId = 0;
        lk.unlock();
        Tick(id);
        lk.lock();
    }
}

void TRealTimeMarquee::setManualClock(bool on)
{
    std::lock_guard lock(CS);
    fManualClock = on;
    if (on) {
        std::lock_guard lk(fTimerMx);
        fArmedId = 0;
    }
}

bool TRealTimeMarquee::TimerPending() const
{
    std::lock_guard lock(CS);
    return TimerID != 0;
}

void TRealTimeMarquee::TimerFired()
{
    quint32 id;
    {
        std::lock_guard lock(CS);
        id = TimerID;
    }
    Tick(id);
}

void TRealTimeMarquee::Tick(quint32 id)
{
    bool wrapped = false;
    bool cursor = false;
    bool active;
    {
        std::lock_guard lock(CS);
        if (TimerID == 0 || TimerID != id)
            return;
        TimerID = 0; // the one-shot timer has fired
        if (fItems->Count() == 0)
            return;
        const int count = fItems->Count();
        const int L = VisibleLength();
        const int step = fStep;
        QRect R(0, 0, fClientW, fClientH);

        if (fVisibleCount == 0) {
            OldestIndex = NewestIndex = 0;
            OldestOffset = NewestOffset = 0;
            ++LoopsStarted;
            fVisibleCount = 1;
        }
        OldestOffset += step;
        NewestOffset += step;

        // Move what is already drawn and draw only the exposed strip.
        const bool canScroll = !fRepaintPending && !fBacking.isNull() && fBacking.width() == fClientW &&
                               fBacking.height() == fClientH;
        if (canScroll) {
            const int bpl = int(fBacking.bytesPerLine());
            uchar *bits = fBacking.bits();
            if (fOrientation == moVertical) {
                const int s = std::min(step, fClientH);
                if (s < fClientH)
                    std::memmove(bits, bits + qsizetype(s) * bpl, qsizetype(fClientH - s) * bpl);
                R = QRect(0, fClientH - s, fClientW, s);
            } else if (fRtl) {
                const int s = std::min(step, fClientW);
                for (int y = 0; y < fClientH; ++y) {
                    uchar *row = bits + qsizetype(y) * bpl;
                    if (s < fClientW)
                        std::memmove(row + s * 4, row, size_t(fClientW - s) * 4);
                }
                R = QRect(0, 0, s, fClientH);
            } else {
                const int s = std::min(step, fClientW);
                for (int y = 0; y < fClientH; ++y) {
                    uchar *row = bits + qsizetype(y) * bpl;
                    if (s < fClientW)
                        std::memmove(row, row + s * 4, size_t(fClientW - s) * 4);
                }
                R = QRect(fClientW - s, 0, s, fClientH);
            }
        }

        // The oldest item has left completely.
        if (OldestIndex >= count)
            OldestIndex = count - 1;
        if (NewestIndex >= count)
            NewestIndex = count - 1;
        TMarqueeItem *oldest = fItems->Items(OldestIndex);
        if (OldestOffset >= L + oldest->Length()) {
            OldestOffset -= oldest->Length();
            if (fVisibleCount > 0)
                --fVisibleCount;
            ++OldestIndex;
            if (OldestIndex >= count) {
                OldestIndex = 0;
                wrapped = true;
                ++LoopsEnded;
                if (fNumLoops != 0 && LoopsEnded >= fNumLoops) {
                    fActive = false;
                    LoopsStarted = LoopsEnded = 0;
                }
                OldestOffset -= GapBetweenLoops;
            } else {
                OldestOffset -= GapBetweenItems;
            }
        }

        // The next item may enter.
        if (fActive) {
            TMarqueeItem *newest = fItems->Items(NewestIndex);
            const bool last = NewestIndex == count - 1;
            const int G = last ? GapBetweenLoops : GapBetweenItems;
            const bool limitReached = fNumLoops != 0 && LoopsStarted >= fNumLoops && last;
            if (NewestOffset >= newest->Length() + G && !limitReached) {
                NewestOffset -= newest->Length() + G;
                ++NewestIndex;
                if (NewestIndex >= count) {
                    NewestIndex = 0;
                    ++LoopsStarted;
                }
                ++fVisibleCount;
            }
        }

        if (!fBacking.isNull() && fBacking.width() == fClientW && fBacking.height() == fClientH) {
            QPainter p(&fBacking);
            p.setClipRect(R);
            DrawItems(p, R);
            if (!canScroll)
                fRepaintPending = false;
        }
        cursor = MouseIsInside && fEnabled;
        active = fActive;
    }
    PostUpdate();
    if (cursor)
        PostCursorUpdate();
    if (wrapped)
        QMetaObject::invokeMethod(this, [this] { DoWrap(); }, Qt::QueuedConnection);
    if (active)
        StartTimer();
}

// --- drawing ---------------------------------------------------------------------------------

template <class F>
void TRealTimeMarquee::WalkItems(const QRect &r, bool stopEarly, F &&visit)
{
    const int count = fItems->Count();
    if (fVisibleCount == 0 || count == 0)
        return;
    int idx = std::clamp(NewestIndex, 0, count - 1);
    auto older = [count](int i) { return i == 0 ? count - 1 : i - 1; };
    // Walking more items than pixels cannot draw anything new; guards against degenerate sizes.
    const quint32 n = std::min<quint32>(fVisibleCount, quint32(VisibleLength()) + quint32(count) + 1);
    if (fOrientation == moVertical) {
        int y = fClientH - NewestOffset;
        for (quint32 k = 0; k < n; ++k) {
            TMarqueeItem *item = fItems->Items(idx);
            visit(idx, item, QPoint(CrossPos(item), y));
            y -= GapBefore(idx);
            if (stopEarly && y < r.top())
                break;
            idx = older(idx);
            y -= fItems->Items(idx)->Height();
        }
    } else if (fRtl) {
        int x = NewestOffset - fItems->Items(idx)->Width();
        const int right = r.left() + r.width();
        for (quint32 k = 0; k < n; ++k) {
            TMarqueeItem *item = fItems->Items(idx);
            visit(idx, item, QPoint(x, CrossPos(item)));
            x += item->Width() + GapBefore(idx);
            if (stopEarly && x > right)
                break;
            idx = older(idx);
        }
    } else {
        int x = fClientW - NewestOffset;
        for (quint32 k = 0; k < n; ++k) {
            TMarqueeItem *item = fItems->Items(idx);
            visit(idx, item, QPoint(x, CrossPos(item)));
            x -= GapBefore(idx);
            if (stopEarly && x < r.left())
                break;
            idx = older(idx);
            x -= fItems->Items(idx)->Width();
        }
    }
}

void TRealTimeMarquee::DrawItems(QPainter &dc, const QRect &r)
{
    std::lock_guard lock(CS);
    dc.fillRect(r, fColorBg);
    if (fVisibleCount == 0)
        return;
    WalkItems(r, true, [&](int, TMarqueeItem *item, QPoint pos) { item->DrawAt(dc, pos.x(), pos.y()); });
}

std::vector<TRealTimeMarquee::Placement> TRealTimeMarquee::Placements()
{
    std::lock_guard lock(CS);
    std::vector<Placement> out;
    WalkItems(QRect(0, 0, fClientW, fClientH), true,
              [&](int idx, TMarqueeItem *, QPoint pos) { out.push_back({idx, pos}); });
    return out;
}

bool TRealTimeMarquee::LinkAtPos(const QPoint &p, QString &link)
{
    std::lock_guard lock(CS);
    bool found = false;
    WalkItems(QRect(0, 0, fClientW, fClientH), false, [&](int, TMarqueeItem *item, QPoint pos) {
        if (!found && item->LinkAt(p.x() - pos.x(), p.y() - pos.y(), link))
            found = true;
    });
    return found;
}

void TRealTimeMarquee::RecalcVisible()
{
    std::lock_guard lock(CS);
    if (fVisibleCount == 0)
        return;
    const int count = fItems->Count();
    if (count == 0) {
        fVisibleCount = 0;
        return;
    }
    NewestIndex = std::min(NewestIndex, count - 1);
    while (NewestIndex > 0 && !fItems->Items(NewestIndex)->Prepared())
        --NewestIndex;
    const int L = VisibleLength();
    int idx = NewestIndex;
    int off = NewestOffset;
    quint32 visible = 1;
    quint32 crossings = 0;
    const quint32 maxCrossings = LoopsStarted > 0 ? LoopsStarted - 1 : 0;
    const quint32 limit = quint32(L) + quint32(count) + 1;
    while (visible < limit) {
        if (idx == 0) {
            if (crossings >= maxCrossings)
                break;
        }
        const int olderIdx = idx == 0 ? count - 1 : idx - 1;
        TMarqueeItem *older = fItems->Items(olderIdx);
        if (!older->Prepared())
            break;
        const int olderOff = off + GapBefore(idx) + older->Length();
        if (olderOff >= L + older->Length())
            break;
        if (idx == 0)
            ++crossings;
        idx = olderIdx;
        off = olderOff;
        ++visible;
    }
    fVisibleCount = visible;
    OldestIndex = idx;
    OldestOffset = off;
}

void TRealTimeMarquee::ItemChanged(TMarqueeItem *item)
{
    std::lock_guard lock(CS);
    if (!item) {
        if (fVisibleCount != 0) {
            RecalcVisible();
            Invalidate();
        }
        UpdateTimer();
    } else if (item->Showing()) {
        RecalcVisible();
        Invalidate();
    }
}

// --- window messages -------------------------------------------------------------------------

void TRealTimeMarquee::paintEvent(QPaintEvent *)
{
    QPainter wp(this);
    std::lock_guard lock(CS);
    if (fBacking.size() != QSize(fClientW, fClientH)) {
        fBacking = fClientW > 0 && fClientH > 0 ? QImage(fClientW, fClientH, QImage::Format_ARGB32_Premultiplied)
                                                 : QImage();
        fRepaintPending = true;
    }
    if (fRepaintPending && !fBacking.isNull()) {
        QPainter p(&fBacking);
        DrawItems(p, QRect(0, 0, fClientW, fClientH));
        fRepaintPending = false;
    }
    if (!fBacking.isNull())
        wp.drawImage(0, 0, fBacking);
}

void TRealTimeMarquee::resizeEvent(QResizeEvent *e)
{
    std::lock_guard lock(CS);
    QWidget::resizeEvent(e);
    fClientW = width();
    fClientH = height();
    if (fOrientation == moVertical)
        fItems->UnprepareAll();
    RecalcGaps();
    fBacking = fClientW > 0 && fClientH > 0 ? QImage(fClientW, fClientH, QImage::Format_ARGB32_Premultiplied)
                                             : QImage();
    fRepaintPending = true;
    RecalcVisible();
}

void TRealTimeMarquee::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::LayoutDirectionChange: {
        std::lock_guard lock(CS);
        fItems->UnprepareAll();
        QWidget::changeEvent(e);
        SnapshotWidgetState();
        RecalcVisible();
        Invalidate();
        return;
    }
    case QEvent::EnabledChange: {
        std::lock_guard lock(CS);
        fEnabled = isEnabled();
        break;
    }
    default:
        break;
    }
    QWidget::changeEvent(e);
}

void TRealTimeMarquee::enterEvent(QEnterEvent *e)
{
    {
        std::lock_guard lock(CS);
        MouseIsInside = true;
        fPointer = e->position().toPoint();
    }
    DoMouseEnter();
    UpdateCursor();
}

void TRealTimeMarquee::leaveEvent(QEvent *)
{
    {
        std::lock_guard lock(CS);
        MouseIsInside = false;
    }
    DoMouseLeave();
}

void TRealTimeMarquee::mouseMoveEvent(QMouseEvent *e)
{
    {
        std::lock_guard lock(CS);
        fPointer = e->position().toPoint();
    }
    UpdateCursor();
    QWidget::mouseMoveEvent(e);
}

void TRealTimeMarquee::mouseReleaseEvent(QMouseEvent *e)
{
    QWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Click();
}

void TRealTimeMarquee::UpdateCursor()
{
    if (!isEnabled())
        return;
    QString link;
    {
        std::lock_guard lock(CS);
        fActiveLink.clear();
        if (MouseIsInside)
            LinkAtPos(fPointer, link);
        fActiveLink = link;
    }
    if (!link.isEmpty())
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TRealTimeMarquee::Click()
{
    Q_EMIT clicked();
    const QString link = ActiveLink();
    if (!link.isEmpty())
        DoLink(link);
}

// --- events ----------------------------------------------------------------------------------

void TRealTimeMarquee::DoMouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TRealTimeMarquee::DoMouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TRealTimeMarquee::DoWrap()
{
    if (OnWrap)
        OnWrap(this);
}

void TRealTimeMarquee::DoLink(const QString &link)
{
    if (OnLink)
        OnLink(this, link);
    else if (!link.isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(link));
}

void TRealTimeMarquee::DoImage(const QString &uri, QImage &picture)
{
    if (OnImage) {
        OnImage(this, uri, picture);
        return;
    }
    const QFileInfo fi(uri);
    if (!uri.isEmpty() && fi.isFile()) {
        QImageReader reader(uri);
        QImage img;
        if (reader.read(&img))
            picture = img;
    }
}

void TRealTimeMarquee::DoDrawItem(TMarqueeItem *item, QImage &bitmap)
{
    if (OnDrawItem)
        OnDrawItem(this, item, bitmap);
}

} // namespace b2b
