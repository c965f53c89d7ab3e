#include "gridmodel.h"

#include "gridicons.h"
#include "numfmt.h"
#include "recordset.h"

#include <QCollator>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace b2b {

namespace {
int headerCode(int g) { return -(g * 2 + 1); }
int footerCode(int g) { return -(g * 2 + 2); }
bool isHeaderCode(int v) { return v < 0 && ((-v - 1) % 2) == 0; }
int groupOfCode(int v) { return (-v - 1) / 2; }

} // namespace

GridModel::GridModel(GridLayout layout, QObject *parent) : QAbstractTableModel(parent), layout_(std::move(layout)) {
    fieldIdx_.assign(layout_.columns.size(), -1);
    footers_.assign(layout_.columns.size(), QVariant());
    if (!layout_.groupField.isEmpty()) groupColumn_ = layout_.indexOf(layout_.groupField);
}

GridModel::~GridModel() = default;

void GridModel::setRecordSet(RecordSet *rs) {
    if (rs_) disconnect(rs_, nullptr, this, nullptr);
    rs_ = rs;
    if (rs_) {
        connect(rs_, &RecordSet::dataReset, this, &GridModel::onDataReset);
        connect(rs_, &RecordSet::rowChanged, this, &GridModel::onRowChanged);
        connect(rs_, &QObject::destroyed, this, [this] {
            rs_ = nullptr;
            reload();
        });
    }
    onDataReset();
}

void GridModel::detach() {
    if (!attached_) return;
    attached_ = false;
    reload();
}

void GridModel::attach() {
    if (attached_) return;
    attached_ = true;
    onDataReset();
}

void GridModel::onDataReset() {
    if (layout_.collapseAfterLoad) collapseAllNext_ = true;
    reload();
    if (attached_ && rs_) Q_EMIT reloaded();
}

void GridModel::onRowChanged(int) {
    textRanks_.clear();
    if (!attached_) return;
    scheduleRebuild();
}

void GridModel::scheduleRebuild() {
    if (rebuildQueued_) return;
    rebuildQueued_ = true;
    // Posted edits are coalesced: a loop that posts every row re-sorts and re-sums once.
    QTimer::singleShot(0, this, [this] {
        if (!rebuildQueued_) return;
        rebuild();
    });
}

void GridModel::resolveFields() {
    for (size_t c = 0; c < layout_.columns.size(); ++c) {
        const QString &f = layout_.columns[c].field;
        fieldIdx_[c] = (rs_ && attached_ && !f.isEmpty()) ? rs_->FieldIndex(f) : -1;
    }
}

void GridModel::reload() {
    textRanks_.clear();
    resolveFields();
    rebuild();
}

// ---- cell content ----

QVariant GridModel::value(int record, int column) const {
    const int f = fieldIdx_[size_t(column)];
    if (f < 0 || !rs_) return {};
    return rs_->Value(record, f);
}

QString GridModel::displayText(int record, int column) const {
    const int f = fieldIdx_[size_t(column)];
    if (f < 0 || !rs_) return {};
    const ColumnSpec &c = layout_.columns[size_t(column)];
    switch (c.kind) {
    case CellKind::Icon: return iconDescriptionFor(c.icons, rs_->Value(record, f));
    case CellKind::CheckBox: {
        const QVariant v = rs_->Value(record, f);
        if (v.isNull()) return {};
        return v.toInt() == 1 ? QStringLiteral("İşaretli") : QStringLiteral("İşaretsiz");
    }
    case CellKind::Picture: return {};
    default: return rs_->DisplayText(record, f);
    }
}

QString GridModel::filterKey(int record, int column) const { return displayText(record, column); }

int GridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(display_.size()); }

int GridModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(layout_.columns.size());
}

int GridModel::recordAt(int displayRow) const {
    if (displayRow < 0 || displayRow >= int(display_.size())) return -1;
    const int v = display_[size_t(displayRow)];
    return v >= 0 ? v : -1;
}

int GridModel::displayRowOf(int record) const {
    if (record < 0 || record >= int(recToDisplay_.size())) return -1;
    return recToDisplay_[size_t(record)];
}

GridModel::RowKind GridModel::rowKind(int displayRow) const {
    if (displayRow < 0 || displayRow >= int(display_.size())) return RowKind::Record;
    const int v = display_[size_t(displayRow)];
    if (v >= 0) return RowKind::Record;
    return isHeaderCode(v) ? RowKind::GroupHeader : RowKind::GroupFooter;
}

