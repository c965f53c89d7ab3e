// Simple HTML engine: parse trees and failures, references, serialising, styles, measuring,
// drawing, link regions and pictures.
#include "htmllayout.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace b2b;

namespace {

// Compact text form of a tree: TAG{attr=value,...}:"own text"(children...), text nodes quoted.
QString dump(const TSimpleHTMLNode *n)
{
    QString r;
    if (n->TagName().isEmpty())
        return u'"' + n->Text() + u'"';
    r = n->TagName();
    if (n->AttributeCount() > 0) {
        QStringList a;
        for (int i = 0; i < n->AttributeCount(); ++i)
            a << n->AttributeName(i) + u'=' + n->Attributes(n->AttributeName(i));
        r += u'{' + a.join(u',') + u'}';
    }
    if (!n->Text().isEmpty())
        r += QLatin1String(":\"") + n->Text() + u'"';
    if (n->HasChildren()) {
        QStringList c;
        for (int i = 0; i < n->ChildCount(); ++i)
            c << dump(n->Children(i));
        r += u'(' + c.join(u' ') + u')';
    }
    return r;
}

QFont baseFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(10);
    return f;
}

// A white picture with a painter in the base font, black text, no brush.
struct Surface {
    QImage image;
    QPainter painter;
    TCanvas canvas{&painter};
    explicit Surface(QSize size = QSize(400, 60))
        : image(size, QImage::Format_ARGB32_Premultiplied)
    {
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setFont(baseFont());
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
    }
    void finish()
    {
        if (painter.isActive())
            painter.end();
    }
};

QSize extentOf(const QString &html)
{
    TSimpleHTML doc(html);
    Surface s;
    return doc.Extend(s.canvas);
}

// Bounding box of pixels that are not white.
QRect inkBox(const QImage &img)
{
    int l = img.width(), t = img.height(), r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x);
                b = std::max(b, y);
            }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

QByteArray pngBytes(QSize size, QColor color)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(color);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return data;
}

} // namespace

class TestHtmlLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parseTree_data();
    void parseTree();
    void serialise_data();
    void serialise();
    void namedReferences();
    void decodeReference_data();
    void decodeReference();
    void treeOperations();
    void colours_data();
    void colours();
    void fontColourDrawn();
    void fontSizes_data();
    void fontSizes();
    void boldThenPlainOnOneLine();
    void failedParseStillDrawsTextBefore();
    void linkRegion();
    void linkRegionPlacement_data();
    void linkRegionPlacement();
    void simpleLinksList();
    void imageSpacingAndSelfClosingQuirk();
    void imageFromLocalFileAndCache();
    void superAndSubscriptPlacement();
    void rightToLeftDrawing();
    void durPausesThenDraws();
    void hostileInputStaysBounded_data();
    void hostileInputStaysBounded();
    void canvasRecall();
};

