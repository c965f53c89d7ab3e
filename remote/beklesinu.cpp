#include "beklesinu.h"

#include "errors.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

namespace b2b {

namespace {
// Remote calls mostly wait on the network, so the pool is wider than the core count.
QThreadPool &pool() {
    static QThreadPool *p = [] {
        auto *tp = new QThreadPool;
        tp->setMaxThreadCount(16);
        return tp;
    }();
    return *p;
}
} // namespace

void TAwait::Await(QObject *context, std::function<void()> proc) {
    AwaitWithError(context, [proc = std::move(proc)](const QString &) {
        if (proc) proc();
    });
}

void TAwait::AwaitWithError(QObject *context, std::function<void(const QString &)> proc) {
    QPointer<QObject> guard(context);
    auto work = FAsync;
    pool().start([guard, work = std::move(work), proc = std::move(proc)]() mutable {
        QString error;
        try {
            if (work) work();
        } catch (const RemoteError &e) {
            error = e.text;
        } catch (const std::exception &e) {
            error = QString::fromLocal8Bit(e.what());
        } catch (...) {
            error = QStringLiteral("Unknown error");
        }
        // The guard is checked on the UI thread, where windows are destroyed, so it cannot race.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard, proc = std::move(proc), error]() {
                if (guard && proc) proc(error);
            },
            Qt::QueuedConnection);
    });
}

} // namespace b2b
