#include "grid.h"

#include "gridexport.h"
#include "gridicons.h"
#include "recordset.h"
#include "uiseam.h"

#include <QSignalBlocker>
#include <QApplication>
#include <QBoxLayout>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>

namespace b2b {

namespace {

const char *kColumnMime = "application/x-b2b-grid-column";
constexpr int kFilterButton = 16;
constexpr int kChooserButton = 18;
constexpr int kBestFitSample = 1000;

QString blankText() { return QStringLiteral("(Boş)"); }

// ---- row indicator ----
class GridIndicator : public QHeaderView {
public:
    GridIndicator(DataGrid *grid, QWidget *parent) : QHeaderView(Qt::Vertical, parent), grid_(grid) {
        setSectionResizeMode(QHeaderView::Fixed);
        setMinimumSectionSize(1);
        setSectionsClickable(false);
        setHighlightSections(false);
    }
    QSize sizeHint() const override { return {5, QHeaderView::sizeHint().height()}; }

protected:
    void paintSection(QPainter *p, const QRect &rect, int logical) const override {
        const GridColors &c = grid_->layout().colors;
        p->fillRect(rect, c.indicator);
        if (grid_->view()->currentIndex().row() == logical) p->fillRect(rect.adjusted(1, rect.height() / 2 - 4, -1, -(rect.height() / 2 - 4)), Qt::white);
    }
    void paintEvent(QPaintEvent *e) override {
        QPainter p(viewport());
        p.fillRect(viewport()->rect(), grid_->layout().colors.indicator);
        p.end();
        QHeaderView::paintEvent(e);
    }

private:
    DataGrid *grid_;
};

// ---- footer row ----
class GridFooter : public QWidget {
public:
    explicit GridFooter(DataGrid *grid) : QWidget(grid), grid_(grid) {
        setObjectName(QStringLiteral("footer"));
        QFont f = font();
        f.setBold(true);
        setFont(f);
        setFixedHeight(fontMetrics().height() + 14);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        const GridColors &c = grid_->layout().colors;
        p.fillRect(rect(), c.footer);
        GridView *v = grid_->view();
        QHeaderView *h = v->horizontalHeader();
        const int origin = v->viewport()->mapTo(grid_, QPoint(0, 0)).x() - mapTo(grid_, QPoint(0, 0)).x();
        p.setClipRect(QRect(origin, 0, v->viewport()->width(), height()));
        for (int vi = 0; vi < h->count(); ++vi) {
            const int col = h->logicalIndex(vi);
            if (h->isSectionHidden(col)) continue;
            const QString text = grid_->model()->footerText(col);
            if (text.isEmpty()) continue;
            const QRect cell(origin + h->sectionViewportPosition(col) + 2, 3, h->sectionSize(col) - 4, height() - 6);
            p.setPen(c.footer.darker(130));
            p.setBrush(c.footer.lighter(108));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            p.setPen(c.text);
            p.drawText(cell.adjusted(3, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                       p.fontMetrics().elidedText(text, Qt::ElideRight, cell.width() - 7));
        }
    }

private:
    DataGrid *grid_;
};

// ---- group-by box ----
class GroupBox : public QFrame {
public:
    explicit GroupBox(DataGrid *grid) : QFrame(grid), grid_(grid) {
        setObjectName(QStringLiteral("groupByBox"));
        setAcceptDrops(true);
        setFixedHeight(34);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0x8A, 0x8F, 0x99));
        pal.setColor(QPalette::WindowText, Qt::white);
        setPalette(pal);
    }

protected:
    void dragEnterEvent(QDragEnterEvent *e) override {
        if (e->mimeData()->hasFormat(QLatin1String(kColumnMime))) e->acceptProposedAction();
    }
    void dropEvent(QDropEvent *e) override {
        const int column = e->mimeData()->data(QLatin1String(kColumnMime)).toInt();
        grid_->setGroupColumn(column);
        e->acceptProposedAction();
    }

private:
    DataGrid *grid_;
};

// ---- filter drop-down ----
class FilterPopup : public QFrame {
public:
    FilterPopup(DataGrid *grid, int column) : QFrame(grid, Qt::Popup), grid_(grid), column_(column) {
        setObjectName(QStringLiteral("filterPopup"));
        setAttribute(Qt::WA_DeleteOnClose);
        setFrameShape(QFrame::StyledPanel);
        auto *lay = new QVBoxLayout(this);
        lay->setContentsMargins(4, 4, 4, 4);
        list_ = new QListWidget(this);
        list_->setObjectName(QStringLiteral("filterList"));
        lay->addWidget(list_);
        auto *clear = new QPushButton(QStringLiteral("Filtreyi Temizle"), this);
        clear->setObjectName(QStringLiteral("filterClear"));
        lay->addWidget(clear);
        const GridModel *m = grid_->model();
        const QSet<QString> ticked = m->filter(column);
        for (const QString &key : m->distinctKeys(column)) {
            auto *item = new QListWidgetItem(key.isEmpty() ? blankText() : key, list_);
            item->setData(Qt::UserRole, key);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(ticked.contains(key) ? Qt::Checked : Qt::Unchecked);
        }
        connect(list_, &QListWidget::itemChanged, this, [this] { apply(); });
        connect(clear, &QPushButton::clicked, this, [this] {
            grid_->model()->clearFilter(column_);
            close();
        });
        resize(240, 320);
    }
    int column() const { return column_; }

private:
    void apply() {
        QSet<QString> keys;
        for (int i = 0; i < list_->count(); ++i)
            if (list_->item(i)->checkState() == Qt::Checked) keys.insert(list_->item(i)->data(Qt::UserRole).toString());
        if (keys.isEmpty()) grid_->model()->clearFilter(column_);
        else grid_->model()->setFilter(column_, keys);
        grid_->header()->viewport()->update();
    }
    DataGrid *grid_;
    int column_;
    QListWidget *list_;
};

void drawTriangle(QPainter *p, const QRectF &r, bool up, const QColor &c) {
    QPainterPath path;
    if (up) {
        path.moveTo(r.left(), r.bottom());
        path.lineTo(r.right(), r.bottom());
        path.lineTo(r.center().x(), r.top());
    } else {
        path.moveTo(r.left(), r.top());
        path.lineTo(r.right(), r.top());
        path.lineTo(r.center().x(), r.bottom());
    }
    path.closeSubpath();
    p->fillPath(path, c);
}

} // namespace

