#pragma once
#include <QString>
#include <stdexcept>

namespace b2b {

// A failed remote call or a malformed answer; `text` is what the user is shown.
class RemoteError : public std::runtime_error {
public:
    explicit RemoteError(const QString &msg) : std::runtime_error(msg.toStdString()), text(msg) {}
    QString text;
};

} // namespace b2b
