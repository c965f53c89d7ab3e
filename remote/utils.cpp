#include "utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QReadWriteLock>
#include <QStandardPaths>
#include <QThread>
#include <atomic>

namespace b2b {

namespace {
std::atomic<ConnectionNotifier *> g_notifier{nullptr};
std::function<void(int)> g_wait;
QReadWriteLock g_endpointLock;
QString g_sunucu, g_resim, g_web;

bool onUiThread() {
    auto *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

QString stripSeparator(QString p) {
    while (p.size() > 1 && (p.endsWith(u'/') || p.endsWith(u'\\'))) p.chop(1);
    return p;
}
} // namespace

void SetConnectionNotifier(ConnectionNotifier *n) { g_notifier = n; }
ConnectionNotifier *CurrentConnectionNotifier() { return g_notifier; }
void SetBaglantiKurWait(std::function<void(int)> wait) { g_wait = std::move(wait); }

bool BaglantiKur(Connection &c, int mode) {
    c.Close();
    const bool ui = onUiThread();
    ConnectionNotifier *n = ui ? g_notifier.load() : nullptr;
    for (int attempt = 1; attempt <= kBaglantiKurAttempts; ++attempt) {
        try {
            c.Open();
            return true;
        } catch (const RemoteError &e) {
            if (n) n->attemptFailed(e.text);
        } catch (const std::exception &e) {
            if (n) n->attemptFailed(QString::fromLocal8Bit(e.what()));
        }
        c.Close();
        if (g_wait) g_wait(500);
        else QThread::msleep(500);
    }
    if (mode == 1 && n) n->connectionFailed(kBaglantiKurulamiyor);
    return false;
}

QString SunucuAdresi() {
    QReadLocker l(&g_endpointLock);
    return g_sunucu;
}
QString ResimAdresi() {
    QReadLocker l(&g_endpointLock);
    return g_resim;
}
QString WebAdresi() {
    QReadLocker l(&g_endpointLock);
    return g_web;
}
void SetSunucuAdresi(const QString &v) {
    QWriteLocker l(&g_endpointLock);
    g_sunucu = v;
}
void SetResimAdresi(const QString &v) {
    QWriteLocker l(&g_endpointLock);
    g_resim = v;
}
void SetWebAdresi(const QString &v) {
    QWriteLocker l(&g_endpointLock);
    g_web = v;
}
void ClearEndpointSettings() {
    QWriteLocker l(&g_endpointLock);
    g_sunucu.clear();
    g_resim.clear();
    g_web.clear();
}

QString VeriKlasoru() {
    const QString base = stripSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QString dir = base + QStringLiteral("/telvaryedekparcamerdal");
    QDir().mkpath(dir);
    return dir;
}

QString BelgelerKlasoru() {
    return stripSeparator(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString YerelVeriKlasoru() {
    return stripSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

} // namespace b2b