// ======================= GridView =======================

GridView::GridView(DataGrid *grid) : QTableView(grid), grid_(grid) {}

void GridView::keyboardSearch(const QString &search) {
    const GridModel *m = grid_->model();
    if (!m->layout().incrementalSearch || search.isEmpty()) return;
    const QModelIndex cur = currentIndex();
    const int column = cur.isValid() ? cur.column() : -1;
    if (column < 0) return;
    const ColumnSpec &cs = m->columnSpec(column);
    if (!cs.searchable || cs.kind == CellKind::CheckBox || cs.kind == CellKind::Picture ||
        cs.kind == CellKind::Custom || cs.field.isEmpty())
        return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastSearchMs_ > QApplication::keyboardInputInterval()) searchText_.clear();
    lastSearchMs_ = now;
    const QString wanted = searchText_ + search;
    const int rows = m->rowCount();
    const int start = std::max(0, cur.row());
    for (int i = 0; i < rows; ++i) {
        const int r = (start + i) % rows;
        const int rec = m->recordAt(r);
        if (rec < 0) continue;
        if (m->displayText(rec, column).startsWith(wanted, Qt::CaseInsensitive)) {
            searchText_ = wanted;
            setCurrentIndex(m->index(r, column));
            viewport()->update();
            return;
        }
    }
    // no row starts with the longer text: the typed character is dropped
}

void GridView::paintEvent(QPaintEvent *e) {
    QTableView::paintEvent(e);
    const GridModel *m = grid_->model();
    if (m->groupCount() == 0) return;
    QPainter p(viewport());
    const GridColors &c = m->layout().colors;
    const int first = std::max(0, rowAt(0));
    int last = rowAt(viewport()->height());
    if (last < 0) last = m->rowCount() - 1;
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    for (int r = first; r <= last; ++r) {
        if (m->rowKind(r) != GridModel::RowKind::GroupHeader) continue;
        const QRect rect(0, rowViewportPosition(r), viewport()->width(), rowHeight(r));
        const bool current = currentIndex().row() == r;
        p.fillRect(rect, current ? c.selection : c.group);
        p.setPen(c.gridLines);
        p.drawLine(rect.bottomLeft(), rect.bottomRight());
        const int g = m->groupAt(r);
        const QRect box(rect.left() + 6, rect.center().y() - 5, 11, 11);
        p.setPen(c.text);
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.drawLine(box.left() + 2, box.center().y(), box.right() - 2, box.center().y());
        if (!m->isGroupExpanded(g)) p.drawLine(box.center().x(), box.top() + 2, box.center().x(), box.bottom() - 2);
        p.setPen(current ? c.selectionText : c.text);
        p.drawText(rect.adjusted(24, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, m->groupText(g));
    }
}

void GridView::mousePressEvent(QMouseEvent *e) {
    const GridModel *m = grid_->model();
    const int r = rowAt(e->position().toPoint().y());
    if (r >= 0 && m->rowKind(r) == GridModel::RowKind::GroupHeader && e->position().x() < 22) {
        const int g = m->groupAt(r);
        grid_->model()->setGroupExpanded(g, !m->isGroupExpanded(g));
        return;
    }
    QTableView::mousePressEvent(e);
}

void GridView::mouseDoubleClickEvent(QMouseEvent *e) {
    const GridModel *m = grid_->model();
    const int r = rowAt(e->position().toPoint().y());
    if (r >= 0 && m->rowKind(r) == GridModel::RowKind::GroupHeader) {
        const int g = m->groupAt(r);
        grid_->model()->setGroupExpanded(g, !m->isGroupExpanded(g));
        return;
    }
    QTableView::mouseDoubleClickEvent(e);
    if (r >= 0) {
        const int rec = m->recordAt(r);
        if (rec >= 0) Q_EMIT grid_->doubleClicked(rec);
    }
}

void GridView::keyPressEvent(QKeyEvent *e) {
    Q_EMIT keyPressed(e->key(), e->modifiers());
    if (e->key() == Qt::Key_Escape) searchText_.clear();
    const GridModel *m = grid_->model();
    const int r = currentIndex().row();
    if (r >= 0 && m->rowKind(r) == GridModel::RowKind::GroupHeader) {
        const int g = m->groupAt(r);
        if (e->key() == Qt::Key_Plus || e->key() == Qt::Key_Right) {
            grid_->model()->setGroupExpanded(g, true);
            return;
        }
        if (e->key() == Qt::Key_Minus || e->key() == Qt::Key_Left) {
            grid_->model()->setGroupExpanded(g, false);
            return;
        }
    }
    QTableView::keyPressEvent(e);
}

void GridView::resizeEvent(QResizeEvent *e) {
    QTableView::resizeEvent(e);
    grid_->applyFitToWidth();
}

void GridView::updateGeometries() {
    QTableView::updateGeometries();
    grid_->positionChooserButton();
}

// ======================= GridHeader =======================

GridHeader::GridHeader(DataGrid *grid, QWidget *parent) : QHeaderView(Qt::Horizontal, parent), grid_(grid) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMinimumSectionSize(8);
}

