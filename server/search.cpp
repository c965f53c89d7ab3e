#include "search.h"

#include "database.h"
#include "textnorm.h"

#include <QStringList>
#include <unordered_set>

namespace b2b::server {

namespace {

constexpr int kMaxWords = 6;
constexpr int kCountProbe = 20000;

class Collector {
public:
    explicit Collector(int cap) : cap_(cap) {}
    bool full() const { return int(out.size()) >= cap_; }
    void add(int stokno) {
        if (!full() && seen_.insert(stokno).second) out.push_back(stokno);
    }
    int room() const { return cap_ - int(out.size()); }
    std::vector<int> out;

private:
    int cap_;
    std::unordered_set<int> seen_;
};

// How many word entries start with the prefix, counted up to kCountProbe.
int boundedWordCount(Database &db, const QString &w) {
    Sql q(db, QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM item_words WHERE word >= ? AND word < ? LIMIT %1) t")
                  .arg(kCountProbe));
    q.bind(w).bind(Database::prefixUpperBound(w));
    return q.scalar(0).toInt();
}

void nameMatches(Database &db, QStringList words, Collector &c) {
    if (words.size() > kMaxWords) words = words.mid(0, kMaxWords);
    // Drive the scan with the rarest word; the others are checked per item through the item index.
    if (words.size() > 1) {
        int best = 0, bestCount = INT_MAX;
        for (int i = 0; i < words.size(); ++i) {
            const int n = boundedWordCount(db, words[i]);
            if (n == 0) return; // one word matches nothing: no item can match all
            if (n < bestCount) {
                bestCount = n;
                best = i;
            }
        }
        words.move(best, 0);
    }
    QString sql = QStringLiteral("SELECT w0.stokno FROM item_words w0 WHERE w0.word >= ? AND w0.word < ?");
    for (int i = 1; i < words.size(); ++i)
        sql += QStringLiteral(" AND EXISTS (SELECT 1 FROM item_words w%1 WHERE w%1.stokno = w0.stokno "
                              "AND w%1.word >= ? AND w%1.word < ?)")
                   .arg(i);
    sql += QStringLiteral(" LIMIT ?");
    Sql q(db, sql);
    for (const QString &w : words) q.bind(w).bind(Database::prefixUpperBound(w));
    q.bind(c.room() * 2 + 16);
    q.exec();
    while (q.next() && !c.full()) c.add(q.toInt(0));
}

} // namespace

std::vector<int> searchCatalogue(Database &db, const QString &text, int cap) {
    Collector c(cap);
    const QString code = normaliseCode(text);
    if (code.isEmpty()) {
        Sql q(db, QStringLiteral("SELECT stokno FROM items ORDER BY stokno LIMIT ?"));
        q.bind(cap).exec();
        while (q.next()) c.add(q.toInt(0));
        return std::move(c.out);
    }
    {
        Sql q(db, QStringLiteral("SELECT stokno FROM item_codes WHERE code = ? ORDER BY stokno LIMIT ?"));
        q.bind(code).bind(cap).exec();
        while (q.next()) c.add(q.toInt(0));
    }
    if (!c.full()) {
        Sql q(db, QStringLiteral("SELECT stokno FROM item_codes WHERE code > ? AND code < ? LIMIT ?"));
        q.bind(code).bind(Database::prefixUpperBound(code)).bind(c.room() * 2 + 16).exec();
        while (q.next() && !c.full()) c.add(q.toInt(0));
    }
    if (!c.full()) {
        const QStringList words = normaliseWords(text);
        if (!words.isEmpty()) nameMatches(db, words, c);
    }
    return std::move(c.out);
}

} // namespace b2b::server
