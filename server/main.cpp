// b2b-server: the reference application server and its operator commands.

#include "admin.h"
#include "database.h"
#include "referenceserver.h"
#include "seed.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <csignal>
#include <unistd.h>

using namespace b2b::server;

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

int intOption(const QCommandLineParser &p, const QString &name, int lo, int hi, QTextStream &err, bool &ok) {
    bool good = false;
    const int v = p.value(name).toInt(&good);
    if (!good || v < lo || v > hi) {
        err << QStringLiteral("--%1 must be a number from %2 to %3\n").arg(name).arg(lo).arg(hi);
        ok = false;
    }
    return v;
}

} // namespace

int main(int argc, char **argv) {
    // Pictures and PDF documents are drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("b2b-server"));
    QTextStream out(stdout), err(stderr);

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Reference application server of the Telvar Otomotiv Merdal B2B client.\n\n"
        "Commands:\n"
        "  (none)                      run the server\n"
        "  machines                    list registered machine ids and their users\n"
        "  assign MACHINE_ID USER      bind a computer to a user record (name or number)\n"
        "  users                       list the user records\n"
        "  outbox                      list the mails the server was asked to send\n"
        "  requests                    list access requests from the web form\n"
        "  seed --items N              rebuild the database with N catalogue items"));
    p.addHelpOption();
    p.addPositionalArgument(QStringLiteral("command"), QStringLiteral("optional operator command"));
    p.addOption({QStringLiteral("db"), QStringLiteral("database file (default %1)").arg(defaultDatabasePath()),
                 QStringLiteral("file")});
    p.addOption({QStringLiteral("listen"), QStringLiteral("address to listen on (default 127.0.0.1)"),
                 QStringLiteral("addr"), QStringLiteral("127.0.0.1")});
    p.addOption({QStringLiteral("port"), QStringLiteral("port of the remote methods (default 9090)"), QStringLiteral("n"),
                 QStringLiteral("9090")});
    p.addOption({QStringLiteral("web-port"), QStringLiteral("port of the web paths (default 8080; -1 = none)"),
                 QStringLiteral("n"), QStringLiteral("8080")});
    p.addOption({QStringLiteral("version"), QStringLiteral("program version the server expects (default 2)"),
                 QStringLiteral("n"), QStringLiteral("2")});
    p.addOption({QStringLiteral("threads"), QStringLiteral("worker threads of the method port (default 32)"),
                 QStringLiteral("n"), QStringLiteral("32")});
    p.addOption({QStringLiteral("items"), QStringLiteral("catalogue size when a database is created (default 20000)"),
                 QStringLiteral("n"), QStringLiteral("20000")});
    p.addOption({QStringLiteral("log"), QStringLiteral("log every request to stderr")});
    p.process(app);

    const QStringList args = p.positionalArguments();
    const QString cmd = args.value(0);
    const QString dbPath = p.isSet(QStringLiteral("db")) ? p.value(QStringLiteral("db")) : defaultDatabasePath();
    bool ok = true;
    const int items = intOption(p, QStringLiteral("items"), 100, 5000000, err, ok);
    const int port = intOption(p, QStringLiteral("port"), 0, 65535, err, ok);
    const int webPort = intOption(p, QStringLiteral("web-port"), -1, 65535, err, ok);
    const int version = intOption(p, QStringLiteral("version"), 1, 1000000, err, ok);
    const int threads = intOption(p, QStringLiteral("threads"), 1, 512, err, ok);
    if (!ok) return 2;
    const auto progress = [&](const QString &s) { out << s << '\n' << Qt::flush; };

    try {
        if (cmd == QStringLiteral("seed")) {
            if (!p.isSet(QStringLiteral("items"))) {
                err << "seed needs --items N\n";
                return 2;
            }
            rebuildDatabase(dbPath, items, progress);
            out << QStringLiteral("Database %1 rebuilt with %2 catalogue items.\n").arg(dbPath).arg(items);
            return 0;
        }
        if (!cmd.isEmpty()) {
            Database db(dbPath);
            prepareDatabase(db, items, progress);
            if (cmd == QStringLiteral("machines")) listMachines(db, out);
            else if (cmd == QStringLiteral("users")) listUsers(db, out);
            else if (cmd == QStringLiteral("outbox")) listOutbox(db, out);
            else if (cmd == QStringLiteral("requests")) listAccessRequests(db, out);
            else if (cmd == QStringLiteral("assign")) {
                if (args.size() != 3) {
                    err << "usage: b2b-server assign MACHINE_ID USER\n";
                    return 2;
                }
                out << assignMachine(db, args[1], args[2]) << '\n';
            } else {
                err << "Unknown command " << cmd << " (see --help)\n";
                return 2;
            }
            return 0;
        }

        ServerOptions o;
        o.dbPath = dbPath;
        o.listen = p.value(QStringLiteral("listen"));
        o.port = port;
        o.webPort = webPort;
        o.version = version;
        o.threads = threads;
        o.seedItems = items;
        o.logRequests = p.isSet(QStringLiteral("log"));
        o.progress = progress;
        ReferenceServer server(o);
        server.start();
        out << QStringLiteral("b2b-server: database %1\n").arg(dbPath);
        out << QStringLiteral("  remote methods  %1/datasnap/rest/TServerMethods1/%22METHOD%22/\n").arg(server.baseUrl());
        out << QStringLiteral("  handshake       %1/datasnap/ping\n").arg(server.baseUrl());
        if (server.webPort() >= 0) out << QStringLiteral("  web paths       %1/\n").arg(server.webBaseUrl());
        out << QStringLiteral("  expected program version %1\n\nDemo users (machine id / user name / password):\n").arg(version);
        for (const DemoUser &u : demoUsers())
            out << QStringLiteral("  %1 %2 %3 %4\n")
                       .arg(QString::fromLatin1(u.machineId), -16)
                       .arg(QString::fromLatin1(u.name), -10)
                       .arg(QString::fromLatin1(u.password), -10)
                       .arg(QString::fromUtf8(u.role));
        out << QStringLiteral("Bind this computer to a user with: b2b-server assign MACHINE_ID USER\n") << Qt::flush;

        if (::pipe(g_signalPipe) == 0) {
            std::signal(SIGINT, onSignal);
            std::signal(SIGTERM, onSignal);
        }
        QSocketNotifier sn(g_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(&sn, &QSocketNotifier::activated, &app, [&] { QGuiApplication::quit(); });
        app.exec();
        out << "Stopping.\n" << Qt::flush;
        server.stop();
        return 0;
    } catch (const DbError &e) {
        err << "b2b-server: " << e.text << '\n';
        return 1;
    } catch (const std::exception &e) {
        err << "b2b-server: " << e.what() << '\n';
        return 1;
    }
}