QSize GridHeader::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    s.setHeight(grid_->layout().headerHeight);
    return s;
}

QRect GridHeader::filterButtonRect(int logical) const {
    const GridLayout &l = grid_->layout();
    if (logical < 0 || logical >= count() || !l.filterButtons) return {};
    const ColumnSpec &cs = l.columns[size_t(logical)];
    if (!cs.filterable || cs.field.isEmpty() || cs.kind == CellKind::Picture) return {};
    const int x = sectionViewportPosition(logical);
    const int w = sectionSize(logical);
    if (w < kFilterButton + 6) return {};
    return QRect(x + w - kFilterButton - 3, (height() - kFilterButton) / 2, kFilterButton, kFilterButton);
}

void GridHeader::paintSection(QPainter *p, const QRect &rect, int logical) const {
    const GridLayout &l = grid_->layout();
    const GridColors &c = l.colors;
    p->save();
    p->fillRect(rect, c.header);
    p->setPen(c.header.lightness() < 128 ? c.header.lighter(220) : c.header.darker(130));
    p->drawLine(rect.topRight(), rect.bottomRight());
    QRect textRect = rect.adjusted(6, 0, -4, 0);
    const QRect fb = filterButtonRect(logical).translated(rect.left() - sectionViewportPosition(logical), 0);
    if (!fb.isNull()) textRect.setRight(fb.left() - 2);
    const GridModel *m = grid_->model();
    if (m->sortColumn() == logical) {
        const QRectF arrow(textRect.right() - 9, rect.center().y() - 3, 8, 6);
        drawTriangle(p, arrow, m->sortOrder() == Qt::AscendingOrder, c.headerText);
        textRect.setRight(int(arrow.left()) - 3);
    }
    p->setFont(grid_->headerFont());
    p->setPen(c.headerText);
    const QString text = m->headerData(logical, Qt::Horizontal).toString();
    p->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                p->fontMetrics().elidedText(text, Qt::ElideRight, std::max(0, textRect.width())));
    if (!fb.isNull()) {
        const bool active = m->hasFilter(logical);
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(c.headerText);
        p->setBrush(active ? QColor(255, 200, 0) : c.header.lighter(150));
        p->drawRoundedRect(QRectF(fb).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        drawTriangle(p, QRectF(fb).adjusted(4, 6, -4, -5), false, active ? QColor(Qt::black) : c.headerText);
    }
    p->restore();
}

void GridHeader::mousePressEvent(QMouseEvent *e) {
    const QPoint pos = e->position().toPoint();
    const int logical = logicalIndexAt(pos);
    if (e->button() == Qt::LeftButton && logical >= 0 && filterButtonRect(logical).contains(pos)) {
        grid_->openFilterPopup(logical);
        return;
    }
    pressed_ = e->button() == Qt::LeftButton ? logical : -1;
    pressPos_ = pos;
    QHeaderView::mousePressEvent(e);
}

void GridHeader::mouseMoveEvent(QMouseEvent *e) {
    // Dragging a header upwards out of the header offers it to the group-by box.
    if (pressed_ >= 0 && grid_->groupBox_ && e->position().y() < -8) {
        const int column = pressed_;
        pressed_ = -1;
        auto *drag = new QDrag(this);
        auto *mime = new QMimeData;
        mime->setData(QLatin1String(kColumnMime), QByteArray::number(column));
        drag->setMimeData(mime);
        drag->exec(Qt::MoveAction);
        return;
    }
    QHeaderView::mouseMoveEvent(e);
}

void GridHeader::mouseReleaseEvent(QMouseEvent *e) {
    pressed_ = -1;
    QHeaderView::mouseReleaseEvent(e);
}

void GridHeader::contextMenuEvent(QContextMenuEvent *e) {
    const int logical = logicalIndexAt(e->pos());
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("headerMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    GridModel *m = grid_->model();
    if (logical >= 0 && m->canSort(logical)) {
        menu->addAction(QStringLiteral("Artan Sırala"), this, [m, logical] { m->sortBy(logical, Qt::AscendingOrder); });
        menu->addAction(QStringLiteral("Azalan Sırala"), this, [m, logical] { m->sortBy(logical, Qt::DescendingOrder); });
        if (m->sortColumn() >= 0) menu->addAction(QStringLiteral("Sıralamayı Kaldır"), this, [m] { m->clearSort(); });
        menu->addSeparator();
    }
    if (grid_->groupBox_) {
        if (logical >= 0)
            menu->addAction(QStringLiteral("Bu Sütuna Göre Grupla"), this, [this, logical] { grid_->setGroupColumn(logical); });
        if (m->groupColumn() >= 0) {
            menu->addAction(QStringLiteral("Gruplamayı Kaldır"), this, [this] { grid_->setGroupColumn(-1); });
            menu->addAction(QStringLiteral("Tümünü Aç"), this, [m] { m->expandAll(); });
            menu->addAction(QStringLiteral("Tümünü Kapat"), this, [m] { m->collapseAll(); });
        }
        menu->addSeparator();
    }
    if (logical >= 0 && grid_->layout().columnsResizable) {
        menu->addAction(QStringLiteral("En Uygun Genişlik"), this, [this, logical] { grid_->bestFitColumn(logical); });
        menu->addAction(QStringLiteral("En Uygun Genişlik (Tüm Sütunlar)"), this, [this] { grid_->bestFit(); });
    }
    if (grid_->layout().columnChooser) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("Sütun Seçici"), this, [this, e] { grid_->openColumnChooser(); });
    }
    if (m->hasAnyFilter()) menu->addAction(QStringLiteral("Filtreleri Temizle"), this, [this] { grid_->clearFilters(); });
    if (menu->actions().isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(e->globalPos());
}

