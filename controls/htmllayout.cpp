#include "htmllayout.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QPalette>
#include <QThread>
#include <algorithm>
#include <cmath>

namespace b2b {

namespace {

struct NamedRef {
    const char *name;
    char16_t ch;
};

// Lookup order matters for encoding: the first name whose character matches wins.
constexpr NamedRef kRefs[] = {
    {"nbsp", 160},    {"copy", 169},    {"reg", 174},     {"trade", 8482},  {"sup1", 185},
    {"sup2", 178},    {"sup3", 179},    {"quot", 34},     {"amp", 38},      {"lt", 60},
    {"gt", 62},       {"ndash", 8211},  {"mdash", 8212},  {"lsquo", 8216},  {"rsquo", 8217},
    {"ldquo", 8220},  {"rdquo", 8221},  {"bull", 8226},   {"dagger", 8224}, {"Dagger", 8225},
    {"prime", 8242},  {"Prime", 8243},  {"lsaquo", 8249}, {"rsaquo", 8250}, {"tilde", 732},
    {"circ", 710},    {"spades", 9824}, {"clubs", 9827},  {"hearts", 9829}, {"diams", 9830},
    {"loz", 9674},    {"larr", 8592},   {"rarr", 8594},   {"uarr", 8593},   {"darr", 8595},
    {"harr", 8596},   {"not", 172},     {"frac14", 188},  {"frac12", 189},  {"frac34", 190},
    {"plusmn", 177},  {"laquo", 171},   {"raquo", 187},   {"deg", 176},     {"ordf", 170},
    {"ordm", 186},    {"iexcl", 161},   {"iquest", 191},  {"euro", 8364},   {"cent", 162},
    {"pound", 163},   {"yen", 165},     {"curren", 164},  {"sect", 167},    {"para", 182},
    {"macr", 175},    {"middot", 183},  {"micro", 181},   {"times", 215},   {"divide", 247},
};
static_assert(sizeof(kRefs) / sizeof(kRefs[0]) == 60);

const QHash<QString, QChar> &refByName()
{
    static const QHash<QString, QChar> map = [] {
        QHash<QString, QChar> m;
        for (const auto &r : kRefs)
            m.insert(QString::fromLatin1(r.name), QChar(r.ch));
        return m;
    }();
    return map;
}

const QHash<QChar, QString> &nameByChar()
{
    static const QHash<QChar, QString> map = [] {
        QHash<QChar, QString> m;
        for (const auto &r : kRefs)
            if (!m.contains(QChar(r.ch)))
                m.insert(QChar(r.ch), QString::fromLatin1(r.name));
        return m;
    }();
    return map;
}

bool isWs(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

QString upperAsciiOnly(QStringView s)
{
    QString r = s.toString();
    for (QChar &c : r)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return r;
}

// Numbers in attributes: a whole integer, else 0 (sizes) / "no number".
bool attrInt(const QString &v, int *out)
{
    bool ok = false;
    const int n = v.trimmed().toInt(&ok);
    if (ok)
        *out = n;
    return ok;
}

int attrIntOr0(const QString &v)
{
    int n = 0;
    return attrInt(v, &n) ? n : 0;
}

// Sizes from attributes are clamped so that a hostile text cannot ask for absurd pictures.
constexpr int kMaxExtent = 1 << 20;
constexpr int kMinPoints = 1;
constexpr int kMaxPoints = 500;

int clampExtent(int v)
{
    return std::clamp(v, -kMaxExtent, kMaxExtent);
}

int currentPoints(const QPainter *p)
{
    const QFont &f = p->font();
    if (f.pointSizeF() > 0)
        return qRound(f.pointSizeF());
    int dpi = p->device() ? p->device()->logicalDpiY() : 96;
    if (dpi <= 0)
        dpi = 96;
    return qRound(f.pixelSize() * 72.0 / dpi);
}

void setPoints(QPainter *p, long long pts)
{
    QFont f = p->font();
    f.setPointSize(int(std::clamp<long long>(pts, kMinPoints, kMaxPoints)));
    p->setFont(f);
}

int scaledPoints(int pts, int percent)
{
    return int(std::lround(pts * percent / 100.0));
}

int textFlagsFor(unsigned canvasFlags)
{
    int f = Qt::TextSingleLine | Qt::TextDontClip;
    if (canvasFlags & tfSuperscript)
        f |= Qt::AlignTop;
    else if (canvasFlags & tfSubscript)
        f |= Qt::AlignBottom;
    else
        f |= Qt::AlignVCenter;
    f |= (canvasFlags & tfRtlReading) ? (Qt::AlignRight | Qt::AlignAbsolute) : (Qt::AlignLeft | Qt::AlignAbsolute);
    return f;
}

QSize textExtent(QPainter *p, const QString &text)
{
    if (text.isEmpty())
        return {0, 0};
    const QRect br = p->boundingRect(QRect(0, 0, 0, 0), Qt::TextSingleLine | Qt::TextDontClip | Qt::AlignLeft, text);
    return {std::min(br.width(), kMaxExtent), std::min(std::max(br.height(), p->fontMetrics().height()), kMaxExtent)};
}

} // namespace

// ---------------------------------------------------------------------------------------------
// References and colours

const QStringList &HtmlReferenceNames()
{
    static const QStringList names = [] {
        QStringList l;
        for (const auto &r : kRefs)
            l << QString::fromLatin1(r.name);
        return l;
    }();
    return names;
}

bool HtmlDecodeReference(QStringView name, QChar *out)
{
    if (name.startsWith(u'#')) {
        if (name.size() < 2)
            return false;
        unsigned v = 0;
        for (qsizetype i = 1; i < name.size(); ++i) {
            const QChar c = name[i];
            if (c < u'0' || c > u'9')
                return false;
            v = (v * 10 + unsigned(c.unicode() - u'0')) % 65536u;
        }
        if (v == 0)
            return false;
        *out = QChar(char16_t(v));
        return true;
    }
    if (name.size() > 6)
        return false;
    const auto &m = refByName();
    const auto it = m.constFind(name.toString());
    if (it == m.constEnd())
        return false;
    *out = *it;
    return true;
}

QString HtmlDecodeReferences(const QString &s)
{
    if (!s.contains(u'&'))
        return s;
    QString r;
    r.reserve(s.size());
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        const qsizetype amp = s.indexOf(u'&', i);
        if (amp < 0)
            break;
        const qsizetype semi = s.indexOf(u';', amp + 1);
        if (semi < 0)
            break;
        r += QStringView(s).mid(i, amp - i);
        QChar ch;
        if (HtmlDecodeReference(QStringView(s).mid(amp + 1, semi - amp - 1), &ch))
            r += ch;
        i = semi + 1;
    }
    r += QStringView(s).mid(i);
    return r;
}

QString HtmlEncode(const QString &s)
{
    const auto &m = nameByChar();
    QString r;
    r.reserve(s.size());
    for (QChar c : s) {
        const auto it = m.constFind(c);
        if (it == m.constEnd()) {
            r += c;
        } else {
            r += u'&';
            r += *it;
            r += u';';
        }
    }
    return r;
}

QColor HtmlParseColor(const QString &value, const QColor &fallback)
{
    const QString v = value.trimmed();
    auto hex = [](QChar c) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            return int(u - u'0');
        if (u >= u'a' && u <= u'f')
            return int(u - u'a' + 10);
        if (u >= u'A' && u <= u'F')
            return int(u - u'A' + 10);
        return -1;
    };
    if (v.startsWith(u'#')) {
        if (v.size() != 7 && v.size() != 4)
            return fallback;
        int d[6];
        const int count = int(v.size()) - 1;
        for (int i = 0; i < count; ++i)
            if ((d[i] = hex(v[i + 1])) < 0)
                return fallback;
        if (count == 6)
            return QColor(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5]);
        return QColor(d[0] * 17, d[1] * 17, d[2] * 17);
    }
    if (v.isEmpty())
        return fallback;
    QString name = v.toLower();
    if (name.startsWith(QLatin1String("cl")) && name.size() > 2)
        name = name.mid(2);
    static const QHash<QString, QRgb> fixed = {
        {"black", 0x000000},     {"maroon", 0x800000}, {"green", 0x008000},  {"olive", 0x808000},
        {"navy", 0x000080},      {"purple", 0x800080}, {"teal", 0x008080},   {"gray", 0x808080},
        {"silver", 0xC0C0C0},    {"red", 0xFF0000},    {"lime", 0x00FF00},   {"yellow", 0xFFFF00},
        {"blue", 0x0000FF},      {"fuchsia", 0xFF00FF}, {"aqua", 0x00FFFF},  {"white", 0xFFFFFF},
        {"moneygreen", 0xC0DCC0}, {"skyblue", 0xA6CAF0}, {"cream", 0xFFFBF0}, {"medgray", 0xA0A0A4},
        {"ltgray", 0xC0C0C0},    {"dkgray", 0x808080},
    };
    if (auto it = fixed.constFind(name); it != fixed.constEnd())
        return QColor(QRgb(*it));
    static const QHash<QString, QPalette::ColorRole> system = {
        {"window", QPalette::Base},          {"windowtext", QPalette::Text},
        {"btnface", QPalette::Button},       {"btntext", QPalette::ButtonText},
        {"highlight", QPalette::Highlight},  {"highlighttext", QPalette::HighlightedText},
        {"btnshadow", QPalette::Dark},       {"btnhighlight", QPalette::Light},
        {"3dlight", QPalette::Midlight},     {"3ddkshadow", QPalette::Shadow},
        {"infobk", QPalette::ToolTipBase},   {"infotext", QPalette::ToolTipText},
        {"hotlight", QPalette::Link},        {"menu", QPalette::Window},
        {"menutext", QPalette::WindowText},  {"appworkspace", QPalette::Dark},
        {"graytext", QPalette::PlaceholderText},
    };
    if (auto it = system.constFind(name); it != system.constEnd())
        return QGuiApplication::palette().color(*it);
    // Any further colour name the toolkit knows (letters only: no "#" or other syntax).
    const bool letters = std::all_of(v.begin(), v.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    });
    if (letters) {
        const QColor c = QColor::fromString(v);
        if (c.isValid())
            return c;
    }
    return fallback;
}

