#include "admin.h"

#include "database.h"
#include "referenceserver.h"
#include "seed.h"

#include <QDateTime>
#include <QFile>

namespace b2b::server {

namespace {

QString stamp(double days) {
    const QDateTime dt = QDateTime(QDate(1899, 12, 30), QTime(0, 0)).addMSecs(qint64(days * 86400000.0));
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString typeName(int t) {
    switch (t) {
    case 1: return QStringLiteral("representative (own customers)");
    case 2: return QStringLiteral("representative (all customers)");
    case 3: return QStringLiteral("type 3");
    case 4: return QStringLiteral("type 4");
    default: return QStringLiteral("dealer");
    }
}

} // namespace

void listMachines(Database &db, QTextStream &out) {
    Sql q(db, QStringLiteral("SELECT m.machine_id, u.sirano, u.adi, u.musteritipi, u.carino, c.cariadi, m.kayit FROM machines m "
                             "LEFT JOIN users u ON u.sirano = m.user_sirano LEFT JOIN customers c ON c.carino = u.carino "
                             "ORDER BY m.machine_id"));
    q.exec();
    out << QStringLiteral("%1  %2  %3\n").arg(QStringLiteral("MACHINE ID"), -40).arg(QStringLiteral("USER"), -46).arg(QStringLiteral("CUSTOMER"));
    while (q.next()) {
        const QString user = q.isNull(1) ? QStringLiteral("(missing user)")
                                         : QStringLiteral("%1 #%2, %3").arg(q.toText(2)).arg(q.toInt(1)).arg(typeName(q.toInt(3)));
        out << QStringLiteral("%1  %2  %3\n").arg(q.toText(0), -40).arg(user, -46).arg(q.toInt(4) > 0 ? q.toText(5) : QStringLiteral("-"));
    }
    Sql u(db, QStringLiteral("SELECT detail, MAX(tarih), COUNT(*) FROM activity_log WHERE action = 'unknown-machine' "
                             "AND detail NOT IN (SELECT machine_id FROM machines) GROUP BY detail ORDER BY MAX(tarih) DESC"));
    u.exec();
    bool header = false;
    int n = 0;
    while (u.next() && n++ < 20) {
        if (!header) {
            out << QStringLiteral("\nUnregistered machines that asked for their login record (bind one with 'assign'):\n");
            header = true;
        }
        out << QStringLiteral("  %1  last %2, %3 time(s)\n").arg(u.toText(0), -40).arg(stamp(u.toDouble(1))).arg(u.toInt(2));
    }
    out.flush();
}

QString assignMachine(Database &db, const QString &machineId, const QString &user) {
    const QString id = machineId.trimmed();
    if (id.isEmpty() || id.size() > 120) throw DbError(QStringLiteral("A machine id of 1 to 120 characters is needed"));
    bool isNumber = false;
    const int no = user.toInt(&isNumber);
    Transaction tx(db);
    int sirano = 0;
    QString name;
    {
        Sql q(db, isNumber ? QStringLiteral("SELECT sirano, adi FROM users WHERE sirano = ?")
                           : QStringLiteral("SELECT sirano, adi FROM users WHERE UPPER(adi) = UPPER(?)"));
        if (isNumber) q.bind(no);
        else q.bind(user.trimmed());
        q.exec();
        if (!q.next()) throw DbError(QStringLiteral("No user %1 (see 'b2b-server users')").arg(user));
        sirano = q.toInt(0);
        name = q.toText(1);
    }
    Sql del(db, QStringLiteral("DELETE FROM machines WHERE machine_id = ?"));
    del.bind(id).exec();
    Sql ins(db, QStringLiteral("INSERT INTO machines (machine_id, user_sirano, kayit, note) VALUES (?, ?, ?, ?)"));
    ins.bind(id).bind(sirano).bind(nowDayNumber()).bind(QStringLiteral("assigned")).exec();
    tx.commit();
    return QStringLiteral("Machine %1 now logs in as %2 (#%3).").arg(id, name).arg(sirano);
}

void listUsers(Database &db, QTextStream &out) {
    Sql q(db, QStringLiteral("SELECT u.sirano, u.adi, u.musteritipi, u.aktif, u.carino, c.cariadi FROM users u "
                             "LEFT JOIN customers c ON c.carino = u.carino ORDER BY u.sirano"));
    q.exec();
    while (q.next())
        out << QStringLiteral("#%1  %2  %3%4  %5\n")
                   .arg(q.toInt(0))
                   .arg(q.toText(1), -12)
                   .arg(typeName(q.toInt(2)), -32)
                   .arg(q.toInt(3) == 1 ? QString() : QStringLiteral(" (inactive)"))
                   .arg(q.toInt(4) > 0 ? q.toText(5) : QStringLiteral("-"));
    out.flush();
}

void listOutbox(Database &db, QTextStream &out) {
    Sql q(db, QStringLiteral("SELECT id, tarih, kind, idsi, baslik, firmaadi, yetkili, telefon, mail, kullaniciadi, konu "
                             "FROM outbox ORDER BY id"));
    q.exec();
    int n = 0;
    while (q.next()) {
        ++n;
        out << QStringLiteral("#%1 %2 [%3] machine %4\n  %5\n  firm: %6, contact: %7, phone: %8, mail: %9, user: %10\n")
                   .arg(q.toInt(0))
                   .arg(stamp(q.toDouble(1)), q.toText(2), q.toText(3), q.toText(4), q.toText(5), q.toText(6),
                        q.toText(7), q.toText(8))
                   .arg(q.toText(9));
        if (!q.toText(10).isEmpty()) out << QStringLiteral("  %1\n").arg(q.toText(10));
    }
    if (n == 0) out << QStringLiteral("The outbox is empty.\n");
    out.flush();
}

void listAccessRequests(Database &db, QTextStream &out) {
    Sql q(db, QStringLiteral("SELECT id, tarih, machine_id, firma, yetkili, telefon, email, sehir, mesaj, adres "
                             "FROM access_requests ORDER BY id"));
    q.exec();
    int n = 0;
    while (q.next()) {
        ++n;
        out << QStringLiteral("#%1 %2 machine %3 from %4\n  %5, %6, %7, %8, %9\n")
                   .arg(q.toInt(0))
                   .arg(stamp(q.toDouble(1)), q.toText(2), q.toText(9), q.toText(3), q.toText(4), q.toText(5),
                        q.toText(6), q.toText(7));
        if (!q.toText(8).isEmpty()) out << QStringLiteral("  %1\n").arg(q.toText(8));
    }
    if (n == 0) out << QStringLiteral("No access requests.\n");
    out.flush();
}

void rebuildDatabase(const QString &path, int items, const std::function<void(const QString &)> &progress) {
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        QFile f(path + suffix);
        if (f.exists() && !f.remove()) throw DbError(QStringLiteral("Cannot remove %1").arg(f.fileName()));
    }
    Database db(path);
    prepareDatabase(db, items, progress);
}

} // namespace b2b::server