// ======================= GridDelegate =======================

GridDelegate::GridDelegate(DataGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

void GridDelegate::clearPictures() const { pictures_.clear(); }

QImage GridDelegate::picture(int record, const QByteArray &bytes) const {
    auto it = pictures_.find(record);
    if (it != pictures_.end()) return it->second;
    QImage img;
    if (!bytes.isEmpty()) img.loadFromData(bytes);
    if (pictures_.size() > 64) pictures_.clear(); // a handful of 405-px rows are on screen at once
    pictures_[record] = img;
    return img;
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem &opt, const QModelIndex &index) const {
    QSize s = QStyledItemDelegate::sizeHint(opt, index);
    s.setHeight(grid_->rowHeight());
    return s;
}

void GridDelegate::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const {
    const GridModel *m = grid_->model();
    const GridLayout &l = m->layout();
    const GridColors &c = l.colors;
    const int row = index.row();
    const int column = index.column();
    const QRect r = option.rect;
    p->save();
    auto gridLines = [&] {
        p->setPen(c.gridLines);
        p->drawLine(r.topRight(), r.bottomRight());
        p->drawLine(r.bottomLeft(), r.bottomRight());
    };
    const GridModel::RowKind kind = m->rowKind(row);
    if (kind != GridModel::RowKind::Record) {
        p->fillRect(r, c.group);
        if (kind == GridModel::RowKind::GroupFooter) {
            const QString text = index.data().toString();
            if (!text.isEmpty()) {
                QFont f = option.font;
                f.setBold(true);
                p->setFont(f);
                p->setPen(c.text);
                p->drawText(r.adjusted(4, 0, -5, 0), Qt::AlignRight | Qt::AlignVCenter,
                            p->fontMetrics().elidedText(text, Qt::ElideRight, r.width() - 9));
            }
        }
        gridLines();
        p->restore();
        return;
    }
    const QModelIndex current = grid_->view()->currentIndex();
    const bool selected = current.isValid() && current.row() == row;
    const bool focusedCell = selected && !l.wholeRowSelection && current.column() == column;
    QColor bg = selected ? c.selection : (row % 2 == 0 ? c.even : c.odd);
    if (focusedCell) bg = c.selection.darker(112);
    const QColor fg = selected ? c.selectionText : c.text;
    if (const CustomDrawFn *fn = grid_->customDraw(column)) {
        GridCell cell;
        cell.painter = p;
        cell.rect = r;
        cell.record = m->recordAt(row);
        cell.displayRow = row;
        cell.column = column;
        cell.selected = selected;
        cell.font = option.font;
        cell.background = bg;
        cell.text = fg;
        cell.recordSet = m->recordSet();
        cell.model = m;
        p->save();
        const bool done = (*fn)(cell);
        p->restore();
        if (done) {
            gridLines();
            p->restore();
            return;
        }
    }
    p->fillRect(r, bg);
    const ColumnSpec &cs = m->columnSpec(column);
    const QRect content = r.adjusted(4, 2, -4, -2);
    Qt::Alignment h = cs.align ? cs.align : Qt::AlignHCenter;
    auto placed = [&](QSize s) {
        int x = content.left() + (content.width() - s.width()) / 2;
        if (h & Qt::AlignLeft) x = content.left();
        else if (h & Qt::AlignRight) x = content.right() - s.width() + 1;
        return QRect(QPoint(x, content.top() + (content.height() - s.height()) / 2), s);
    };
    switch (cs.kind) {
    case CellKind::Icon: {
        const QVariant dec = index.data(Qt::DecorationRole);
        if (dec.canConvert<QPixmap>()) {
            const QPixmap pm = dec.value<QPixmap>();
            if (!pm.isNull()) p->drawPixmap(placed(pm.deviceIndependentSize().toSize()), pm);
        }
        break;
    }
    case CellKind::CheckBox: {
        const QVariant check = index.data(Qt::CheckStateRole);
        if (check.isValid()) {
            QStyleOptionViewItem o(option);
            o.rect = placed(QSize(16, 16));
            o.state = QStyle::State_Enabled | (check.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
            const QWidget *w = grid_->view();
            w->style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &o, p, w);
        }
        break;
    }
    case CellKind::Picture: {
        const int rec = m->recordAt(row);
        const QImage img = picture(rec, index.data(GridModel::ValueRole).toByteArray());
        if (!img.isNull()) {
            const QSize s = img.size().scaled(content.size(), Qt::KeepAspectRatio);
            const QSize drawn = img.width() <= content.width() && img.height() <= content.height() ? img.size() : s;
            p->setRenderHint(QPainter::SmoothPixmapTransform);
            p->drawImage(placed(drawn), img);
        }
        break;
    }
    case CellKind::Custom: break;
    case CellKind::Text:
    case CellKind::MultiLine: {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) break;
        const int align = index.data(Qt::TextAlignmentRole).toInt();
        p->setFont(option.font);
        p->setPen(fg);
        if (cs.wrap || cs.kind == CellKind::MultiLine) {
            p->setClipRect(r);
            p->drawText(content, align | Qt::TextWordWrap, text);
        } else {
            p->drawText(content, align, p->fontMetrics().elidedText(text, Qt::ElideRight, content.width()));
        }
        break;
    }
    }
    gridLines();
    p->restore();
}