int GridModel::groupAt(int displayRow) const {
    if (groups_.empty() || displayRow < 0 || displayRow >= int(display_.size())) return -1;
    const int v = display_[size_t(displayRow)];
    if (v < 0) return groupOfCode(v);
    // binary search over group ranges in passing_ order
    const int pos = int(std::find(passing_.begin(), passing_.end(), v) - passing_.begin());
    for (size_t g = 0; g < groups_.size(); ++g)
        if (pos >= groups_[g].first && pos < groups_[g].first + groups_[g].count) return int(g);
    return -1;
}

QVariant GridModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= int(display_.size()) || index.column() >= int(layout_.columns.size()))
        return {};
    const int v = display_[size_t(index.row())];
    const int column = index.column();
    if (v < 0) {
        const int g = groupOfCode(v);
        const bool header = isHeaderCode(v);
        switch (role) {
        case Qt::DisplayRole:
            if (header) return column == 0 ? groupText(g) : QString();
            return groupFooterText(g, column);
        case RowKindRole: return int(header ? RowKind::GroupHeader : RowKind::GroupFooter);
        case RecordRole: return -1;
        case ValueRole: return header ? QVariant() : groupFooterValue(g, column);
        case Qt::TextAlignmentRole:
            return header ? QVariant(int(Qt::AlignLeft | Qt::AlignVCenter)) : QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
        default: return {};
        }
    }
    const ColumnSpec &c = layout_.columns[size_t(column)];
    const int f = fieldIdx_[size_t(column)];
    switch (role) {
    case Qt::DisplayRole:
        if (f < 0 || !rs_) return QString();
        if (c.kind == CellKind::Icon || c.kind == CellKind::CheckBox || c.kind == CellKind::Picture) return QString();
        return rs_->DisplayText(v, f);
    case Qt::ToolTipRole:
        if (c.kind == CellKind::Icon && f >= 0 && rs_) return iconDescriptionFor(c.icons, rs_->Value(v, f));
        return {};
    case Qt::DecorationRole: {
        if (c.kind != CellKind::Icon || f < 0 || !rs_) return {};
        const QPixmap pm = gridIcon(c.icons.list, iconIndexFor(c.icons, rs_->Value(v, f)));
        return pm.isNull() ? QVariant() : QVariant(pm);
    }
    case IconIndexRole:
        if (c.kind != CellKind::Icon || f < 0 || !rs_) return -1;
        return iconIndexFor(c.icons, rs_->Value(v, f));
    case Qt::CheckStateRole:
        if (c.kind != CellKind::CheckBox || f < 0 || !rs_) return {};
        return int(rs_->Value(v, f).toInt() == 1 ? Qt::Checked : Qt::Unchecked);
    case Qt::TextAlignmentRole: {
        Qt::Alignment h = c.align;
        if (!h) {
            const bool numeric = f >= 0 && rs_ && isNumericKind(rs_->FieldDefAt(f).kind);
            h = numeric ? Qt::AlignRight : Qt::AlignLeft;
        }
        return int(h | (c.kind == CellKind::MultiLine ? Qt::AlignTop : Qt::AlignVCenter));
    }
    case ValueRole: return f >= 0 && rs_ ? rs_->Value(v, f) : QVariant();
    case RecordRole: return v;
    case RowKindRole: return int(RowKind::Record);
    case FilterKeyRole: return filterKey(v, column);
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= int(layout_.columns.size())) return {};
        if (role == Qt::DisplayRole) return layout_.columns[size_t(section)].headerText();
        return {};
    }
    if (role == Qt::DisplayRole) return QString();
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags fl = Qt::ItemIsEnabled;
    if (columnSpec(index.column()).focusable) fl |= Qt::ItemIsSelectable;
    return fl;
}

// ---- sorting ----

bool GridModel::canSort(int column) const {
    if (!layout_.sortable || column < 0 || column >= int(layout_.columns.size())) return false;
    const ColumnSpec &c = layout_.columns[size_t(column)];
    return !c.field.isEmpty() && c.kind != CellKind::Picture && c.kind != CellKind::Custom;
}

void GridModel::sortBy(int column, Qt::SortOrder order) {
    if (!canSort(column)) return;
    sortColumn_ = column;
    sortOrder_ = order;
    rebuild();
}

void GridModel::clearSort() {
    if (sortColumn_ < 0) return;
    sortColumn_ = -1;
    rebuild();
}