// ---------------------------------------------------------------------------------------------
// TCanvasRecall

TCanvasRecall::TCanvasRecall(TCanvas *reference) : fReference(reference)
{
    Store();
}

TCanvasRecall::~TCanvasRecall()
{
    Retrieve();
}

void TCanvasRecall::setReference(TCanvas *value)
{
    if (value == fReference)
        return;
    Retrieve();
    fReference = value;
    Store();
}

void TCanvasRecall::Store()
{
    fStored = false;
    if (!fReference || !fReference->Painter)
        return;
    QPainter *p = fReference->Painter;
    fFont = p->font();
    fPen = p->pen();
    fBrush = p->brush();
    fCopyMode = p->compositionMode();
    fDirection = p->layoutDirection();
    fTextFlags = fReference->TextFlags;
    fStored = true;
}

void TCanvasRecall::Retrieve()
{
    if (!fStored || !fReference || !fReference->Painter)
        return;
    QPainter *p = fReference->Painter;
    p->setFont(fFont);
    p->setPen(fPen);
    p->setBrush(fBrush);
    p->setCompositionMode(fCopyMode);
    p->setLayoutDirection(fDirection);
    fReference->TextFlags = fTextFlags;
}

// ---------------------------------------------------------------------------------------------
// TSimpleLinks

