#pragma once
// Builds a wire table row by row: columns are declared once with their kinds, then each row
// appends one value per column in declaration order.

#include "recordset.h"

#include <QString>
#include <QVariant>
#include <cassert>

namespace b2b::server {

class TableBuilder {
public:
    TableBuilder &col(const QString &name, FieldKind kind, int size = 0) {
        FieldDef d;
        d.name = name;
        d.kind = kind;
        d.size = size;
        if (kind == FieldKind::Float) d.precision = 15;
        t_.addColumn(d);
        return *this;
    }
    TableBuilder &col(const char *name, FieldKind kind, int size = 0) { return col(QString::fromUtf8(name), kind, size); }

    int columnCount() const { return int(t_.columns.size()); }

    TableBuilder &i(int64_t v) {
        next().appendInt(v);
        return *this;
    }
    TableBuilder &r(double v) {
        next().appendReal(v);
        return *this;
    }
    TableBuilder &d(double days) { return r(days); } // date kinds hold day numbers
    TableBuilder &s(const QString &v) {
        Column &c = next();
        // Declared text sizes are limits; never deliver more than declared.
        if (c.def.size > 0 && v.size() > c.def.size) c.appendText(v.left(c.def.size));
        else c.appendText(v);
        return *this;
    }
    TableBuilder &null() {
        next().appendNull();
        return *this;
    }
    // Any SQL value, converted to the column's kind (null stays null).
    TableBuilder &v(const QVariant &x) {
        if (x.isNull()) return null();
        Column &c = t_.columns[size_t(cursor_)];
        switch (c.store()) {
        case Column::Store::Int: return i(x.toLongLong());
        case Column::Store::Real: return r(x.toDouble());
        case Column::Store::Text: return s(x.toString());
        case Column::Store::Blob: next().appendBlob(x.toByteArray()); return *this;
        }
        return *this;
    }

    void endRow() {
        assert(cursor_ == int(t_.columns.size()));
        cursor_ = 0;
        ++t_.rowCount;
    }

    TableData take() {
        assert(cursor_ == 0);
        return std::move(t_);
    }

private:
    Column &next() {
        assert(cursor_ < int(t_.columns.size()));
        return t_.columns[size_t(cursor_++)];
    }
    TableData t_;
    int cursor_ = 0;
};

} // namespace b2b::server