void TestHtmlLayout::parseTree_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<bool>("valid");
    QTest::newRow("bold word then rest") << "<B>Kampanya</B> devam ediyor" << "HTML(B:\"Kampanya\" \" devam ediyor\")" << true;
    QTest::newRow("plain text is own text") << "plain" << "HTML:\"plain\"" << true;
    QTest::newRow("empty") << "" << "HTML" << true;
    QTest::newRow("text before element is a child") << "a<I>b</I>" << "HTML(\"a\" I:\"b\")" << true;
    QTest::newRow("nested") << "<B>a<I>b</I>c</B>" << "HTML(B(\"a\" I:\"b\" \"c\"))" << true;
    QTest::newRow("lt blank fails, text kept") << "a < b" << "HTML(\"a \")" << false;
    QTest::newRow("mismatched close") << "<B>x</I>" << "HTML(B:\"x\")" << false;
    QTest::newRow("extra close") << "x</B>" << "HTML:\"x\"" << false;
    QTest::newRow("close with junk") << "<B>x</B y>" << "HTML(B:\"x\")" << false;
    QTest::newRow("unclosed element") << "<B>open" << "HTML(B)" << false;
    QTest::newRow("comment") << "<!-- note -->a" << "HTML:\"a\"" << true;
    QTest::newRow("empty comment") << "<!---->x" << "HTML:\"x\"" << true;
    QTest::newRow("comment end needs two chars") << "<!-->x-->y" << "HTML:\"y\"" << true;
    QTest::newRow("unterminated comment") << "a<!-- never" << "HTML(\"a\")" << false;
    QTest::newRow("three value forms") << "<FONT color=red size='+2' face=\"Deja Vu\">t</FONT>"
                                       << "HTML(FONT{color=red,size=+2,face=Deja Vu}:\"t\")" << true;
    QTest::newRow("later attribute replaces") << "<A HREF=x href=y>t</A>" << "HTML(A{HREF=y}:\"t\")" << true;
    QTest::newRow("empty value not kept") << "<A HREF=\"\" X>t</A>" << "HTML(A:\"t\")" << true;
    QTest::newRow("blanks around =") << "<A HREF = 'q' >t</A>" << "HTML(A{HREF=q}:\"t\")" << true;
    QTest::newRow("= then > fails") << "<A HREF=>t</A>" << "HTML" << false;
    QTest::newRow("missing quote fails") << "<A HREF='x>t</A>" << "HTML" << false;
    QTest::newRow("unquoted to end fails") << "<A HREF=x" << "HTML" << false;
    QTest::newRow("bad attribute name fails") << "<A #x>t</A>" << "HTML" << false;
    QTest::newRow("no tag name fails") << "a<>b" << "HTML(\"a\")" << false;
    QTest::newRow("digits in tag name") << "<H1>x</h1>" << "HTML(H1:\"x\")" << true;
    QTest::newRow("only a-z are upper-cased") << "<ÇiĞ>x</çiĞ>" << "HTML(ÇIĞ:\"x\")" << false;
    QTest::newRow("self-closing") << "a<BR/>b" << "HTML(\"a\" BR \"b\")" << true;
    QTest::newRow("slash not before >") << "<BR / >" << "HTML" << false;
    QTest::newRow("img with blank before />") << "<IMG SRC=a.png />" << "HTML(IMG{SRC=a.png})" << true;
    QTest::newRow("img unquoted swallows slash") << "<IMG SRC=a.png/>" << "HTML(IMG{SRC=a.png/})" << false;
    QTest::newRow("lt reference in text") << "&lt;B&gt;" << "HTML:\"<B>\"" << true;
    QTest::newRow("unknown reference stays in text") << "a &bogus; b" << "HTML:\"a &bogus; b\"" << true;
    QTest::newRow("names are case-sensitive") << "&AMP;&amp;" << "HTML:\"&AMP;&\"" << true;
    QTest::newRow("no semicolon") << "&amp b" << "HTML:\"&amp b\"" << true;
    QTest::newRow("decimal references") << "&#65;&#0;&#;&#x41;&#65601;" << "HTML:\"A&#0;&#;&#x41;A\"" << true;
    QTest::newRow("references in attributes") << "<A HREF=\"a&amp;b&bogus;c&d\">t</A>"
                                              << "HTML(A{HREF=a&bc&d}:\"t\")" << true;
    QTest::newRow("reference split by tag") << "&lt<B>;</B>" << "HTML(\"&lt\" B:\";\")" << true;
    QTest::newRow("text after last tag") << "<B>a</B>b<I>c</I>d" << "HTML(B:\"a\" \"b\" I:\"c\" \"d\")" << true;
}

void TestHtmlLayout::parseTree()
{
    QFETCH(QString, html);
    QFETCH(QString, tree);
    QFETCH(bool, valid);
    TSimpleHTML doc(html);
    QCOMPARE(dump(&doc), tree);
    QCOMPARE(doc.IsValid(), valid);
}

void TestHtmlLayout::serialise_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("outer");
    QTest::addColumn<QString>("innerText");
    QTest::newRow("amp in B") << "<B>a&amp;b</B>" << "<HTML><B>a&amp;b</B></HTML>" << "a&b";
    QTest::newRow("attribute encoded") << "<A HREF='x\"y'>q</A>z" << "<HTML><A HREF=\"x&quot;y\">q</A>z</HTML>" << "q z";
    QTest::newRow("empty element") << "<BR/>" << "<HTML><BR/></HTML>" << "";
    QTest::newRow("plain document") << "x" << "<HTML>x</HTML>" << "x";
    QTest::newRow("empty document") << "" << "<HTML/>" << "";
    QTest::newRow("named characters written back")
        << QString::fromUtf8("<I>\u00a9 5\u00a0\u20ac</I>") << "<HTML><I>&copy; 5&nbsp;&euro;</I></HTML>"
        << QString::fromUtf8("\u00a9 5\u00a0\u20ac");
    QTest::newRow("inner text joins with blanks") << "<B>a</B><I>b</I>c" << "<HTML><B>a</B><I>b</I>c</HTML>" << "a b c";
}