int TSimpleLinks::Add(const QString &link, const QRect &rect)
{
    return Add(link, QRegion(rect.normalized()));
}

int TSimpleLinks::Add(const QString &link, const QRegion &rgn)
{
    fEntries.push_back({link, rgn});
    return int(fEntries.size()) - 1;
}

int TSimpleLinks::IndexOfLinkAt(int x, int y) const
{
    for (size_t i = 0; i < fEntries.size(); ++i)
        if (fEntries[i].region.contains(QPoint(x, y)))
            return int(i);
    return -1;
}

// ---------------------------------------------------------------------------------------------
// TSimpleHTMLNode

TSimpleHTMLNode::TSimpleHTMLNode(TSimpleHTMLNode *parent, const QString &tagName)
    : fParent(parent), fTagName(tagName)
{
}

TSimpleHTMLNode::~TSimpleHTMLNode() = default;

TSimpleHTML *TSimpleHTMLNode::GetDocument()
{
    return fParent ? fParent->GetDocument() : nullptr;
}

int TSimpleHTMLNode::Index() const
{
    if (!fParent)
        return 0;
    const auto &list = fParent->fChildren;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this)
            return int(i);
    return 0;
}

QString TSimpleHTMLNode::Attributes(const QString &name) const
{
    for (const auto &a : fAttributes)
        if (a.first.compare(name, Qt::CaseInsensitive) == 0)
            return a.second;
    return {};
}

