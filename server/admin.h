#pragma once
// Operator commands of b2b-server: registered machines, binding a machine to a user, the outbox,
// access requests, and rebuilding the database with a catalogue of a given size.

#include <QString>
#include <QTextStream>
#include <functional>

namespace b2b::server {

class Database;

void listMachines(Database &db, QTextStream &out);
// USER is a user name (case-insensitive) or a user record number. Answers a confirmation text.
QString assignMachine(Database &db, const QString &machineId, const QString &user);
void listUsers(Database &db, QTextStream &out);
void listOutbox(Database &db, QTextStream &out);
void listAccessRequests(Database &db, QTextStream &out);
// Replaces the database file with a fresh one seeded with `items` catalogue items.
void rebuildDatabase(const QString &path, int items, const std::function<void(const QString &)> &progress);

} // namespace b2b::server
