#include "notifier.h"

#include "uiseam.h"

#include <QCoreApplication>
#include <QThread>

namespace b2b {

namespace {
// Dialogs exist on the UI thread only; a caller elsewhere waits until the box is closed, which is
// what a caller on the UI thread sees as well.
void onUiThread(const std::function<void()> &fn) {
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(app, fn, Qt::BlockingQueuedConnection);
}
} // namespace

void UiBaglantiBildirici::attemptFailed(const QString &errorText) {
    onUiThread([errorText] { UiSeam::current().plainMessage(errorText); });
}

void UiBaglantiBildirici::connectionFailed(const QString &message) {
    onUiThread([message] { MesajKutusu(message, MsgKind::Error, mbOK, dbOK); });
}

void BaglantiBildiricisiKur() {
    static UiBaglantiBildirici notifier;
    SetConnectionNotifier(&notifier);
}

} // namespace b2b