void TSimpleHTMLNode::setAttribute(const QString &name, const QString &value)
{
    for (auto it = fAttributes.begin(); it != fAttributes.end(); ++it) {
        if (it->first.compare(name, Qt::CaseInsensitive) == 0) {
            if (value.isEmpty())
                fAttributes.erase(it);
            else
                it->second = value;
            return;
        }
    }
    if (!value.isEmpty())
        fAttributes.emplace_back(name, value);
}

bool TSimpleHTMLNode::HasAttribute(const QString &name) const
{
    return std::any_of(fAttributes.begin(), fAttributes.end(),
                       [&](const auto &a) { return a.first.compare(name, Qt::CaseInsensitive) == 0; });
}

QString TSimpleHTMLNode::InnerText() const
{
    if (fChildren.empty())
        return fText;
    QString r;
    for (const auto &c : fChildren) {
        if (!r.isEmpty())
            r += u' ';
        r += c->InnerText();
    }
    return r;
}

QString TSimpleHTMLNode::InnerHTML() const
{
    if (fChildren.empty())
        return HtmlEncode(fText);
    QString r;
    for (const auto &c : fChildren)
        r += c->OuterHTML();
    return r;
}

QString TSimpleHTMLNode::OuterHTML() const
{
    if (fTagName.isEmpty())
        return InnerHTML();
    QString r = u'<' + fTagName;
    for (const auto &a : fAttributes)
        r += u' ' + a.first + QLatin1String("=\"") + HtmlEncode(a.second) + u'"';
    const QString inner = InnerHTML();
    if (inner.isEmpty())
        r += QLatin1String("/>");
    else
        r += u'>' + inner + QLatin1String("</") + fTagName + u'>';
    return r;
}

TSimpleHTMLNode *TSimpleHTMLNode::AddChild(const QString &tagName)
{
    fChildren.push_back(std::make_unique<TSimpleHTMLNode>(this, tagName));
    return fChildren.back().get();
}

void TSimpleHTMLNode::RemoveChild(int index)
{
    if (index < 0 || index >= int(fChildren.size()))
        return;
    fChildren.erase(fChildren.begin() + index);
}

void TSimpleHTMLNode::RemoveAllChildren()
{
    fChildren.clear();
}

void TSimpleHTMLNode::ApplyStyle(TCanvas &canvas) const
{
    QPainter *p = canvas.Painter;
    if (fTagName.isEmpty())
        return;
    if (HasAttribute(QStringLiteral("DIR"))) {
        const QString dir = Attributes(QStringLiteral("DIR"));
        if (dir.compare(QLatin1String("RTL"), Qt::CaseInsensitive) == 0)
            canvas.TextFlags |= tfRtlReading;
        else if (dir.compare(QLatin1String("LTR"), Qt::CaseInsensitive) == 0)
            canvas.TextFlags &= ~tfRtlReading;
    }
    const QString &t = fTagName;
    if (t == QLatin1String("FONT")) {
        if (HasAttribute(QStringLiteral("FACE"))) {
            QFont f = p->font();
            f.setFamily(Attributes(QStringLiteral("FACE")));
            p->setFont(f);
        }
        if (HasAttribute(QStringLiteral("SIZE"))) {
            const QString v = Attributes(QStringLiteral("SIZE")).trimmed();
            int n = 0;
            const bool isNumber = attrInt(v, &n);
            if (v.startsWith(u'+') || v.startsWith(u'-'))
                setPoints(p, (long long)currentPoints(p) + (isNumber ? n : 0));
            else if (isNumber)
                setPoints(p, n);
        }
        if (HasAttribute(QStringLiteral("COLOR"))) {
            QPen pen = p->pen();
            pen.setColor(HtmlParseColor(Attributes(QStringLiteral("COLOR")), pen.color()));
            p->setPen(pen);
        }
        if (HasAttribute(QStringLiteral("BGCOLOR"))) {
            const QColor c = HtmlParseColor(Attributes(QStringLiteral("BGCOLOR")), p->brush().color());
            p->setBrush(QBrush(c));
        }
    } else if (t == QLatin1String("B") || t == QLatin1String("STRONG")) {
        QFont f = p->font();
        f.setBold(true);
        p->setFont(f);
    } else if (t == QLatin1String("I")) {
        QFont f = p->font();
        f.setItalic(true);
        p->setFont(f);
    } else if (t == QLatin1String("U")) {
        QFont f = p->font();
        f.setUnderline(true);
        p->setFont(f);
    } else if (t == QLatin1String("S") || t == QLatin1String("STRIKE")) {
        QFont f = p->font();
        f.setStrikeOut(true);
        p->setFont(f);
    } else if (t == QLatin1String("SUP")) {
        setPoints(p, scaledPoints(currentPoints(p), 70));
        canvas.TextFlags |= tfSuperscript;
    } else if (t == QLatin1String("SUB")) {
        setPoints(p, scaledPoints(currentPoints(p), 70));
        canvas.TextFlags |= tfSubscript;
    } else if (t == QLatin1String("SMALL")) {
        setPoints(p, scaledPoints(currentPoints(p), 75));
    } else if (t == QLatin1String("BIG")) {
        setPoints(p, scaledPoints(currentPoints(p), 125));
    }
}