namespace {
std::vector<int> textRanks(const Column &c, int n) {
    // Rank texts once through the collator, so that the record sort compares integers.
    std::vector<int> idx(static_cast<size_t>(n));
    std::iota(idx.begin(), idx.end(), 0);
    QCollator coll;
    coll.setCaseSensitivity(Qt::CaseInsensitive);
    coll.setNumericMode(false);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(n));
    for (int r = 0; r < n; ++r) keys.push_back(coll.sortKey(c.texts[size_t(r)]));
    std::stable_sort(idx.begin(), idx.end(), [&](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    std::vector<int> rank(static_cast<size_t>(n));
    int cur = 0;
    for (size_t i = 0; i < idx.size(); ++i) {
        if (i > 0 && keys[size_t(idx[i - 1])].compare(keys[size_t(idx[i])]) != 0) ++cur;
        rank[size_t(idx[i])] = cur;
    }
    return rank;
}
} // namespace

std::vector<int> GridModel::sortedRecords(std::vector<int> recs) const {
    if (!rs_) return recs;
    const TableData &td = rs_->Data();
    const int n = td.rowCount;
    // Key per record: (null flag, number) or (null flag, text rank). Group key first when grouped.
    auto makeKey = [&](int column, std::vector<double> &num, std::vector<uint8_t> &nul) -> bool {
        const int f = column >= 0 ? fieldIdx_[size_t(column)] : -1;
        if (f < 0) return false;
        const Column &c = td.columns[size_t(f)];
        num.assign(size_t(n), 0.0);
        nul.assign(c.nulls.begin(), c.nulls.end());
        switch (c.store()) {
        case Column::Store::Int:
            for (int r = 0; r < n; ++r) num[size_t(r)] = double(c.ints[size_t(r)]);
            break;
        case Column::Store::Real:
            for (int r = 0; r < n; ++r) {
                num[size_t(r)] = c.reals[size_t(r)];
                if (std::isnan(num[size_t(r)])) nul[size_t(r)] = 1; // NaN has no order: it sorts with the nulls
            }
            break;
        case Column::Store::Text: {
            auto it = textRanks_.find(f);
            if (it == textRanks_.end()) it = textRanks_.emplace(f, textRanks(c, n)).first;
            const std::vector<int> &rk = it->second;
            for (int r = 0; r < n; ++r) num[size_t(r)] = rk[size_t(r)];
            break;
        }
        case Column::Store::Blob: return false;
        }
        return true;
    };
    std::vector<double> gNum, sNum;
    std::vector<uint8_t> gNul, sNul;
    const bool byGroup = groupColumn_ >= 0 && makeKey(groupColumn_, gNum, gNul);
    const bool bySort = sortColumn_ >= 0 && sortColumn_ != groupColumn_ && canSort(sortColumn_) && makeKey(sortColumn_, sNum, sNul);
    const bool groupDesc = byGroup && sortColumn_ == groupColumn_ && sortOrder_ == Qt::DescendingOrder;
    if (!byGroup && !bySort) return recs;
    const bool desc = sortOrder_ == Qt::DescendingOrder;
    auto cmp = [&](const std::vector<double> &num, const std::vector<uint8_t> &nul, int a, int b, bool d) -> int {
        const bool na = nul[size_t(a)], nb = nul[size_t(b)];
        int r = 0;
        if (na || nb) r = (na && nb) ? 0 : (na ? -1 : 1);
        else if (num[size_t(a)] < num[size_t(b)]) r = -1;
        else if (num[size_t(a)] > num[size_t(b)]) r = 1;
        return d ? -r : r;
    };
    std::stable_sort(recs.begin(), recs.end(), [&](int a, int b) {
        if (byGroup) {
            const int r = cmp(gNum, gNul, a, b, groupDesc);
            if (r != 0) return r < 0;
        }
        if (bySort) {
            const int r = cmp(sNum, sNul, a, b, desc);
            if (r != 0) return r < 0;
        }
        return false;
    });
    return recs;
}

// ---- filtering ----

bool GridModel::passes(int record, int skipColumn) const {
    for (const auto &[column, keys] : filters_) {
        if (column == skipColumn) continue;
        if (!keys.contains(filterKey(record, column))) return false;
    }
    return true;
}

void GridModel::setFilter(int column, const QSet<QString> &keys) {
    if (column < 0 || column >= int(layout_.columns.size())) return;
    for (auto &f : filters_)
        if (f.first == column) {
            f.second = keys;
            rebuild();
            return;
        }
    filters_.emplace_back(column, keys);
    rebuild();
}

void GridModel::clearFilter(int column) {
    const auto it = std::find_if(filters_.begin(), filters_.end(), [&](const auto &f) { return f.first == column; });
    if (it == filters_.end()) return;
    filters_.erase(it);
    rebuild();
}

void GridModel::clearFilters() {
    if (filters_.empty()) return;
    filters_.clear();
    rebuild();
}

bool GridModel::hasFilter(int column) const {
    return std::any_of(filters_.begin(), filters_.end(), [&](const auto &f) { return f.first == column; });
}

QSet<QString> GridModel::filter(int column) const {
    for (const auto &f : filters_)
        if (f.first == column) return f.second;
    return {};
}

QStringList GridModel::distinctKeys(int column) const {
    QSet<QString> seen;
    if (rs_ && attached_ && fieldIdx_[size_t(column)] >= 0) {
        const int n = rs_->RecordCount();
        for (int r = 0; r < n; ++r)
            if (passes(r, column)) seen.insert(filterKey(r, column));
    }
    // keys still ticked stay listed even when no row carries them any more
    for (const QString &k : filter(column)) seen.insert(k);
    QStringList out(seen.begin(), seen.end());
    QCollator coll;
    coll.setCaseSensitivity(Qt::CaseInsensitive);
    coll.setNumericMode(true);
    std::sort(out.begin(), out.end(), [&](const QString &a, const QString &b) { return coll.compare(a, b) < 0; });
    return out;
}

// ---- grouping ----

void GridModel::setGroupColumn(int column) {
    if (column >= int(layout_.columns.size())) column = -1;
    if (column >= 0 && (layout_.columns[size_t(column)].field.isEmpty() ||
                        layout_.columns[size_t(column)].kind == CellKind::Picture))
        return;
    if (column == groupColumn_) return;
    groupColumn_ = column;
    collapsed_.clear();
    rebuild();
}

QString GridModel::groupValueText(int group) const {
    if (group < 0 || group >= int(groups_.size())) return {};
    return groups_[size_t(group)].key;
}

QString GridModel::groupText(int group) const {
    if (group < 0 || group >= int(groups_.size()) || groupColumn_ < 0) return {};
    return layout_.columns[size_t(groupColumn_)].headerText() + QStringLiteral(" : ") + groups_[size_t(group)].key;
}

int GridModel::groupRecordCount(int group) const {
    if (group < 0 || group >= int(groups_.size())) return 0;
    return groups_[size_t(group)].count;
}

const int *GridModel::groupRecords(int group) const {
    if (group < 0 || group >= int(groups_.size()) || passing_.empty()) return nullptr;
    return passing_.data() + groups_[size_t(group)].first;
}

bool GridModel::isGroupExpanded(int group) const {
    return group >= 0 && group < int(groups_.size()) && groups_[size_t(group)].expanded;
}

void GridModel::setGroupExpanded(int group, bool expanded) {
    if (group < 0 || group >= int(groups_.size()) || groups_[size_t(group)].expanded == expanded) return;
    if (expanded) collapsed_.remove(groups_[size_t(group)].key);
    else collapsed_.insert(groups_[size_t(group)].key);
    rebuild();
}

void GridModel::collapseAll() {
    for (const Group &g : groups_) collapsed_.insert(g.key);
    rebuild();
}

void GridModel::expandAll() {
    collapsed_.clear();
    rebuild();
}

std::vector<std::pair<int, Summary>> GridModel::groupSummaryColumns() const {
    std::vector<std::pair<int, Summary>> out;
    if (!layout_.groupSummaries.empty()) {
        for (const auto &[field, kind] : layout_.groupSummaries) {
            const int c = layout_.indexOf(field);
            if (c >= 0) out.emplace_back(c, kind);
        }
    } else {
        for (size_t c = 0; c < layout_.columns.size(); ++c)
            if (layout_.columns[c].footer != Summary::None) out.emplace_back(int(c), layout_.columns[c].footer);
    }
    return out;
}

// ---- the rebuild ----

void GridModel::rebuild() {
    rebuildQueued_ = false;
    Q_EMIT aboutToRebuild();
    beginResetModel();
    passing_.clear();
    display_.clear();
    groups_.clear();
    const int n = (rs_ && attached_) ? rs_->RecordCount() : 0;
    recToDisplay_.assign(size_t(n), -1);
    if (n > 0) {
        passing_.reserve(size_t(n));
        if (filters_.empty()) {
            passing_.resize(size_t(n));
            std::iota(passing_.begin(), passing_.end(), 0);
        } else {
            for (int r = 0; r < n; ++r)
                if (passes(r, -1)) passing_.push_back(r);
        }
        passing_ = sortedRecords(std::move(passing_));
    }
    const bool grouped = groupColumn_ >= 0 && fieldIdx_[size_t(groupColumn_)] >= 0;
    if (grouped) {
        for (int i = 0; i < int(passing_.size()); ++i) {
            const QString key = displayText(passing_[size_t(i)], groupColumn_);
            if (groups_.empty() || groups_.back().key != key) groups_.push_back({key, i, 0, true, {}});
            ++groups_.back().count;
        }
        if (collapseAllNext_) {
            collapsed_.clear();
            for (const Group &g : groups_) collapsed_.insert(g.key);
        }
        const bool footers = layout_.groupFootersAlways;
        display_.reserve(passing_.size() + groups_.size() * 2);
        for (size_t g = 0; g < groups_.size(); ++g) {
            Group &gr = groups_[g];
            gr.expanded = !collapsed_.contains(gr.key);
            display_.push_back(headerCode(int(g)));
            if (gr.expanded)
                for (int i = 0; i < gr.count; ++i) display_.push_back(passing_[size_t(gr.first + i)]);
            if (footers) display_.push_back(footerCode(int(g)));
        }
    } else {
        display_ = passing_;
    }
    collapseAllNext_ = false;
    for (size_t d = 0; d < display_.size(); ++d)
        if (display_[d] >= 0) recToDisplay_[size_t(display_[d])] = int(d);
    computeSummaries();
    endResetModel();
    Q_EMIT rebuilt();
    Q_EMIT summariesChanged();
}

QVariant GridModel::summarize(Summary kind, int column, const int *recs, int n) const {
    if (kind == Summary::Count) return n;
    const int f = fieldIdx_[size_t(column)];
    if (f < 0 || !rs_) return {};
    const Column &c = rs_->Data().columns[size_t(f)];
    double sum = 0;
    int count = 0;
    for (int i = 0; i < n; ++i) {
        const size_t r = size_t(recs[i]);
        if (c.nulls[r]) continue;
        switch (c.store()) {
        case Column::Store::Int: sum += double(c.ints[r]); break;
        case Column::Store::Real: sum += c.reals[r]; break;
        case Column::Store::Text: {
            bool ok = false;
            const double d = c.texts[r].trimmed().toDouble(&ok);
            if (!ok) continue;
            sum += d;
            break;
        }
        case Column::Store::Blob: continue;
        }
        ++count;
    }
    if (kind == Summary::Sum) return sum;
    if (count == 0) return {};
    return sum / count;
}

QString GridModel::formatSummary(Summary kind, int column, const QVariant &v) const {
    if (!v.isValid()) return {};
    if (kind == Summary::Count) return QString::number(v.toLongLong());
    const int f = fieldIdx_[size_t(column)];
    const double d = v.toDouble();
    if (f >= 0 && rs_) {
        const Column &c = rs_->Data().columns[size_t(f)];
        if (!c.displayFormat.isEmpty()) return FormatFloat(c.displayFormat, d);
        if (kind == Summary::Sum && c.store() == Column::Store::Int) return QString::number(qlonglong(std::llround(d)));
    }
    return FloatToStr(d);
}

void GridModel::computeSummaries() {
    const int n = int(passing_.size());
    for (size_t c = 0; c < layout_.columns.size(); ++c) {
        const Summary kind = layout_.columns[c].footer;
        footers_[c] = (kind == Summary::None || !rs_ || !attached_) ? QVariant()
                                                                    : summarize(kind, int(c), passing_.data(), n);
    }
    const auto gcols = groupSummaryColumns();
    for (Group &g : groups_) {
        g.sums.clear();
        for (const auto &[column, kind] : gcols)
            g.sums.push_back(summarize(kind, column, passing_.data() + g.first, g.count));
    }
}

QVariant GridModel::footerValue(int column) const {
    if (column < 0 || column >= int(footers_.size())) return {};
    return footers_[size_t(column)];
}

QString GridModel::footerText(int column) const {
    if (column < 0 || column >= int(footers_.size())) return {};
    return formatSummary(layout_.columns[size_t(column)].footer, column, footers_[size_t(column)]);
}

QVariant GridModel::groupFooterValue(int group, int column) const {
    if (group < 0 || group >= int(groups_.size())) return {};
    const auto gcols = groupSummaryColumns();
    for (size_t i = 0; i < gcols.size(); ++i)
        if (gcols[i].first == column && i < groups_[size_t(group)].sums.size()) return groups_[size_t(group)].sums[i];
    return {};
}

QString GridModel::groupFooterText(int group, int column) const {
    if (group < 0 || group >= int(groups_.size())) return {};
    const auto gcols = groupSummaryColumns();
    for (size_t i = 0; i < gcols.size(); ++i)
        if (gcols[i].first == column && i < groups_[size_t(group)].sums.size())
            return formatSummary(gcols[i].second, column, groups_[size_t(group)].sums[i]);
    return {};
}

} // namespace b2b