void TestHtmlLayout::serialise()
{
    QFETCH(QString, html);
    QFETCH(QString, outer);
    QFETCH(QString, innerText);
    TSimpleHTML doc(html);
    QVERIFY(doc.IsValid());
    QCOMPARE(doc.OuterHTML(), outer);
    QCOMPARE(doc.InnerText(), innerText);
    // Reading the written form back gives the same tree.
    TSimpleHTML again(doc.InnerHTML());
    QCOMPARE(dump(&again), dump(&doc));
}

void TestHtmlLayout::namedReferences()
{
    const QStringList names = HtmlReferenceNames();
    QCOMPARE(names.size(), 60);
    for (const QString &name : names) {
        TSimpleHTML doc(u'&' + name + u';');
        QVERIFY2(doc.IsValid(), qPrintable(name));
        QCOMPARE(doc.Text().size(), 1);
        QCOMPARE(HtmlEncode(doc.Text()), u'&' + name + u';');
    }
    // A few characters checked against the standard's code points.
    QChar c;
    QVERIFY(HtmlDecodeReference(u"copy", &c) && c.unicode() == 0xA9);
    QVERIFY(HtmlDecodeReference(u"euro", &c) && c.unicode() == 0x20AC);
    QVERIFY(HtmlDecodeReference(u"dagger", &c) && c.unicode() == 0x2020);
    QVERIFY(HtmlDecodeReference(u"Dagger", &c) && c.unicode() == 0x2021);
    QVERIFY(HtmlDecodeReference(u"Prime", &c) && c.unicode() == 0x2033);
    QVERIFY(!HtmlDecodeReference(u"apos", &c));
}

void TestHtmlLayout::decodeReference_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code"); // -1: not a reference
    QTest::newRow("decimal") << "#65" << 65;
    QTest::newRow("modulo 65536") << "#65601" << 65;
    QTest::newRow("zero") << "#0" << -1;
    QTest::newRow("65536 is zero") << "#65536" << -1;
    QTest::newRow("hash alone") << "#" << -1;
    QTest::newRow("hex form") << "#x41" << -1;
    QTest::newRow("sign") << "#+5" << -1;
    QTest::newRow("many digits") << "#" + QString(5000, u'9') << -2;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("named") << "gt" << 62;
}

void TestHtmlLayout::decodeReference()
{
    QFETCH(QString, name);
    QFETCH(int, code);
    QChar c;
    const bool ok = HtmlDecodeReference(name, &c);
    if (code == -2) {
        // Value of 5000 nines modulo 65536, computed digit by digit.
        unsigned v = 0;
        for (int i = 0; i < 5000; ++i)
            v = (v * 10 + 9) % 65536;
        QVERIFY(ok);
        QCOMPARE(int(c.unicode()), int(v));
        return;
    }
    QCOMPARE(ok, code >= 0);
    if (ok)
        QCOMPARE(int(c.unicode()), code);
}

void TestHtmlLayout::treeOperations()
{
    TSimpleHTML doc(QStringLiteral("<B>x</B><I>y</I>"));
    QCOMPARE(doc.Document(), &doc);
    QCOMPARE(doc.Children(1)->Document(), &doc);
    QCOMPARE(doc.Children(1)->Index(), 1);
    QCOMPARE(doc.Index(), 0);
    TSimpleHTMLNode *a = doc.AddChild(QStringLiteral("A"));
    a->setAttribute(QStringLiteral("Href"), QStringLiteral("u"));
    QVERIFY(a->HasAttribute(QStringLiteral("HREF")));
    QCOMPARE(a->Attributes(QStringLiteral("href")), QStringLiteral("u"));
    QVERIFY(!a->HasAttribute(QStringLiteral("SRC")));
    QCOMPARE(a->Attributes(QStringLiteral("SRC")), QString());
    QVERIFY(!a->HasChildren());
    a->AddChild(QString())->setText(QStringLiteral("z"));
    QCOMPARE(doc.OuterHTML(), QStringLiteral("<HTML><B>x</B><I>y</I><A Href=\"u\">z</A></HTML>"));
    doc.RemoveChild(0);
    QCOMPARE(dump(&doc), QStringLiteral("HTML(I:\"y\" A{Href=u}(\"z\"))"));
    doc.RemoveChild(7); // out of range: nothing
    QCOMPARE(doc.ChildCount(), 2);
    doc.RemoveAllChildren();
    QVERIFY(!doc.HasChildren());
    QCOMPARE(doc.ChildCount(), 0);
}

