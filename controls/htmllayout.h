#pragma once
// One-line layout of a restricted HTML text: parse into a tree, measure, draw on a painter,
// collect link rectangles. Used by the marquee for its HTML items (the news ticker).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace b2b {

// Text flags carried with the painter. The right-to-left bit has the value of the classic
// system flag; super- and subscript use the two top bits.
enum : unsigned {
    tfRtlReading = 0x00020000u,
    tfSuperscript = 0x80000000u,
    tfSubscript = 0x40000000u,
};

// A painter plus the three text flags the layout keeps beside font, pen and brush.
class TCanvas {
public:
    explicit TCanvas(QPainter *painter) : Painter(painter) {}
    QPainter *Painter;
    unsigned TextFlags = 0;
};

// Snapshot of a canvas: painter state (font, pen, brush, composition mode) and the text flags.
// Put back on destruction or when the reference changes.
class TCanvasRecall {
public:
    explicit TCanvasRecall(TCanvas *reference);
    ~TCanvasRecall();
    TCanvasRecall(const TCanvasRecall &) = delete;
    TCanvasRecall &operator=(const TCanvasRecall &) = delete;

    TCanvas *Reference() const { return fReference; }
    void setReference(TCanvas *value);
    void Store();
    void Retrieve();

private:
    TCanvas *fReference = nullptr;
    bool fStored = false;
    QFont fFont;
    QPen fPen;
    QBrush fBrush;
    QPainter::CompositionMode fCopyMode = QPainter::CompositionMode_SourceOver;
    Qt::LayoutDirection fDirection = Qt::LeftToRight;
    unsigned fTextFlags = 0;
};

// Link regions in the coordinates of the canvas the document was laid out on.
class TSimpleLinks {
public:
    int Count() const { return int(fEntries.size()); }
    QString Links(int i) const { return fEntries.at(size_t(i)).link; }
    const QRegion &Regions(int i) const { return fEntries.at(size_t(i)).region; }
    QRect Bounds(int i) const { return fEntries.at(size_t(i)).region.boundingRect(); }
    int Add(const QString &link, const QRect &rect);
    int Add(const QString &link, const QRegion &rgn);
    int IndexOfLinkAt(int x, int y) const;
    void Clear() { fEntries.clear(); }

private:
    struct Entry {
        QString link;
        QRegion region;
    };
    std::vector<Entry> fEntries;
};

class TSimpleHTML;

class TSimpleHTMLNode {
public:
    explicit TSimpleHTMLNode(TSimpleHTMLNode *parent = nullptr, const QString &tagName = QString());
    virtual ~TSimpleHTMLNode();
    TSimpleHTMLNode(const TSimpleHTMLNode &) = delete;
    TSimpleHTMLNode &operator=(const TSimpleHTMLNode &) = delete;

    TSimpleHTMLNode *Parent() const { return fParent; }
    QString TagName() const { return fTagName; }
    QString Text() const { return fText; }
    void setText(const QString &t) { fText = t; }
    TSimpleHTMLNode *Children(int i) const { return fChildren.at(size_t(i)).get(); }
    int ChildCount() const { return int(fChildren.size()); }
    int Index() const;
    // Attribute value by name (case-insensitive); empty when absent.
    QString Attributes(const QString &name) const;
    // Stores a value; an empty value removes the attribute (as a name=value list does).
    void setAttribute(const QString &name, const QString &value);
    int AttributeCount() const { return int(fAttributes.size()); }
    QString AttributeName(int i) const { return fAttributes.at(size_t(i)).first; }
    QString InnerText() const;
    QString InnerHTML() const;
    QString OuterHTML() const;
    TSimpleHTML *Document() { return GetDocument(); }

    TSimpleHTMLNode *AddChild(const QString &tagName);
    void RemoveChild(int index);
    void RemoveAllChildren();
    bool HasChildren() const { return !fChildren.empty(); }
    bool HasAttribute(const QString &name) const;

    QSize Extend(TCanvas &canvas);
    void Draw(TCanvas &canvas, const QRect &rect);

protected:
    virtual TSimpleHTML *GetDocument();
    void ApplyStyle(TCanvas &canvas) const;
    int CollectLinksInto(TCanvas &canvas, const QRect &rect, TSimpleLinks &links);
    bool IsImage() const { return fTagName == QLatin1String("IMG") && fChildren.empty(); }
    QSize ImageSize(QImage **picture);

    friend class TSimpleHTML;
    TSimpleHTMLNode *fParent;
    QString fTagName;
    QString fText;
    std::vector<std::unique_ptr<TSimpleHTMLNode>> fChildren;
    std::vector<std::pair<QString, QString>> fAttributes;
};

using TGetImageEvent = std::function<void(TSimpleHTML *sender, const QString &uri, QImage &image)>;

class TSimpleHTML : public TSimpleHTMLNode {
public:
    explicit TSimpleHTML(const QString &html);
    ~TSimpleHTML() override;

    bool IsValid() const { return fParsed; }
    TGetImageEvent OnGetImage;

    int CollectLinks(TCanvas &canvas, const QRect &rect, TSimpleLinks &links);
    QImage &GetImage(const QString &uri);

    // Pause of a DUR element, and the most one Draw of the document may pause in all, so that a
    // text full of DUR elements cannot stall its caller.
    int DurPauseMs = 500;
    int MaxPauseTotalMs = 2000;
    // Whether the pause keeps the calling thread's event loop running. A caller that holds a lock
    // or paints must switch it off: events processed there could change what is being drawn.
    bool ProcessEventsWhilePausing = true;

    // Elements nested deeper than this fail the parse (the layout recurses per level).
    static constexpr int MaxDepth = 200;

protected:
    TSimpleHTML *GetDocument() override { return this; }

private:
    friend class TSimpleHTMLNode;
    void Parse(const QString &html);
    bool fParsed = false;
    std::map<QString, std::unique_ptr<QImage>> fImages;
    int fPausedMs = 0;
};

// Character references.
// Decodes the name between "&" and ";"; false when it is no reference.
bool HtmlDecodeReference(QStringView name, QChar *out);
// Replaces every "&name;" span by its character, or removes it when it is no reference.
QString HtmlDecodeReferences(const QString &s);
// Writes every character that has a named reference as "&name;".
QString HtmlEncode(const QString &s);
// The 60 names in lookup order.
const QStringList &HtmlReferenceNames();

// "#RRGGBB", "#RGB" or a colour name (any case); `fallback` when malformed or unknown.
QColor HtmlParseColor(const QString &value, const QColor &fallback);

} // namespace b2b
