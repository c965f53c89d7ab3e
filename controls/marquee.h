#pragma once
// Scrolling marquee: items (plain text, simple HTML or owner-drawn pictures) are rendered once into
// pictures and scrolled through the control by a timer on its own thread. The timer thread moves an
// off-screen copy of the control and draws only the newly exposed strip; the user-interface thread
// paints that copy and runs the wrap, link and mouse events.

#include "htmllayout.h"

#include <QImage>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace b2b {

enum TMarqueeOrientation { moHorizontal, moVertical };
enum TMarqueeStyle { msText, msHTML, msOwnerDraw };
using TMarqueeTextStyle = TMarqueeStyle; // msText or msHTML
enum TMarqueeAlignment { maCenter, maLeftOrTop, maRightOrBottom };

class TRealTimeMarquee;
class TMarqueeCollection;

class TMarqueeItem {
public:
    explicit TMarqueeItem(TMarqueeCollection *collection);
    virtual ~TMarqueeItem();
    TMarqueeItem(const TMarqueeItem &) = delete;
    TMarqueeItem &operator=(const TMarqueeItem &) = delete;

    QString Text() const { return fText; }
    void setText(const QString &value);
    TMarqueeStyle Style() const { return fStyle; }
    void setStyle(TMarqueeStyle value);
    TMarqueeAlignment Alignment() const { return fAlignment; }
    void setAlignment(TMarqueeAlignment value);
    int Tag() const { return fTag; }
    void setTag(int value) { fTag = value; }

    TRealTimeMarquee *Marquee() const;
    TMarqueeCollection *Collection() const { return fCollection; }
    int Index() const;
    bool Showing() const;
    bool Prepared() const { return fPrepared; }
    // Copies Text and Style only.
    void Assign(const TMarqueeItem &other);

    int Width();
    int Height();
    int Length();
    const QImage &Bitmap() const { return fBitmap; }
    TSimpleLinks *Links() const { return fLinks.get(); }

    virtual void DrawAt(QPainter &dc, int x, int y);
    virtual bool LinkAt(int x, int y, QString &link);
    virtual void Unprepare();
    virtual void Prepare();

protected:
    virtual void PrepareText();
    virtual void PrepareHTML();
    virtual void PrepareOwnerDraw();
    void Changed();

private:
    TMarqueeCollection *fCollection;
    QString fText;
    TMarqueeAlignment fAlignment = maCenter;
    TMarqueeStyle fStyle = msText;
    bool fPrepared = false;
    QImage fBitmap;
    std::unique_ptr<TSimpleLinks> fLinks;
    QSize fSize;
    int fTag = 0;
};

class TMarqueeCollection {
public:
    explicit TMarqueeCollection(TRealTimeMarquee *owner);
    virtual ~TMarqueeCollection();

    int Count() const { return int(fItems.size()); }
    TMarqueeItem *Items(int index) const { return fItems.at(size_t(index)).get(); }
    TMarqueeItem *operator[](int index) const { return Items(index); }
    TRealTimeMarquee *Marquee() const { return fOwner; }

    TMarqueeItem *Add();
    TMarqueeItem *Insert(int index);
    void Delete(int index);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    void LoadFromStrings(const QStringList &strings, TMarqueeTextStyle textStyle);
    void SaveToStrings(QStringList &strings) const;
    void Assign(const TMarqueeCollection &other);
    virtual void UnprepareAll();

private:
    friend class TMarqueeItem;
    // Change notification: an item, or null for the whole collection.
    void Changed(TMarqueeItem *item);
    TRealTimeMarquee *fOwner;
    std::vector<std::unique_ptr<TMarqueeItem>> fItems;
    int fUpdateCount = 0;
};

class TRealTimeMarquee : public QWidget {
    Q_OBJECT
public:
    explicit TRealTimeMarquee(QWidget *parent = nullptr);
    ~TRealTimeMarquee() override;

    // Range of the interval, as a system multimedia timer would report it.
    static constexpr quint32 MinPeriod = 1;
    static constexpr quint32 MaxPeriod = 1000000;

    bool Active() const;
    void setActive(bool value);
    quint32 Interval() const;
    void setInterval(quint32 value);
    quint8 Step() const;
    void setStep(quint8 value);
    int Spacing() const;
    void setSpacing(int percent);
    int LoopSpacing() const;
    void setLoopSpacing(int percent);
    quint32 NumLoops() const;
    void setNumLoops(quint32 value);
    TMarqueeOrientation Orientation() const;
    void setOrientation(TMarqueeOrientation value);
    TMarqueeCollection &Items() { return *fItems; }
    void setItems(const TMarqueeCollection &value);

    quint32 VisibleCount() const;
    quint32 LoopCount() const;