void TestHtmlLayout::colours_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QColor>("expected");
    const QColor fallback(1, 2, 3);
    QTest::newRow("#RGB") << "#F00" << QColor(255, 0, 0);
    QTest::newRow("#RGB doubles digits") << "#F80" << QColor(0xFF, 0x88, 0x00);
    QTest::newRow("#RRGGBB") << "#12ab9C" << QColor(0x12, 0xAB, 0x9C);
    QTest::newRow("five digits") << "#12345" << fallback;
    QTest::newRow("eight digits") << "#12345678" << fallback;
    QTest::newRow("not hex") << "#GG0" << fallback;
    QTest::newRow("name") << "red" << QColor(255, 0, 0);
    QTest::newRow("name any case") << "ReD" << QColor(255, 0, 0);
    QTest::newRow("toolkit prefix") << "clNavy" << QColor(0, 0, 0x80);
    QTest::newRow("fuchsia") << "fuchsia" << QColor(255, 0, 255);
    QTest::newRow("money green") << "moneygreen" << QColor(0xC0, 0xDC, 0xC0);
    QTest::newRow("other named colour") << "orange" << QColor(255, 165, 0);
    QTest::newRow("unknown") << "nosuchcolour" << fallback;
    QTest::newRow("empty") << "" << fallback;
    QTest::newRow("syntax of other forms") << "rgb(1,2,3)" << fallback;
}

void TestHtmlLayout::colours()
{
    QFETCH(QString, value);
    QFETCH(QColor, expected);
    QCOMPARE(HtmlParseColor(value, QColor(1, 2, 3)), expected);
}

void TestHtmlLayout::fontColourDrawn()
{
    // The three spellings of red draw the same picture, and the glyph is pure red.
    QImage first;
    for (const char *spelling : {"#F00", "#FF0000", "red"}) {
        Surface s(QSize(60, 40));
        TSimpleHTML doc(QStringLiteral("<FONT COLOR=%1>\u2588</FONT>").arg(QLatin1String(spelling)));
        doc.Draw(s.canvas, QRect(0, 0, 60, 40));
        s.finish();
        const QRect ink = inkBox(s.image);
        QVERIFY(ink.isValid());
        QCOMPARE(s.image.pixel(ink.center()), qRgb(255, 0, 0));
        if (first.isNull())
            first = s.image;
        else
            QCOMPARE(s.image, first);
    }
    // A malformed colour keeps the current one (black).
    Surface s(QSize(60, 40));
    TSimpleHTML doc(QStringLiteral("<FONT COLOR=#F0>\u2588</FONT>"));
    doc.Draw(s.canvas, QRect(0, 0, 60, 40));
    s.finish();
    QCOMPARE(s.image.pixel(inkBox(s.image).center()), qRgb(0, 0, 0));
}

void TestHtmlLayout::fontSizes_data()
{
    // Base font is 10 points; each row measures the same as an absolute FONT SIZE.
    QTest::addColumn<QString>("html");
    QTest::addColumn<int>("points");
    QTest::newRow("plus two") << "<FONT SIZE=+2>Wxy</FONT>" << 12;
    QTest::newRow("minus three") << "<FONT SIZE='-3'>Wxy</FONT>" << 7;
    QTest::newRow("plus not a number adds 0") << "<FONT SIZE=+x>Wxy</FONT>" << 10;
    QTest::newRow("absolute not a number keeps") << "<FONT SIZE=big>Wxy</FONT>" << 10;
    QTest::newRow("nested relative") << "<FONT SIZE=+2><FONT SIZE=+2>Wxy</FONT></FONT>" << 14;
    QTest::newRow("SUP 70%") << "<SUP>Wxy</SUP>" << 7;
    QTest::newRow("SUB 70%") << "<SUB>Wxy</SUB>" << 7;
    QTest::newRow("SMALL 75% rounds") << "<SMALL>Wxy</SMALL>" << 8;
    QTest::newRow("BIG 125% rounds") << "<BIG>Wxy</BIG>" << 13;
}

