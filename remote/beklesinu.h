#pragma once
// Background work with a continuation on the UI thread.
//   TAwait(background).Await(window, continuation);
// The continuation runs on the UI thread after the background step returned, and is dropped when
// `context` was destroyed meanwhile. An exception escaping the background step does not end the
// program: its text is handed to the continuation (AwaitWithError) or dropped (Await).

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace b2b {

class TAwait {
public:
    explicit TAwait(std::function<void()> async) : FAsync(std::move(async)) {}
    void Await(QObject *context, std::function<void()> proc);
    void AwaitWithError(QObject *context, std::function<void(const QString &escapedError)> proc);

private:
    std::function<void()> FAsync;
};

} // namespace b2b