    void Lock() { CS.lock(); }
    void Unlock() { CS.unlock(); }
    void Reset();
    void Invalidate();

    // Background colour of the control (the palette's window colour).
    QColor Color() const;
    void setColor(const QColor &c);

    // Events. OnImage and OnDrawItem may run on the timer thread; the others on the UI thread.
    std::function<void(TRealTimeMarquee *)> OnWrap;
    std::function<void(TRealTimeMarquee *, const QString &link)> OnLink;
    std::function<void(TRealTimeMarquee *, const QString &uri, QImage &image)> OnImage;
    std::function<void(TRealTimeMarquee *, TMarqueeItem *item, QImage &bitmap)> OnDrawItem;
    std::function<void(TRealTimeMarquee *)> OnMouseEnter;
    std::function<void(TRealTimeMarquee *)> OnMouseLeave;

    // The link under the pointer at the last cursor update.
    QString ActiveLink() const;
    // The link at a point of the control, over every drawn item.
    bool LinkAtPos(const QPoint &p, QString &link);

    // Scroll state, read under the lock (for callers that need to see the positions).
    struct State {
        int NewestIndex, OldestIndex;
        int NewestOffset, OldestOffset;
        quint32 VisibleCount, LoopsStarted, LoopsEnded;
        int GapBetweenItems, GapBetweenLoops;
    };
    State ScrollState() const;
    // Where DrawItems puts each drawn item over the whole control: item index and top-left corner.
    struct Placement {
        int index;
        QPoint pos;
    };
    std::vector<Placement> Placements();
    // A copy of the off-screen picture of the control as the last tick or paint left it.
    QImage Snapshot() const;
    // The control drawn afresh over the whole client area, from the current state.
    QImage RenderFull();

    // Manual clock: the timer thread is not used; TimerFired() runs one tick as the timer would.
    void setManualClock(bool on);
    bool TimerPending() const;
    void TimerFired();

Q_SIGNALS:
    void clicked();

protected:
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();
    virtual void DoWrap();
    virtual void DoLink(const QString &link);
    virtual void DoImage(const QString &uri, QImage &picture);
    virtual void DoDrawItem(TMarqueeItem *item, QImage &bitmap);
    virtual void Click();

    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void changeEvent(QEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    friend class TMarqueeItem;
    friend class TMarqueeCollection;

    void ItemChanged(TMarqueeItem *item);
    void UpdateTimer();
    void StartTimer();
    void StopTimer();
    void Tick(quint32 id);
    void DrawItems(QPainter &dc, const QRect &r);
    template <class F> void WalkItems(const QRect &r, bool stopEarly, F &&visit);
    int CrossPos(TMarqueeItem *item) const;
    int GapBefore(int index) const;
    int VisibleLength() const;
    void RecalcGaps();
    void RecalcVisible();
    void UpdateCursor();
    void PostUpdate();
    void PostCursorUpdate();
    void TimerLoop();
    void SnapshotWidgetState();

    mutable std::recursive_mutex CS;
    std::unique_ptr<TMarqueeCollection> fItems;

    // Properties.
    bool fActive = false;
    quint32 fInterval = 10;
    quint32 Resolution = 1;
    quint8 fStep = 1;
    int fSpacing = 100;
    int fLoopSpacing = 100;
    quint32 fNumLoops = 0;
    TMarqueeOrientation fOrientation = moHorizontal;

    // Scroll state.
    quint32 TimerID = 0;
    int NewestIndex = 0, NewestOffset = 0;
    int OldestIndex = 0, OldestOffset = 0;
    quint32 fVisibleCount = 0;
    quint32 LoopsStarted = 0, LoopsEnded = 0;
    int GapBetweenItems = 0, GapBetweenLoops = 0;
    QString fActiveLink;
    bool MouseIsInside = false;
    QPoint fPointer;

    // Copies of the widget state the timer thread needs (widgets are read on the UI thread only).
    bool fHandle = true;
    int fClientW = 200, fClientH = 20;
    QFont fFont;
    QColor fColorBg, fColorText;
    bool fRtl = false;
    bool fEnabled = true;

    // Off-screen copy of the client area; fRepaintPending plays the part of a pending repaint region.
    QImage fBacking;
    bool fRepaintPending = true;
    std::atomic<bool> fUpdatePosted{false};
    std::atomic<bool> fCursorPosted{false};

    // Timer thread: one-shot, armed by StartTimer, cancelled by StopTimer.
    bool fManualClock = false;
    quint32 fTimerSeq = 0;
    std::mutex fTimerMx;
    std::condition_variable fTimerCv;
    quint32 fArmedId = 0;
    std::chrono::steady_clock::time_point fDeadline;
    bool fTimerQuit = false;
    std::thread fTimerThread;
};

} // namespace b2b