// ======================= DataGrid =======================

DataGrid::DataGrid(GridLayout layout, QWidget *parent) : QWidget(parent) {
    const GridLayout &l = layout;
    setObjectName(l.gridName);
    model_ = new GridModel(std::move(layout), this);
    const GridLayout &lay = model_->layout();
    visible_.resize(lay.columns.size());
    inChooser_.resize(lay.columns.size());
    for (size_t i = 0; i < lay.columns.size(); ++i) {
        visible_[i] = lay.columns[i].visibility == Visibility::Shown;
        inChooser_[i] = lay.columns[i].visibility != Visibility::Never && lay.columns[i].offered;
    }
    fitToWidth_ = lay.fitToWidth;

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    if (lay.groupByBox) {
        groupBox_ = new GroupBox(this);
        auto *gl = new QHBoxLayout(groupBox_);
        gl->setContentsMargins(8, 4, 8, 4);
        groupHint_ = new QLabel(QStringLiteral("Gruplamak istediğiniz sütunun başlığını buraya sürükleyin"), groupBox_);
        groupHint_->setObjectName(QStringLiteral("groupHint"));
        groupChip_ = new QToolButton(groupBox_);
        groupChip_->setObjectName(QStringLiteral("groupChip"));
        groupChip_->setToolTip(QStringLiteral("Gruplamayı Kaldır"));
        connect(groupChip_, &QToolButton::clicked, this, [this] { setGroupColumn(-1); });
        gl->addWidget(groupChip_);
        gl->addWidget(groupHint_);
        gl->addStretch();
        box->addWidget(groupBox_);
    }

    view_ = new GridView(this);
    view_->setObjectName(lay.viewName);
    header_ = new GridHeader(this, view_);
    header_->setObjectName(QStringLiteral("header"));
    view_->setHorizontalHeader(header_);
    view_->setVerticalHeader(new GridIndicator(this, view_));
    view_->verticalHeader()->setObjectName(QStringLiteral("rowIndicator"));
    delegate_ = new GridDelegate(this);
    view_->setItemDelegate(delegate_);
    view_->setModel(model_);
    view_->setShowGrid(false);
    view_->setWordWrap(false);
    view_->setCornerButtonEnabled(false);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setSelectionBehavior(lay.wholeRowSelection ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view_->setVerticalScrollMode(lay.pixelScroll ? QAbstractItemView::ScrollPerPixel : QAbstractItemView::ScrollPerItem);
    view_->setTabKeyNavigation(false);
    view_->verticalHeader()->setVisible(lay.rowIndicator);
    header_->setVisible(lay.showHeader);
    header_->setSectionsMovable(lay.columnsMovable);
    header_->setSectionResizeMode(lay.columnsResizable ? QHeaderView::Interactive : QHeaderView::Fixed);
    for (size_t i = 0; i < lay.columns.size(); ++i)
        if (!lay.columns[i].resizable) header_->setSectionResizeMode(int(i), QHeaderView::Fixed);
    // Columns that must stay in place are put back when dragged.
    connect(header_, &QHeaderView::sectionMoved, this, [this](int logical, int oldVisual, int newVisual) {
        const auto &cols = model_->layout().columns;
        if (logical < 0 || logical >= int(cols.size()) || cols[size_t(logical)].movable) return;
        const QSignalBlocker block(header_);
        header_->moveSection(newVisual, oldVisual);
    });
    header_->setStretchLastSection(false);
    setRowHeight(lay.rowHeight);
    for (size_t i = 0; i < lay.columns.size(); ++i) {
        const ColumnSpec &c = lay.columns[i];
        header_->resizeSection(int(i), c.width > 0 ? c.width : (c.weight > 0 ? c.weight * 60 : 100));
    }
    box->addWidget(view_, 1);

    if (lay.footer) {
        footer_ = new GridFooter(this);
        box->addWidget(footer_);
        connect(model_, &GridModel::summariesChanged, footer_, qOverload<>(&QWidget::update));
        connect(header_, &QHeaderView::sectionResized, footer_, qOverload<>(&QWidget::update));
        connect(header_, &QHeaderView::sectionMoved, footer_, qOverload<>(&QWidget::update));
        connect(header_, &QHeaderView::geometriesChanged, footer_, qOverload<>(&QWidget::update));
        connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, footer_, qOverload<>(&QWidget::update));
    }

    if (lay.columnChooser && lay.showHeader) {
        chooserButton_ = new QToolButton(header_);
        chooserButton_->setObjectName(QStringLiteral("columnChooserButton"));
        chooserButton_->setToolTip(QStringLiteral("Sütun Seçici"));
        chooserButton_->setText(QStringLiteral("☰"));
        chooserButton_->setAutoRaise(true);
        chooserButton_->setStyleSheet(QStringLiteral("QToolButton{color:%1;background:%2;border:none;}")
                                          .arg(lay.colors.headerText.name(), lay.colors.header.name()));
        connect(chooserButton_, &QToolButton::clicked, this,
                [this] { openColumnChooser(chooserButton_->mapToGlobal(QPoint(0, chooserButton_->height()))); });
    }

    connect(header_, &QHeaderView::sectionClicked, this, &DataGrid::onHeaderClicked);
    connect(model_, &GridModel::aboutToRebuild, this, [this] {
        rebuilding_ = true;
        const QModelIndex cur = view_->currentIndex();
        restoreColumn_ = cur.isValid() ? cur.column() : restoreColumn_;
    });
    connect(model_, &GridModel::rebuilt, this, &DataGrid::afterRebuild);
    connect(model_, &GridModel::reloaded, this, &DataGrid::afterReload);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &cur, const QModelIndex &) { onViewCurrentChanged(cur); });
    connect(view_, &GridView::keyPressed, this, &DataGrid::keyPressed);
    applyVisibility();
    updateGroupBox();
}

