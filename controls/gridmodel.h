#pragma once
// Table model over a record set for the data grid: one model column per layout column, rows in the
// view's order (filtered, sorted, grouped) kept as an index vector over the record set's rows.
// Field indexes are resolved once per load; summaries are computed once per change.

#include "gridlayout.h"
#include "recordset.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <map>
#include <vector>

namespace b2b {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Roles {
        ValueRole = Qt::UserRole + 1, // the field's typed value
        RecordRole,                   // record-set row, -1 for group rows
        RowKindRole,                  // RowKind as int
        FilterKeyRole,                // the text a filter compares
        IconIndexRole,                // icon number for icon cells, -1 = none
    };
    enum class RowKind { Record = 0, GroupHeader = 1, GroupFooter = 2 };

    explicit GridModel(GridLayout layout, QObject *parent = nullptr);
    ~GridModel() override;

    const GridLayout &layout() const { return layout_; }
    const ColumnSpec &columnSpec(int column) const { return layout_.columns[size_t(column)]; }

    void setRecordSet(RecordSet *rs);
    RecordSet *recordSet() const { return rs_; }
    // A detached model shows no rows and ignores the record set until attached again.
    void detach();
    void attach();
    bool isAttached() const { return attached_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Row mapping.
    int recordAt(int displayRow) const;
    int displayRowOf(int record) const; // -1: filtered out, collapsed, or out of range
    RowKind rowKind(int displayRow) const;
    int groupAt(int displayRow) const; // group number of any row of a grouped view, else -1
    int fieldIndex(int column) const { return fieldIdx_[size_t(column)]; }

    // Cell content for a record row.
    QVariant value(int record, int column) const;
    QString displayText(int record, int column) const; // icons and check boxes: their descriptions
    QString filterKey(int record, int column) const;

    // Sorting (ignored when the layout forbids it or the column cannot be sorted).
    bool canSort(int column) const;
    void sortBy(int column, Qt::SortOrder order);
    void clearSort();
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

    // Filters: per column the set of accepted keys; filters of different columns combine (and).
    void setFilter(int column, const QSet<QString> &keys);
    void clearFilter(int column);
    void clearFilters();
    bool hasFilter(int column) const;
    bool hasAnyFilter() const { return !filters_.empty(); }
    QSet<QString> filter(int column) const;
    // Distinct keys of a column over the rows that pass the other columns' filters, sorted.
    QStringList distinctKeys(int column) const;
    int filteredCount() const { return int(passing_.size()); }
    const std::vector<int> &filteredRecords() const { return passing_; } // in view order

    // Grouping by one column (its rows sorted by the group value, ascending).
    void setGroupColumn(int column); // -1 = no grouping
    int groupColumn() const { return groupColumn_; }
    int groupCount() const { return int(groups_.size()); }
    QString groupText(int group) const;
    QString groupValueText(int group) const;
    int groupRecordCount(int group) const;
    const int *groupRecords(int group) const; // pointer into filteredRecords()
    bool isGroupExpanded(int group) const;
    void setGroupExpanded(int group, bool expanded);
    void collapseAll();
    void expandAll();
    // Summaries shown in group footers: the layout's, or the column footers when it names none.
    std::vector<std::pair<int, Summary>> groupSummaryColumns() const;

    // Summaries over the filtered rows.
    QString footerText(int column) const;
    QVariant footerValue(int column) const; // number (count, sum, average) or invalid
    QString groupFooterText(int group, int column) const;
    QVariant groupFooterValue(int group, int column) const;

    // Re-reads the record set (fields, rows) keeping sort, filters and grouping.
    void reload();

Q_SIGNALS:
    void summariesChanged();
    void reloaded();               // after a new load of the record set
    void aboutToRebuild();         // before the rows are re-laid out
    void rebuilt();                // after: rows re-laid out

private:
    struct Group {
        QString key;
        int first = 0; // index into passing_
        int count = 0;
        bool expanded = true;
        std::vector<QVariant> sums; // per column of groupSummaryColumns()
    };
    void resolveFields();
    void rebuild();
    void scheduleRebuild();
    void computeSummaries();
    QVariant summarize(Summary kind, int column, const int *recs, int n) const;
    QString formatSummary(Summary kind, int column, const QVariant &v) const;
    bool passes(int record, int skipColumn) const;
    std::vector<int> sortedRecords(std::vector<int> recs) const;
    void onDataReset();
    void onRowChanged(int row);

    GridLayout layout_;
    QPointer<RecordSet> rs_;
    bool attached_ = true;
    std::vector<int> fieldIdx_;         // column -> field index, -1 = none
    std::vector<int> passing_;          // filtered, sorted, grouped record rows
    std::vector<int> display_;          // display row -> record (>=0) or group row (<0)
    std::vector<int> recToDisplay_;     // record -> display row or -1
    std::vector<Group> groups_;
    QSet<QString> collapsed_;           // group keys closed by the user
    bool collapseAllNext_ = false;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    int groupColumn_ = -1;
    std::vector<std::pair<int, QSet<QString>>> filters_;
    std::vector<QVariant> footers_; // per column
    bool rebuildQueued_ = false;
    mutable std::map<int, std::vector<int>> textRanks_; // field -> collation rank per record, until the data change
};

} // namespace b2b
