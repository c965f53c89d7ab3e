#include "gridicons.h"

#include <QHash>

static void initGridResources() { Q_INIT_RESOURCE(gridicons); }

namespace b2b {

namespace {
const char *prefix(IconList list) {
    switch (list) {
    case IconList::Status: return "status";
    case IconList::Picture: return "picture";
    case IconList::Flag: return "flag";
    }
    return "status";
}

bool intValue(const QVariant &v, int *out) {
    if (!v.isValid() || v.isNull()) return false;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok) {
        // floats arrive as doubles; only whole numbers select an icon
        const double d = v.toDouble(&ok);
        if (!ok || d != double(qlonglong(d))) return false;
        *out = int(d);
        return true;
    }
    *out = int(n);
    return true;
}
} // namespace

int gridIconCount(IconList list) {
    switch (list) {
    case IconList::Status: return 10;
    case IconList::Picture: return 2;
    case IconList::Flag: return 3;
    }
    return 0;
}

QPixmap gridIcon(IconList list, int index) {
    if (index < 0 || index >= gridIconCount(list)) return {};
    static bool initialised = false;
    if (!initialised) {
        initGridResources();
        initialised = true;
    }
    static QHash<int, QPixmap> cache;
    const int key = int(list) * 100 + index;
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;
    QPixmap pm(QStringLiteral(":/grid/icons/%1%2.png").arg(QLatin1String(prefix(list))).arg(index));
    cache.insert(key, pm);
    return pm;
}

int iconIndexFor(const IconMap &map, const QVariant &value) {
    int v = 0;
    if (intValue(value, &v))
        if (const IconValue *e = map.find(v)) return e->icon;
    return map.otherIcon;
}

QString iconDescriptionFor(const IconMap &map, const QVariant &value) {
    int v = 0;
    if (intValue(value, &v)) {
        if (const IconValue *e = map.find(v); e && !e->description.isEmpty()) return e->description;
        return QString::number(v);
    }
    return value.isNull() ? QString() : value.toString();
}

QPixmap stockStatusIcon(int code) {
    const IconMap m = statusIconMap(false);
    return gridIcon(IconList::Status, iconIndexFor(m, code));
}

} // namespace b2b