// Picture size of an IMG element without its spacing; *picture is the cached picture or null.
QSize TSimpleHTMLNode::ImageSize(QImage **picture)
{
    QImage *img = nullptr;
    TSimpleHTML *doc = GetDocument();
    if (doc)
        img = &doc->GetImage(Attributes(QStringLiteral("SRC")));
    if (picture)
        *picture = img;
    const int w = HasAttribute(QStringLiteral("WIDTH")) ? attrIntOr0(Attributes(QStringLiteral("WIDTH")))
                                                        : (img ? img->width() : 0);
    const int h = HasAttribute(QStringLiteral("HEIGHT")) ? attrIntOr0(Attributes(QStringLiteral("HEIGHT")))
                                                         : (img ? img->height() : 0);
    return {clampExtent(w), clampExtent(h)};
}

namespace {
// Within one top-level measure/draw/collect pass every node is measured in the same canvas state,
// so its extent can be remembered; without this, deep trees would be measured once per ancestor.
struct LayoutPass {
    int *depth;
    std::map<const TSimpleHTMLNode *, QSize> *cache;
    LayoutPass(int *dp, std::map<const TSimpleHTMLNode *, QSize> *c) : depth(dp), cache(c)
    {
        if (depth && (*depth)++ == 0)
            cache->clear();
    }
    ~LayoutPass()
    {
        if (depth && --(*depth) == 0)
            cache->clear();
    }
};
std::map<const TSimpleHTMLNode *, QSize> &extentCache()
{
    thread_local std::map<const TSimpleHTMLNode *, QSize> cache;
    return cache;
}
thread_local int tlsPassDepth = 0;
} // namespace

QSize TSimpleHTMLNode::Extend(TCanvas &canvas)
{
    LayoutPass pass(&tlsPassDepth, &extentCache());
    auto &cache = extentCache();
    if (auto it = cache.find(this); it != cache.end())
        return it->second;
    TCanvasRecall recall(&canvas);
    ApplyStyle(canvas);
    QSize r;
    if (!fChildren.empty()) {
        long long w = 0;
        int h = 0;
        for (const auto &c : fChildren) {
            const QSize s = c->Extend(canvas);
            w += s.width();
            h = std::max(h, s.height());
        }
        r = QSize(int(std::clamp<long long>(w, -kMaxExtent, kMaxExtent)), h);
    } else if (IsImage()) {
        const QSize s = ImageSize(nullptr);
        const int hs = clampExtent(attrIntOr0(Attributes(QStringLiteral("HSPACE"))));
        const int vs = clampExtent(attrIntOr0(Attributes(QStringLiteral("VSPACE"))));
        r = QSize(clampExtent(s.width() + 2 * hs), clampExtent(s.height() + 2 * vs));
    } else {
        r = textExtent(canvas.Painter, fText);
    }
    cache[this] = r;
    return r;
}