DataGrid::~DataGrid() = default;

QFont DataGrid::headerFont() const {
    QFont f = font();
    if (!layout().headerFontFamily.isEmpty()) f.setFamily(layout().headerFontFamily);
    f.setPixelSize(layout().headerFontPixelSize);
    f.setBold(true);
    return f;
}

void DataGrid::setRecordSet(RecordSet *rs) {
    if (RecordSet *old = model_->recordSet()) disconnect(old, nullptr, this, nullptr);
    delegate_->clearPictures();
    model_->setRecordSet(rs);
    if (rs) connect(rs, &RecordSet::currentChanged, this, [this](int) { syncCurrentFromRecordSet(); });
}

RecordSet *DataGrid::recordSet() const { return model_->recordSet(); }

void DataGrid::detach() {
    delegate_->clearPictures();
    model_->detach();
}

void DataGrid::attach() {
    delegate_->clearPictures();
    model_->attach();
}

void DataGrid::beginUpdate() {
    if (updateLock_++ == 0) setUpdatesEnabled(false);
}

void DataGrid::endUpdate() {
    if (updateLock_ == 0) return;
    if (--updateLock_ == 0) {
        setUpdatesEnabled(true);
        update();
        view_->viewport()->update();
    }
}

void DataGrid::afterReload() {
    delegate_->clearPictures();
    if (layout().bestFitOnLoad) bestFit();
}

void DataGrid::afterRebuild() {
    rebuilding_ = false;
    RecordSet *rs = model_->recordSet();
    int column = restoreColumn_;
    if (column < 0 || column >= model_->columnCount() || view_->isColumnHidden(column)) {
        const std::vector<int> vis = visibleColumns();
        column = vis.empty() ? 0 : vis.front();
    }
    if (model_->rowCount() == 0) {
        header_->viewport()->update();
        return;
    }
    int target = rs ? model_->displayRowOf(rs->Row()) : -1;
    bool moveRecord = false;
    if (target < 0) {
        // the current record is filtered out or inside a closed group: focus the first row
        target = 0;
        moveRecord = true;
    }
    syncing_ = true;
    view_->selectionModel()->setCurrentIndex(model_->index(target, column),
                                             QItemSelectionModel::ClearAndSelect |
                                                 (layout().wholeRowSelection ? QItemSelectionModel::Rows
                                                                             : QItemSelectionModel::NoUpdate));
    const int rec = model_->recordAt(target);
    if (moveRecord && rs && rec >= 0 && rs->Row() != rec) rs->MoveTo(rec);
    syncing_ = false;
    header_->viewport()->update();
}

void DataGrid::onViewCurrentChanged(const QModelIndex &cur) {
    view_->viewport()->update();
    if (view_->verticalHeader()->isVisible()) view_->verticalHeader()->viewport()->update();
    if (syncing_ || rebuilding_ || !cur.isValid()) return;
    const int rec = model_->recordAt(cur.row());
    RecordSet *rs = model_->recordSet();
    if (rec < 0) return;
    if (rs && rs->Row() != rec) {
        syncing_ = true;
        rs->MoveTo(rec);
        syncing_ = false;
    }
    Q_EMIT focusedRecordChanged(rec);
}

void DataGrid::syncCurrentFromRecordSet() {
    if (syncing_ || rebuilding_) return;
    RecordSet *rs = model_->recordSet();
    if (!rs) return;
    const int d = model_->displayRowOf(rs->Row());
    if (d < 0) return;
    const QModelIndex cur = view_->currentIndex();
    const int column = cur.isValid() ? cur.column() : (visibleColumns().empty() ? 0 : visibleColumns().front());
    if (cur.isValid() && cur.row() == d) return;
    syncing_ = true;
    view_->setCurrentIndex(model_->index(d, column));
    syncing_ = false;
    Q_EMIT focusedRecordChanged(rs->Row());
}

// ---- columns ----

int DataGrid::columnIndex(const QString &key, int occurrence) const { return layout().indexOf(key, occurrence); }

bool DataGrid::isColumnVisible(int column) const {
    return column >= 0 && column < int(visible_.size()) && visible_[size_t(column)];
}

void DataGrid::setColumnVisible(int column, bool visible) {
    if (column < 0 || column >= int(visible_.size()) || visible_[size_t(column)] == visible) return;
    visible_[size_t(column)] = visible;
    applyVisibility();
}

bool DataGrid::isColumnInChooser(int column) const {
    return column >= 0 && column < int(inChooser_.size()) && inChooser_[size_t(column)];
}