void TestHtmlLayout::fontSizes()
{
    QFETCH(QString, html);
    QFETCH(int, points);
    const QSize got = extentOf(html);
    const QSize want = extentOf(QStringLiteral("<FONT SIZE=%1>Wxy</FONT>").arg(points));
    QCOMPARE(got, want);
    if (points != 10)
        QVERIFY(got != extentOf(QStringLiteral("Wxy")));
}

void TestHtmlLayout::boldThenPlainOnOneLine()
{
    const QString html = QStringLiteral("<B>Kampanya</B> devam ediyor");
    const QSize whole = extentOf(html);
    const QSize bold = extentOf(QStringLiteral("<B>Kampanya</B>"));
    const QSize plain = extentOf(QStringLiteral(" devam ediyor"));
    QCOMPARE(whole.width(), bold.width() + plain.width());
    QCOMPARE(whole.height(), std::max(bold.height(), plain.height()));
    QVERIFY(bold.width() > extentOf(QStringLiteral("Kampanya")).width());

    // Drawn: the bold word, then the rest, on one line (ink of both halves shares the same rows).
    Surface s(QSize(300, 40));
    TSimpleHTML doc(html);
    doc.Draw(s.canvas, QRect(0, 0, 300, 40));
    s.finish();
    const QRect left = inkBox(s.image.copy(0, 0, bold.width(), 40));
    const QRect right = inkBox(s.image.copy(bold.width(), 0, 300 - bold.width(), 40));
    QVERIFY(left.isValid() && right.isValid());
    QVERIFY(qAbs(left.bottom() - right.bottom()) <= 1); // both halves have descenders (p, y)
    QVERIFY(right.right() + bold.width() < whole.width() + 2);
}

void TestHtmlLayout::failedParseStillDrawsTextBefore()
{
    TSimpleHTML broken(QStringLiteral("abc < def"));
    QVERIFY(!broken.IsValid());
    TSimpleHTML before(QStringLiteral("abc "));
    Surface a(QSize(200, 30)), b(QSize(200, 30));
    broken.Draw(a.canvas, QRect(0, 0, 200, 30));
    before.Draw(b.canvas, QRect(0, 0, 200, 30));
    a.finish();
    b.finish();
    QVERIFY(inkBox(a.image).isValid());
    QCOMPARE(a.image, b.image);
}

