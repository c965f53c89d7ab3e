#pragma once
// The data grid: a table view over a record set configured by a column table (gridlayout.h).
// Header captions and colours, sorting by header click, filter buttons with value lists, a quick
// column chooser, type-ahead search, footer and group summaries, icon / check-box / picture /
// owner-drawn cells, proportional and best-fit widths, detaching during loads, and spreadsheet export.

#include "gridlayout.h"
#include "gridmodel.h"

#include <QHeaderView>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWidget>
#include <functional>
#include <map>

class QMenu;
class QToolButton;
class QLabel;
class QListWidget;

namespace b2b {

class RecordSet;
class DataGrid;

// What an owner-drawn cell gets.
struct GridCell {
    QPainter *painter = nullptr;
    QRect rect;
    int record = -1;     // record-set row
    int displayRow = -1; // row in the view, counted from 0 (even/odd colours)
    int column = -1;
    bool selected = false;
    QFont font;
    QColor background; // what the grid would fill: selection, even or odd colour
    QColor text;
    const RecordSet *recordSet = nullptr;
    const GridModel *model = nullptr;
};
// Returns true when it drew the cell completely; false lets the grid draw it.
using CustomDrawFn = std::function<bool(const GridCell &)>;

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(DataGrid *grid);
    void keyboardSearch(const QString &search) override;
    QString searchText() const { return searchText_; }

Q_SIGNALS:
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void updateGeometries() override;

private:
    friend class DataGrid;
    DataGrid *grid_;
    QString searchText_;
    qint64 lastSearchMs_ = 0;
};

class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    GridHeader(DataGrid *grid, QWidget *parent);
    QSize sizeHint() const override;
    QRect filterButtonRect(int logical) const; // in header coordinates; empty when none

protected:
    void paintSection(QPainter *p, const QRect &rect, int logical) const override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    DataGrid *grid_;
    int pressed_ = -1;
    QPoint pressPos_;
};

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(DataGrid *grid);
    void paint(QPainter *p, const QStyleOptionViewItem &opt, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &opt, const QModelIndex &index) const override;
    void clearPictures() const;

private:
    QImage picture(int record, const QByteArray &bytes) const;
    DataGrid *grid_;
    mutable std::map<int, QImage> pictures_; // decoded picture cells by record
};

class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(GridLayout layout, QWidget *parent = nullptr);
    ~DataGrid() override;

    const GridLayout &layout() const { return model_->layout(); }
    GridModel *model() const { return model_; }
    GridView *view() const { return view_; }
    GridHeader *header() const { return header_; }

    // Binding. The current record follows the focused row and the other way round.
    void setRecordSet(RecordSet *rs);
    RecordSet *recordSet() const;
    void detach();
    void attach();
    bool isAttached() const { return model_->isAttached(); }
    // Suspends and resumes redrawing (nesting).
    void beginUpdate();
    void endUpdate();
    bool isUpdating() const { return updateLock_ > 0; }

    // Columns are found by id (field or column name, case-insensitive); a field bound twice is
    // told apart by occurrence. Calls naming no column are ignored.
    int columnIndex(const QString &key, int occurrence = 0) const;
    bool isColumnVisible(int column) const;
    bool isColumnVisible(const QString &key) const { return isColumnVisible(columnIndex(key)); }
    void setColumnVisible(int column, bool visible);
    void setColumnVisible(const QString &key, bool visible) { setColumnVisible(columnIndex(key), visible); }
    bool isColumnInChooser(int column) const;
    bool isColumnInChooser(const QString &key) const { return isColumnInChooser(columnIndex(key)); }
    void setColumnInChooser(int column, bool offered);
    void setColumnInChooser(const QString &key, bool offered) { setColumnInChooser(columnIndex(key), offered); }
    // Role changes: shown and offered, or hidden and not offered, in one call.
    void setColumnAvailable(const QString &key, bool available, int occurrence = 0);
    std::vector<int> chooserColumns() const; // in position order
    QStringList chooserEntries() const;      // their header texts
    std::vector<int> visibleColumns() const; // in visual order
    int columnWidth(const QString &key) const;
    void setColumnWidth(const QString &key, int width);

    void setRowHeight(int h);
    int rowHeight() const;
    int headerHeight() const;

    // Widths.
    int clientWidth() const;
    bool SutunGenislikleri(int clientWidth); // false: nothing changed (weights sum to 0)
    bool SutunGenislikleri() { return SutunGenislikleri(clientWidth()); }
    void bestFit();
    void bestFitColumn(int column);
    void setFitToWidth(bool on);
    bool fitToWidth() const { return fitToWidth_; }

    // Filters, sorting, grouping.
    void clearFilters();
    void setFilterValues(const QString &key, const QStringList &keys);
    void sortBy(const QString &key, Qt::SortOrder order = Qt::AscendingOrder);
    void setGroupColumn(int column);
    void collapseAll() { model_->collapseAll(); }
    void expandAll() { model_->expandAll(); }

    void setCustomDraw(const QString &key, CustomDrawFn fn);
    const CustomDrawFn *customDraw(int column) const;

    // Focus.
    int focusedRecord() const;
    int focusedColumn() const;
    QString focusedColumnId() const;
    void focusRecord(int record);

    // Export of the visible columns, every filtered row, groups expanded, typed cells.
    bool exportToFile(const QString &path, QString *error) const;
    // Asks for the file name through the UI seam; failures are shown as an error message.
    bool exportToExcel(QWidget *owner = nullptr);

    // Popups (also reachable with the mouse); the objects are children named "filterPopup" and
    // "columnChooserMenu".
    void openFilterPopup(int column);
    QMenu *openColumnChooser(const QPoint &globalPos = QPoint());
    QWidget *filterPopup() const { return filterPopup_; }

    // Footer cells, as painted.
    QString footerText(int column) const { return model_->footerText(column); }

Q_SIGNALS:
    void doubleClicked(int record);
    void focusedRecordChanged(int record);
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void resized(int clientWidth);

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    friend class GridView;
    friend class GridHeader;
    friend class GridDelegate;
    void applyVisibility();
    void applyFitToWidth();
    void syncCurrentFromRecordSet();
    void onViewCurrentChanged(const QModelIndex &cur);
    void afterRebuild();
    void afterReload();
    void updateGroupBox();
    void positionChooserButton();
    void onHeaderClicked(int logical);
    QFont headerFont() const;

    GridModel *model_ = nullptr;
    GridView *view_ = nullptr;
    GridHeader *header_ = nullptr;
    GridDelegate *delegate_ = nullptr;
    QWidget *footer_ = nullptr;
    QWidget *groupBox_ = nullptr;
    QLabel *groupHint_ = nullptr;
    QToolButton *groupChip_ = nullptr;
    QToolButton *chooserButton_ = nullptr;
    QPointer<QMenu> chooserMenu_;
    QPointer<QWidget> filterPopup_;
    std::vector<bool> visible_;
    std::vector<bool> inChooser_;
    std::vector<int> groupHidden_; // columns hidden because they are grouped
    std::map<int, CustomDrawFn> customDraw_;
    int updateLock_ = 0;
    bool fitToWidth_ = false;
    bool syncing_ = false;
    bool rebuilding_ = false;
    int restoreRecord_ = -1;
    int restoreColumn_ = -1;
};

} // namespace b2b