void DataGrid::setColumnInChooser(int column, bool offered) {
    if (column < 0 || column >= int(inChooser_.size())) return;
    inChooser_[size_t(column)] = offered;
}

void DataGrid::setColumnAvailable(const QString &key, bool available, int occurrence) {
    const int c = columnIndex(key, occurrence);
    if (c < 0) return;
    setColumnInChooser(c, available);
    setColumnVisible(c, available);
}

std::vector<int> DataGrid::chooserColumns() const {
    std::vector<int> out;
    for (size_t i = 0; i < inChooser_.size(); ++i)
        if (inChooser_[i]) out.push_back(int(i));
    return out;
}

QStringList DataGrid::chooserEntries() const {
    QStringList out;
    for (int c : chooserColumns()) out << layout().columns[size_t(c)].headerText();
    return out;
}

std::vector<int> DataGrid::visibleColumns() const {
    std::vector<int> out;
    for (int v = 0; v < header_->count(); ++v) {
        const int c = header_->logicalIndex(v);
        if (!view_->isColumnHidden(c)) out.push_back(c);
    }
    return out;
}

int DataGrid::columnWidth(const QString &key) const {
    const int c = columnIndex(key);
    return c < 0 ? 0 : header_->sectionSize(c);
}

void DataGrid::setColumnWidth(const QString &key, int width) {
    const int c = columnIndex(key);
    if (c >= 0 && width >= 0) header_->resizeSection(c, width);
}

void DataGrid::applyVisibility() {
    const int group = model_->groupColumn();
    for (size_t i = 0; i < visible_.size(); ++i) {
        const bool hidden = !visible_[i] || int(i) == group;
        if (view_->isColumnHidden(int(i)) != hidden) view_->setColumnHidden(int(i), hidden);
    }
    applyFitToWidth();
    if (footer_) footer_->update();
}

void DataGrid::setRowHeight(int h) {
    if (h <= 0) return;
    QHeaderView *v = view_->verticalHeader();
    v->setMinimumSectionSize(1);
    v->setSectionResizeMode(QHeaderView::Fixed);
    v->setDefaultSectionSize(h);
}

int DataGrid::rowHeight() const { return view_->verticalHeader()->defaultSectionSize(); }

int DataGrid::headerHeight() const { return header_->isVisible() ? header_->height() : 0; }

// ---- widths ----

int DataGrid::clientWidth() const { return contentsRect().width(); }

bool DataGrid::SutunGenislikleri(int width) {
    std::vector<int> cols, weights;
    for (size_t i = 0; i < visible_.size(); ++i) {
        if (view_->isColumnHidden(int(i))) continue;
        cols.push_back(int(i));
        weights.push_back(layout().columns[i].weight);
    }
    const std::vector<int> widths = proportionalWidths(weights, width);
    if (widths.empty()) return false;
    beginUpdate();
    for (size_t i = 0; i < cols.size(); ++i) header_->resizeSection(cols[i], widths[i]);
    endUpdate();
    return true;
}

void DataGrid::bestFitColumn(int column) {
    if (column < 0 || column >= model_->columnCount()) return;
    const ColumnSpec &cs = layout().columns[size_t(column)];
    const QFontMetrics hfm(headerFont());
    int w = hfm.horizontalAdvance(cs.headerText()) + 14;
    if (!header_->filterButtonRect(column).isNull() || layout().filterButtons) w += kFilterButton + 4;
    if (model_->sortColumn() == column) w += 12;
    const QFontMetrics fm(view_->font());
    switch (cs.kind) {
    case CellKind::Icon: w = std::max(w, 24 + 10); break;
    case CellKind::CheckBox: w = std::max(w, 16 + 10); break;
    case CellKind::Picture:
    case CellKind::Custom: w = std::max(w, header_->sectionSize(column)); break;
    default: {
        const int rows = model_->rowCount();
        int seen = 0;
        const int top = std::max(0, view_->rowAt(0));
        for (int i = 0; i < rows && seen < kBestFitSample; ++i) {
            const int rec = model_->recordAt((top + i) % rows);
            if (rec < 0) continue;
            ++seen;
            const QString t = model_->displayText(rec, column);
            int tw = 0;
            for (const QStringView line : QStringView(t).split(u'\n')) tw = std::max(tw, fm.horizontalAdvance(line.toString()));
            w = std::max(w, tw + 12);
        }
        break;
    }
    }
    if (footer_) {
        QFont bf = view_->font();
        bf.setBold(true);
        w = std::max(w, QFontMetrics(bf).horizontalAdvance(model_->footerText(column)) + 16);
    }
    header_->resizeSection(column, std::min(w, 1000));
}

void DataGrid::bestFit() {
    beginUpdate();
    const bool fit = fitToWidth_;
    fitToWidth_ = false;
    for (int c : visibleColumns()) bestFitColumn(c);
    fitToWidth_ = fit;
    applyFitToWidth();
    endUpdate();
}

void DataGrid::setFitToWidth(bool on) {
    fitToWidth_ = on;
    applyFitToWidth();
}