void TestHtmlLayout::linkRegion()
{
    const QString html = QStringLiteral("<A HREF=\"http://telvar.example/kampanya\">link</A>");
    TSimpleHTML doc(html);
    QVERIFY(doc.IsValid());
    Surface s(QSize(200, 40));
    const QRect area(10, 0, 190, 40);
    doc.Draw(s.canvas, area);
    TSimpleLinks links;
    QCOMPARE(doc.CollectLinks(s.canvas, area, links), 1);
    const QSize ext = doc.Extend(s.canvas);
    s.finish();
    QCOMPARE(links.Count(), 1);
    QCOMPARE(links.Links(0), QStringLiteral("http://telvar.example/kampanya"));
    const QRect region = links.Bounds(0);
    QCOMPARE(region, QRect(10, (40 - ext.height()) / 2, ext.width(), ext.height()));
    // Every drawn pixel of the word lies inside the region.
    const QRect ink = inkBox(s.image);
    QVERIFY(ink.isValid());
    QVERIFY2(region.contains(ink), qPrintable(QStringLiteral("ink %1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
    QCOMPARE(links.IndexOfLinkAt(ink.center().x(), ink.center().y()), 0);
    QCOMPARE(links.IndexOfLinkAt(region.left() - 1, ink.center().y()), -1);
    QCOMPARE(links.IndexOfLinkAt(region.left() + region.width(), ink.center().y()), -1);
    QCOMPARE(links.IndexOfLinkAt(ink.center().x(), region.top() + region.height()), -1);
}

void TestHtmlLayout::linkRegionPlacement_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("prefix"); // laid out before the link
    QTest::addColumn<QString>("where");  // centre, top, bottom, rtl
    QTest::newRow("after text") << "ab <A HREF=u>cd</A> ef" << "ab " << "centre";
    QTest::newRow("inside bold") << "<B>ab <A HREF=u>cd</A></B>" << "<B>ab </B>" << "centre";
    QTest::newRow("superscript") << "x<SUP><A HREF=u>cd</A></SUP>" << "x" << "top";
    QTest::newRow("subscript") << "x<SUB><A HREF=u>cd</A></SUB>" << "x" << "bottom";
    QTest::newRow("right to left") << "<SPAN DIR=rtl>x<A HREF=u>cd</A></SPAN>" << "x" << "rtl";
}

void TestHtmlLayout::linkRegionPlacement()
{
    QFETCH(QString, html);
    QFETCH(QString, prefix);
    QFETCH(QString, where);
    TSimpleHTML doc(html);
    QVERIFY(doc.IsValid());
    Surface s(QSize(300, 60));
    TSimpleLinks links;
    QCOMPARE(doc.CollectLinks(s.canvas, QRect(0, 0, 300, 60), links), 1);
    s.finish();
    const QRect r = links.Bounds(0);
    const int before = extentOf(prefix).width();
    if (where == QLatin1String("rtl"))
        QCOMPARE(r.left() + r.width(), 300 - before);
    else
        QCOMPARE(r.left(), before);
    if (where == QLatin1String("top"))
        QCOMPARE(r.top(), 0);
    else if (where == QLatin1String("bottom"))
        QCOMPARE(r.top() + r.height(), 60);
    else
        QCOMPARE(r.top(), (60 - r.height()) / 2);
    QCOMPARE(links.Links(0), QStringLiteral("u"));
}

void TestHtmlLayout::simpleLinksList()
{
    TSimpleLinks links;
    QCOMPARE(links.IndexOfLinkAt(0, 0), -1);
    links.Add(QStringLiteral("a"), QRect(0, 0, 10, 10));
    links.Add(QStringLiteral("b"), QRegion(5, 5, 10, 10, QRegion::Ellipse));
    links.Add(QStringLiteral("c"), QRect(0, 0, 100, 100));
    QCOMPARE(links.Count(), 3);
    QCOMPARE(links.IndexOfLinkAt(7, 7), 0);   // first match wins
    QCOMPARE(links.IndexOfLinkAt(10, 10), 1); // outside the first rectangle (right edge excluded)
    QCOMPARE(links.IndexOfLinkAt(14, 6), 2);  // corner outside the ellipse
    QCOMPARE(links.Bounds(1), QRect(5, 5, 10, 10));
    links.Clear();
    QCOMPARE(links.Count(), 0);
    QCOMPARE(links.IndexOfLinkAt(7, 7), -1);
}

void TestHtmlLayout::imageSpacingAndSelfClosingQuirk()
{
    int requests = 0;
    auto provide = [&](TSimpleHTML *, const QString &uri, QImage &img) {
        ++requests;
        if (uri == QLatin1String("pic.png")) {
            img = QImage(20, 10, QImage::Format_RGB32);
            img.fill(Qt::blue);
        }
    };
    struct Case {
        const char *html;
        bool valid;
        QSize extent;
    } cases[] = {
        {"<IMG SRC=pic.png HSPACE=4 />", true, QSize(28, 10)},
        {"<IMG SRC=pic.png HSPACE=4 VSPACE=3 />", true, QSize(28, 16)},
        {"<IMG SRC=pic.png WIDTH=50 HEIGHT=x />", true, QSize(50, 0)},
        {"<IMG SRC=missing.png HSPACE=4 />", true, QSize(8, 0)},
        {"<IMG SRC=missing.png WIDTH=7 HEIGHT=5 />", true, QSize(7, 5)},
        {"<IMG SRC=pic.png HSPACE=4/>", false, QSize(0, 0)}, // the value swallows "/": element left open
    };
    for (const Case &c : cases) {
        TSimpleHTML doc(QString::fromLatin1(c.html));
        doc.OnGetImage = provide;
        QCOMPARE(doc.IsValid(), c.valid);
        Surface s;
        if (c.valid)
            QCOMPARE(doc.Extend(s.canvas), c.extent);
    }
    // Without the blank the unquoted value takes the "/" and the element stays open.
    TSimpleHTML quirk(QStringLiteral("<IMG SRC=pic.png/>"));
    QCOMPARE(quirk.Children(0)->Attributes(QStringLiteral("SRC")), QStringLiteral("pic.png/"));

    // Drawn picture: centred vertically, after HSPACE; requested once for measuring and drawing.
    requests = 0;
    TSimpleHTML doc(QStringLiteral("<IMG SRC=pic.png HSPACE=4 /><IMG SRC=pic.png />"));
    doc.OnGetImage = provide;
    Surface s(QSize(100, 30));
    doc.Draw(s.canvas, QRect(0, 0, 100, 30));
    s.finish();
    QCOMPARE(requests, 1);
    QCOMPARE(inkBox(s.image), QRect(4, 10, 20 + 4 + 20, 10));
}

void TestHtmlLayout::imageFromLocalFileAndCache()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.png"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(pngBytes(QSize(12, 9), Qt::red));
    f.close();
    TSimpleHTML doc(QStringLiteral("<IMG SRC=\"%1\" />").arg(path));
    QVERIFY(doc.IsValid());
    Surface s;
    QCOMPARE(doc.Extend(s.canvas), QSize(12, 9));
    QCOMPARE(&doc.GetImage(path), &doc.GetImage(path));
    // Not a picture, a folder, a device: empty pictures, no failure.
    QFile bad(dir.filePath(QStringLiteral("bad.png")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    QVERIFY(doc.GetImage(bad.fileName()).isNull());
    QVERIFY(doc.GetImage(dir.path()).isNull());
    QVERIFY(doc.GetImage(QStringLiteral("/dev/zero")).isNull());
}

void TestHtmlLayout::superAndSubscriptPlacement()
{
    struct Case {
        const char *html;
        int expect; // -1 top half, 1 bottom half
    } cases[] = {{"<SUP>\u2588</SUP>", -1}, {"<SUB>\u2588</SUB>", 1}};
    for (const Case &c : cases) {
        Surface s(QSize(60, 100));
        TSimpleHTML doc(QString::fromUtf8(c.html));
        doc.Draw(s.canvas, QRect(0, 0, 60, 100));
        s.finish();
        const QRect ink = inkBox(s.image);
        QVERIFY(ink.isValid());
        if (c.expect < 0)
            QVERIFY(ink.bottom() < 50);
        else
            QVERIFY(ink.top() > 50);
    }
    // Pictures follow the same rule.
    auto provide = [](TSimpleHTML *, const QString &, QImage &img) {
        img = QImage(10, 10, QImage::Format_RGB32);
        img.fill(Qt::black);
    };
    for (auto [html, top] : {std::pair{"<SUP><IMG SRC=a VSPACE=2 /></SUP>", 2}, std::pair{"<SUB><IMG SRC=a VSPACE=2 /></SUB>", 88},
                             std::pair{"<IMG SRC=a VSPACE=2 />", 45}}) {
        Surface s(QSize(60, 100));
        TSimpleHTML doc(QString::fromLatin1(html));
        doc.OnGetImage = provide;
        doc.Draw(s.canvas, QRect(0, 0, 60, 100));
        s.finish();
        QCOMPARE(inkBox(s.image).top(), top);
    }
}

void TestHtmlLayout::rightToLeftDrawing()
{
    // Children are laid out from the right edge leftwards.
    auto provide = [](TSimpleHTML *, const QString &uri, QImage &img) {
        img = QImage(10, 10, QImage::Format_RGB32);
        img.fill(uri == QLatin1String("r") ? Qt::red : Qt::blue);
    };
    Surface s(QSize(100, 20));
    TSimpleHTML doc(QStringLiteral("<SPAN DIR=RTL><IMG SRC=r /><IMG SRC=b /></SPAN>"));
    doc.OnGetImage = provide;
    doc.Draw(s.canvas, QRect(0, 0, 100, 20));
    s.finish();
    QCOMPARE(s.image.pixel(95, 10), qRgb(255, 0, 0));
    QCOMPARE(s.image.pixel(85, 10), qRgb(0, 0, 255));
    QCOMPARE(s.image.pixel(75, 10), qRgb(255, 255, 255));
    // Text reads right to left and ends at the right edge; LTR turns it off again.
    Surface t(QSize(200, 20));
    TSimpleHTML text(QStringLiteral("<B DIR=rtl>abc</B>"));
    text.Draw(t.canvas, QRect(0, 0, 200, 20));
    t.finish();
    const QRect ink = inkBox(t.image);
    QVERIFY(ink.left() > 150);
    QVERIFY(ink.right() >= 195);
    Surface u(QSize(200, 20));
    TSimpleHTML back(QStringLiteral("<B DIR=rtl><I DIR=LTR>abc</I></B>"));
    back.Draw(u.canvas, QRect(0, 0, 200, 20));
    u.finish();
    QVERIFY(inkBox(u.image).left() < 5);
}

void TestHtmlLayout::durPausesThenDraws()
{
    // The pause keeps the caller's events flowing; the content is drawn after it.
    bool fired = false;
    QTimer::singleShot(50, this, [&] { fired = true; });
    Surface s(QSize(100, 30));
    TSimpleHTML doc(QStringLiteral("<DUR>\u2588</DUR>"));
    QCOMPARE(doc.DurPauseMs, 500);
    doc.Draw(s.canvas, QRect(0, 0, 100, 30));
    s.finish();
    QVERIFY(fired);
    QVERIFY(inkBox(s.image).isValid());
}

void TestHtmlLayout::hostileInputStaysBounded_data()
{
    QTest::addColumn<QString>("html");
    QTest::newRow("deep nesting") << QString(QStringLiteral("<B>")).repeated(5000) + QStringLiteral("x");
    QTest::newRow("many ampersands") << QString(QStringLiteral("&")).repeated(200000);
    QTest::newRow("ampersands and a late semicolon") << QString(QStringLiteral("&x")).repeated(100000) + u';';
    QTest::newRow("huge font") << QStringLiteral("<FONT SIZE=99999999>x</FONT><FONT SIZE=-99999999>y</FONT>");
    QTest::newRow("big big big") << QString(QStringLiteral("<BIG>")).repeated(150) + u'x' + QString(QStringLiteral("</BIG>")).repeated(150);
    QTest::newRow("huge picture size") << QStringLiteral("<IMG SRC=q WIDTH=2147483647 HEIGHT=2147483647 HSPACE=2147483647 />");
    QTest::newRow("many DUR") << QString(QStringLiteral("<DUR>x</DUR>")).repeated(50);
    QTest::newRow("control characters") << QString::fromUtf8("\x01\x02\t\r\n<B>\xef\xbf\xbf</B>&#55296;");
}

void TestHtmlLayout::hostileInputStaysBounded()
{
    QFETCH(QString, html);
    TSimpleHTML doc(html);
    doc.DurPauseMs = 1; // the budget itself is exercised by the DUR row
    doc.MaxPauseTotalMs = 20;
    Surface s(QSize(200, 40));
    const QSize ext = doc.Extend(s.canvas);
    doc.Draw(s.canvas, QRect(0, 0, 200, 40));
    TSimpleLinks links;
    doc.CollectLinks(s.canvas, QRect(0, 0, 200, 40), links);
    s.finish();
    QVERIFY(qAbs(ext.width()) <= (1 << 20) && qAbs(ext.height()) <= (1 << 20));
}

void TestHtmlLayout::canvasRecall()
{
    QImage img(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setFont(baseFont());
    p.setPen(Qt::black);
    TCanvas c(&p);
    c.TextFlags = tfSubscript;
    {
        TCanvasRecall recall(&c);
        QFont f = p.font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::red);
        c.TextFlags = tfRtlReading | tfSuperscript;
    }
    QVERIFY(!p.font().bold());
    QCOMPARE(p.pen().color(), QColor(Qt::black));
    QCOMPARE(c.TextFlags, unsigned(tfSubscript));
    // Moving the recall to another canvas puts the first one back.
    QImage img2(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter p2(&img2);
    TCanvas c2(&p2);
    TCanvasRecall recall(&c);
    c.TextFlags = 0;
    recall.setReference(&c2);
    QCOMPARE(c.TextFlags, unsigned(tfSubscript));
    QCOMPARE(recall.Reference(), &c2);
}

QTEST_MAIN(TestHtmlLayout)
#include "test_htmllayout.moc"
