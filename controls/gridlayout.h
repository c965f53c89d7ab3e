#pragma once
// Column tables of the record-set grids: what each column shows and how, plus the per-grid options
// (sorting, search, filters, chooser, footer, grouping, sizes and colours).

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

namespace b2b {

// S, H, N of the column tables.
enum class Visibility { Shown, Hidden, Never };

enum class Summary { None, Count, Sum, Average };

enum class CellKind {
    Text,      // display text of the field (numbers included)
    MultiLine, // memo text, wrapped over several lines
    Icon,      // an icon chosen by the field's integer value (see IconMap)
    CheckBox,  // flag field: 1 checked, 0 unchecked
    Picture,   // encoded picture bytes (JPEG, PNG, ...)
    Custom,    // drawn by the owner's callback
};

// The three image lists of the grids.
enum class IconList { Status, Picture, Flag };

struct IconValue {
    int value = 0;
    int icon = -1;       // -1 = no image
    QString description; // the value's text where the grid lists values (filter)
};

struct IconMap {
    IconList list = IconList::Status;
    std::vector<IconValue> values;
    int otherIcon = -1; // image for values outside the table
    const IconValue *find(int v) const {
        for (const IconValue &iv : values)
            if (iv.value == v) return &iv;
        return nullptr;
    }
};

// Stock status codes 0..5; the second depot shows nothing for 0.
IconMap statusIconMap(bool secondDepot = false);
IconMap pictureFlagIconMap();            // RESIM
IconMap newFlagIconMap();                // Y
IconMap campaignFlagIconMap(bool newItemsGrid = false); // K

struct ColumnSpec {
    int position = 0;      // 1-based place in the grid
    QString field;         // bound field; empty for unbound (custom-drawn) columns
    QString caption;       // empty: the header shows the field name
    Visibility visibility = Visibility::Shown;
    int weight = 0;        // share in the proportional width rule
    Summary footer = Summary::None;
    CellKind kind = CellKind::Text;
    Qt::Alignment align = {}; // horizontal; empty = by field kind (numbers right, icons centred)
    bool wrap = false;        // text wraps over several lines
    QString name;             // column id for unbound columns and the window's lookups; defaults to field
    IconMap icons;            // for CellKind::Icon
    int width = 0;            // initial width; 0 = default
    bool filterable = true;   // filter button (when the grid has them)
    bool focusable = true;
    bool searchable = true;   // type-ahead search may use this column
    bool offered = true;      // a shown column the chooser may still leave out (the basket's "Seç")
    bool movable = true;      // the user may drag this column elsewhere
    bool resizable = true;    // the user may change this column's width

    QString id() const { return name.isEmpty() ? field : name; }
    QString headerText() const { return caption.isEmpty() ? field : caption; }
};

struct GridColors {
    QColor even{0xEF, 0xEF, 0xEF};      // rows 0, 2, 4, ...
    QColor odd{Qt::white};
    QColor text{Qt::black};
    QColor header{0x3D, 0x41, 0x4A};
    QColor headerText{Qt::white};
    QColor selection{0xD2, 0xF0, 0xF9};
    QColor selectionText{Qt::black};
    QColor gridLines{Qt::white};
    QColor indicator{66, 66, 66};
    QColor footer{0xE4, 0xE6, 0xEA};
    QColor group{0xD8, 0xDC, 0xE2};
};

struct GridLayout {
    QString viewName; // objectName of the table view, e.g. "cxGrid1DBTableView1"
    QString gridName; // objectName of the grid widget, e.g. "cxGrid1"
    std::vector<ColumnSpec> columns; // in position order

    bool sortable = true;
    bool incrementalSearch = true;
    bool filterButtons = true;
    bool columnChooser = true;
    bool groupByBox = false;
    bool footer = true;
    bool showHeader = true;
    bool rowIndicator = false; // 5 px strip left of the rows
    bool wholeRowSelection = true;
    bool focusRect = false;
    bool usesWeights = false;  // the proportional width rule applies
    bool fitToWidth = false;   // columns always share the grid's width
    bool bestFitOnLoad = false;
    bool pixelScroll = false;
    bool columnsMovable = true;
    bool columnsResizable = true;
    int headerHeight = 40;
    int rowHeight = 40;
    QString headerFontFamily; // empty: the widget's font
    int headerFontPixelSize = 13;

    // Grouping: the grouping field (its column hidden), group summaries shown in a footer row
    // under every group, and whether groups close after each load.
    QString groupField;
    std::vector<std::pair<QString, Summary>> groupSummaries; // field, kind
    bool groupFootersAlways = false;
    bool collapseAfterLoad = false;

    GridColors colors;

    int indexOf(const QString &idOrField, int occurrence = 0) const;
};

// Proportional column widths: unit = (clientWidth - 30) / sum of the weights, truncated; each
// width = weight * unit. Empty result (no change) when the sum is 0 or the unit is not positive.
std::vector<int> proportionalWidths(const std::vector<int> &weights, int clientWidth);

// ---- the grids ----
GridLayout stokListesiLayout();       // stock list, cxGrid1DBTableView1 on stok
GridLayout yenilerLayout();           // new items, cxGridDBTableView5 on YENILER
GridLayout kampanyaliLayout();        // campaign items, cxGridDBTableViewkampanyali on kampstok
GridLayout sepetLayout();             // basket, cxGridDBTableView1 in cxGrid2 on sepet
GridLayout bakiyeSiparislerLayout();  // order balances window, cxGridDBTableView1 on bakiyesepet
GridLayout siparisAyrintiLayout();    // order detail window, cxGridDBTableView1 on sepet
GridLayout tumSiparislerLayout();     // all-orders window, cxGridDBTableView1 on bakiyesepet
GridLayout oncekiSiparislerLayout();  // previous orders, cxGridDBTableView2 in cxGrid3 on ONCEKILER
GridLayout siparisRaporuLayout();     // orders report, cxGrid1DBTableView1 on siparis
GridLayout cariEkstreLayout();        // account statement, cxGridDBTableView4 in cxGrid5 on EKSTRE
GridLayout faturaLayout();            // invoice lines, cxGridDBTableView1 in cxGrid2 on fatura
GridLayout tahsilatLayout();          // collection, cxGridDBTableView1 on TAH
GridLayout stokHareketLayout();       // stock movements, cxGrid1DBTableView1 on har
GridLayout carilerLayout();           // customers, cxGrid1DBTableView1 on CARILER
GridLayout satilanStoklarLayout();    // best-seller report, cxGridDBTableView1 on stok
GridLayout duyuruLayout();            // announcements, cxGridduyuruBandedDuyuru (fields Resim, Baslik, Arama)

struct NamedLayout {
    QString key; // short name used by the gallery and tests
    GridLayout layout;
};
std::vector<NamedLayout> allGridLayouts();

} // namespace b2b