void TSimpleHTMLNode::Draw(TCanvas &canvas, const QRect &rect)
{
    LayoutPass pass(&tlsPassDepth, &extentCache());
    TSimpleHTML *doc = GetDocument();
    if (doc && tlsPassDepth == 1)
        doc->fPausedMs = 0; // the pause budget is per drawing of the document
    if (fTagName == QLatin1String("DUR") && doc && doc->DurPauseMs > 0 && doc->fPausedMs < doc->MaxPauseTotalMs) {
        const int ms = std::min(doc->DurPauseMs, doc->MaxPauseTotalMs - doc->fPausedMs);
        doc->fPausedMs += ms;
        QDeadlineTimer deadline(ms);
        const bool canProcess = doc->ProcessEventsWhilePausing && QCoreApplication::instance();
        while (!deadline.hasExpired()) {
            if (canProcess)
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            QThread::msleep(std::min<qint64>(10, std::max<qint64>(1, deadline.remainingTime())));
        }
    }
    TCanvasRecall recall(&canvas);
    ApplyStyle(canvas);
    QPainter *p = canvas.Painter;
    const bool rtl = canvas.TextFlags & tfRtlReading;
    int L = rect.left(), T = rect.top(), R = rect.left() + rect.width(), B = rect.top() + rect.height();
    if (!fChildren.empty()) {
        for (const auto &c : fChildren) {
            c->Draw(canvas, QRect(L, T, R - L, B - T));
            const int w = c->Extend(canvas).width();
            if (rtl)
                R = clampExtent(R - w);
            else
                L = clampExtent(L + w);
        }
    } else if (IsImage()) {
        QImage *img = nullptr;
        const QSize s = ImageSize(&img);
        const int hs = clampExtent(attrIntOr0(Attributes(QStringLiteral("HSPACE"))));
        const int vs = clampExtent(attrIntOr0(Attributes(QStringLiteral("VSPACE"))));
        const int x = rtl ? R - s.width() - hs : L + hs;
        int y;
        if (canvas.TextFlags & tfSuperscript)
            y = T + vs;
        else if (canvas.TextFlags & tfSubscript)
            y = B - s.height() - vs;
        else
            y = (T + B - s.height()) / 2;
        if (img && !img->isNull() && s.width() > 0 && s.height() > 0)
            p->drawImage(QRect(x, y, s.width(), s.height()), *img);
    } else if (!fText.isEmpty()) {
        const int flags = textFlagsFor(canvas.TextFlags);
        const QRect r(L, T, R - L, B - T);
        p->setLayoutDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
        if (p->brush().style() != Qt::NoBrush)
            p->fillRect(p->boundingRect(r, flags, fText), p->brush());
        p->drawText(r, flags, fText);
    }
}

int TSimpleHTMLNode::CollectLinksInto(TCanvas &canvas, const QRect &rect, TSimpleLinks &links)
{
    LayoutPass pass(&tlsPassDepth, &extentCache());
    TCanvasRecall recall(&canvas);
    ApplyStyle(canvas);
    const bool rtl = canvas.TextFlags & tfRtlReading;
    int L = rect.left(), T = rect.top(), R = rect.left() + rect.width(), B = rect.top() + rect.height();
    if (fTagName == QLatin1String("A") && HasAttribute(QStringLiteral("HREF"))) {
        const QSize s = Extend(canvas);
        const int x = rtl ? R - s.width() : L;
        int y;
        if (canvas.TextFlags & tfSuperscript)
            y = T;
        else if (canvas.TextFlags & tfSubscript)
            y = B - s.height();
        else
            y = (T + B - s.height()) / 2;
        links.Add(Attributes(QStringLiteral("HREF")), QRect(x, y, s.width(), s.height()));
        return 1;
    }
    int added = 0;
    for (const auto &c : fChildren) {
        added += c->CollectLinksInto(canvas, QRect(L, T, R - L, B - T), links);
        const int w = c->Extend(canvas).width();
        if (rtl)
            R = clampExtent(R - w);
        else
            L = clampExtent(L + w);
    }
    return added;
}

// ---------------------------------------------------------------------------------------------
// TSimpleHTML

TSimpleHTML::TSimpleHTML(const QString &html) : TSimpleHTMLNode(nullptr, QStringLiteral("HTML"))
{
    Parse(html);
}

TSimpleHTML::~TSimpleHTML()
{
    // Children first: they may refer to the document while being destroyed.
    RemoveAllChildren();
}

int TSimpleHTML::CollectLinks(TCanvas &canvas, const QRect &rect, TSimpleLinks &links)
{
    return CollectLinksInto(canvas, rect, links);
}

QImage &TSimpleHTML::GetImage(const QString &uri)
{
    auto it = fImages.find(uri);
    if (it != fImages.end())
        return *it->second;
    auto &slot = fImages[uri];
    slot = std::make_unique<QImage>();
    if (OnGetImage) {
        OnGetImage(this, uri, *slot);
    } else {
        // Only regular files: a device or pipe could block or never end.
        const QFileInfo fi(uri);
        if (!uri.isEmpty() && fi.isFile() && fi.size() <= 64 * 1024 * 1024) {
            QImageReader reader(uri);
            QImage img;
            if (reader.read(&img))
                *slot = img;
        }
    }
    return *slot;
}

