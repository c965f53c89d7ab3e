#include "search.h"

#include "database.h"
#include "textnorm.h"

#include <QStringList>
#include <climits>
#include <unordered_set>

namespace b2b::server {

namespace {

constexpr int kMaxWords = 8;
constexpr int kCountProbe = 6000;

class Collector {
public:
    explicit Collector(int cap) : cap_(cap) {}
    bool full() const { return int(out.size()) >= cap_; }
    bool add(int stokno) {
        if (full() || !seen_.insert(stokno).second) return false;
        out.push_back(stokno);
        return true;
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
    if (words.size() == 1) {
        Sql q(db, QStringLiteral("SELECT stokno FROM item_words WHERE word >= ? AND word < ? LIMIT ?"));
        q.bind(words[0]).bind(Database::prefixUpperBound(words[0])).bind(c.room() * 2 + 16).exec();
        while (q.next() && !c.full()) c.add(q.toInt(0));
        return;
    }
    // The rarest word drives the scan (ties: the longest); every candidate's word list is then checked
    // for the other words in memory, one row per candidate instead of one index probe per word.
    int best = 0, bestCount = INT_MAX;
    for (int i = 0; i < words.size(); ++i) {
        const int n = boundedWordCount(db, words[i]);
        if (n == 0) return; // one word matches nothing: no item can match all
        if (n < bestCount || (n == bestCount && words[i].size() > words[best].size())) {
            bestCount = n;
            best = i;
        }
    }
    const QString driver = words[best];
    words.removeAt(best);
    // Each item's words are kept as one text " W1 W2 ... "; a word starts at a blank. Only the
    // normalised letters and digits reach LIKE, so no pattern character can come from the user.
    QString sql = QStringLiteral("SELECT w.stokno FROM item_words w JOIN item_search s ON s.stokno = w.stokno "
                                 "WHERE w.word >= ? AND w.word < ?");
    for (int i = 0; i < words.size(); ++i) sql += QStringLiteral(" AND s.words LIKE ?");
    sql += QStringLiteral(" LIMIT ?");
    Sql q(db, sql);
    q.bind(driver).bind(Database::prefixUpperBound(driver));
    for (const QString &w : words) q.bind(QStringLiteral("% ") + w + QStringLiteral("%"));
    q.bind(c.room() * 2 + 16).exec();
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
