#pragma once
// Deterministic demo data: an automotive spare-parts catalogue, dealers with their accounts,
// orders in every state, documents, adverts, banners and the demo user records.

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace b2b::server {

class Database;

// The demo's "today" for generated history; documents and orders lie within the year before it.
QDate demoBaseDate();
// Days since 1899-12-30 for a date (the wire's date numbers).
double dayNumber(const QDate &d);
double nowDayNumber();

struct DemoUser {
    const char *machineId;
    const char *name;
    const char *password;
    int type; // MusteriTipi
    const char *role;
};
const std::vector<DemoUser> &demoUsers();

struct SeedOptions {
    int items = 20000;
    std::function<void(const QString &)> progress; // optional
};

// Fills an empty schema. Runs in one transaction.
void seedDemoData(Database &db, const SeedOptions &opt);

} // namespace b2b::server