void TSimpleHTML::Parse(const QString &s)
{
    fParsed = false;
    const qsizetype n = s.size();
    TSimpleHTMLNode *cur = this;
    int depth = 0;
    qsizetype raw = 0;
    QString pending;
    qsizetype nextSemi = -2; // cached position of the next ';' (-1: none left)
    auto skipWs = [&](qsizetype &p) {
        while (p < n && isWs(s[p]))
            ++p;
    };
    auto isNameChar = [](QChar c) { return c.isLetterOrNumber(); };
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c == u'<') {
            pending += QStringView(s).mid(raw, i - raw);
            if (!pending.isEmpty()) {
                if (cur->HasChildren() || i + 1 >= n || s[i + 1] != u'/')
                    cur->AddChild(QString())->fText = pending;
                else
                    cur->fText = pending;
                pending.clear();
            }
            qsizetype p = i + 1;
            const bool closing = p < n && s[p] == u'/';
            if (closing)
                ++p;
            if (!closing && QStringView(s).mid(i, 4) == QLatin1String("<!--")) {
                const qsizetype e = s.indexOf(QLatin1String("-->"), i + 4);
                if (e < 0)
                    return;
                i = e + 3;
                raw = i;
                continue;
            }
            const qsizetype nameStart = p;
            while (p < n && isNameChar(s[p]))
                ++p;
            if (p == nameStart)
                return;
            const QString name = upperAsciiOnly(QStringView(s).mid(nameStart, p - nameStart));
            skipWs(p);
            if (closing) {
                if (p >= n || s[p] != u'>' || name != cur->fTagName || !cur->fParent)
                    return;
                cur = cur->fParent;
                --depth;
                i = p + 1;
                raw = i;
                continue;
            }
            auto element = std::make_unique<TSimpleHTMLNode>(cur, name);
            while (p < n && s[p] != u'/' && s[p] != u'>') {
                const qsizetype an = p;
                while (p < n && isNameChar(s[p]))
                    ++p;
                if (p == an)
                    return;
                const QString attrName = s.mid(an, p - an);
                skipWs(p);
                QString value;
                if (p < n && s[p] == u'=') {
                    ++p;
                    skipWs(p);
                    if (p >= n || s[p] == u'>')
                        return;
                    if (s[p] == u'"' || s[p] == u'\'') {
                        const qsizetype e = s.indexOf(s[p], p + 1);
                        if (e < 0)
                            return;
                        value = s.mid(p + 1, e - p - 1);
                        p = e + 1;
                    } else {
                        qsizetype e = p;
                        while (e < n && s[e] != u' ' && s[e] != u'>')
                            ++e;
                        if (e >= n)
                            return;
                        value = s.mid(p, e - p);
                        p = e;
                    }
                    skipWs(p);
                    value = HtmlDecodeReferences(value);
                }
                element->setAttribute(attrName, value);
            }
            if (p >= n)
                return;
            if (s[p] == u'/') {
                if (p + 1 >= n || s[p + 1] != u'>')
                    return;
                cur->fChildren.push_back(std::move(element));
                i = p + 2;
            } else {
                if (depth >= MaxDepth)
                    return;
                TSimpleHTMLNode *e = element.get();
                cur->fChildren.push_back(std::move(element));
                cur = e;
                ++depth;
                i = p + 1;
            }
            raw = i;
            continue;
        }
        if (c == u'&') {
            if (nextSemi != -1 && nextSemi <= i)
                nextSemi = s.indexOf(u';', i + 1);
            QChar ch;
            if (nextSemi > i && HtmlDecodeReference(QStringView(s).mid(i + 1, nextSemi - i - 1), &ch)) {
                pending += QStringView(s).mid(raw, i - raw);
                pending += ch;
                i = nextSemi + 1;
                raw = i;
                continue;
            }
        }
        ++i;
    }
    if (cur != this)
        return;
    pending += QStringView(s).mid(raw);
    if (!pending.isEmpty()) {
        if (HasChildren())
            AddChild(QString())->fText = pending;
        else
            fText = pending;
    }
    fParsed = true;
}

} // namespace b2b