void DataGrid::applyFitToWidth() {
    if (!fitToWidth_ || !view_) return;
    const std::vector<int> cols = visibleColumns();
    if (cols.empty()) return;
    const int avail = view_->viewport()->width() - (chooserButton_ ? kChooserButton : 0);
    if (avail <= int(cols.size()) * 8) return;
    long long total = 0;
    for (int c : cols) total += std::max(1, header_->sectionSize(c));
    if (total == avail) return;
    int used = 0;
    for (size_t i = 0; i < cols.size(); ++i) {
        int w;
        if (i + 1 == cols.size()) w = avail - used;
        else w = int(std::max(1, header_->sectionSize(cols[i])) * (long long)avail / total);
        w = std::max(w, 8);
        used += w;
        header_->resizeSection(cols[i], w);
    }
}

void DataGrid::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    Q_EMIT resized(clientWidth());
}

void DataGrid::positionChooserButton() {
    if (!chooserButton_) return;
    const int h = header_->height();
    chooserButton_->setGeometry(header_->width() - kChooserButton, 0, kChooserButton, h);
    chooserButton_->raise();
}

// ---- filters, sort, group ----

void DataGrid::clearFilters() {
    model_->clearFilters();
    header_->viewport()->update();
}

void DataGrid::setFilterValues(const QString &key, const QStringList &keys) {
    const int c = columnIndex(key);
    if (c < 0) return;
    if (keys.isEmpty()) model_->clearFilter(c);
    else model_->setFilter(c, QSet<QString>(keys.begin(), keys.end()));
    header_->viewport()->update();
}

void DataGrid::sortBy(const QString &key, Qt::SortOrder order) {
    const int c = columnIndex(key);
    if (c >= 0) model_->sortBy(c, order);
}

void DataGrid::onHeaderClicked(int logical) {
    if (!model_->canSort(logical)) return;
    if (model_->sortColumn() == logical)
        model_->sortBy(logical, model_->sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
    else model_->sortBy(logical, Qt::AscendingOrder);
    header_->viewport()->update();
}

void DataGrid::setGroupColumn(int column) {
    model_->setGroupColumn(column);
    applyVisibility();
    updateGroupBox();
}

void DataGrid::updateGroupBox() {
    if (!groupBox_) return;
    const int g = model_->groupColumn();
    groupChip_->setVisible(g >= 0);
    groupHint_->setVisible(g < 0);
    if (g >= 0) groupChip_->setText(layout().columns[size_t(g)].headerText() + QStringLiteral("  ✕"));
}

void DataGrid::setCustomDraw(const QString &key, CustomDrawFn fn) {
    const int c = columnIndex(key);
    if (c < 0) return;
    if (fn) customDraw_[c] = std::move(fn);
    else customDraw_.erase(c);
    view_->viewport()->update();
}

const CustomDrawFn *DataGrid::customDraw(int column) const {
    auto it = customDraw_.find(column);
    return it == customDraw_.end() ? nullptr : &it->second;
}

// ---- focus ----

int DataGrid::focusedRecord() const {
    const QModelIndex cur = view_->currentIndex();
    return cur.isValid() ? model_->recordAt(cur.row()) : -1;
}

int DataGrid::focusedColumn() const {
    const QModelIndex cur = view_->currentIndex();
    return cur.isValid() ? cur.column() : -1;
}

QString DataGrid::focusedColumnId() const {
    const int c = focusedColumn();
    return c < 0 ? QString() : layout().columns[size_t(c)].id();
}

void DataGrid::focusRecord(int record) {
    const int d = model_->displayRowOf(record);
    if (d < 0) return;
    const QModelIndex cur = view_->currentIndex();
    const int column = cur.isValid() ? cur.column() : (visibleColumns().empty() ? 0 : visibleColumns().front());
    view_->setCurrentIndex(model_->index(d, column));
}

// ---- popups ----

void DataGrid::openFilterPopup(int column) {
    if (filterPopup_) filterPopup_->close();
    if (column < 0 || column >= model_->columnCount()) return;
    auto *popup = new FilterPopup(this, column);
    const int x = header_->sectionViewportPosition(column);
    QPoint at = header_->mapToGlobal(QPoint(std::max(0, x), header_->height()));
    popup->move(at);
    popup->show();
    filterPopup_ = popup;
}

QMenu *DataGrid::openColumnChooser(const QPoint &globalPos) {
    if (chooserMenu_) chooserMenu_->deleteLater();
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("columnChooserMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (int c : chooserColumns()) {
        QAction *a = menu->addAction(layout().columns[size_t(c)].headerText());
        a->setObjectName(layout().columns[size_t(c)].id());
        a->setCheckable(true);
        a->setChecked(isColumnVisible(c));
        a->setData(c);
        connect(a, &QAction::toggled, this, [this, c](bool on) { setColumnVisible(c, on); });
    }
    chooserMenu_ = menu;
    menu->popup(globalPos.isNull() ? mapToGlobal(QPoint(width() / 2, 0)) : globalPos);
    return menu;
}

// ---- export ----

bool DataGrid::exportToFile(const QString &path, QString *error) const {
    std::vector<ExportColumn> cols;
    for (int c : visibleColumns()) cols.push_back({c, header_->sectionSize(c)});
    return writeGridWorkbook(*model_, cols, path, error);
}

bool DataGrid::exportToExcel(QWidget *owner) {
    const QString path = UiSeam::current().saveFileName(owner ? owner : window(), QString(), QStringLiteral("Excel|*.xls*"),
                                                        QStringLiteral("xlsx"), QString());
    if (path.isEmpty()) return false;
    QString error;
    if (!exportToFile(path, &error)) {
        MesajKutusu(error, MsgKind::Error, mbOK, dbOK, owner ? owner : window());
        return false;
    }
    return true;
}

} // namespace b2b
