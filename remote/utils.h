#pragma once
// Helpers shared by every window: connecting with retries, endpoint settings and folders.

#include "connection.h"

#include <QString>
#include <functional>

namespace b2b {

inline const QString kBaglantiKurulamiyor = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

// How connection failures reach the user. The UI installs one that shows message boxes;
// without one nothing is shown. Called on the UI thread only.
class ConnectionNotifier {
public:
    virtual ~ConnectionNotifier() = default;
    virtual void attemptFailed(const QString &errorText) = 0; // plain message box with the error text
    virtual void connectionFailed(const QString &message) = 0; // final error message (mode 1)
};
void SetConnectionNotifier(ConnectionNotifier *n);
ConnectionNotifier *CurrentConnectionNotifier();

// Pause between attempts; replaceable so tests do not wait.
void SetBaglantiKurWait(std::function<void(int ms)> wait);

inline constexpr int kBaglantiKurAttempts = 11;

// Closes and reopens the connection, up to 11 attempts 500 ms apart. Mode 1 shows the final
// message when all attempts fail. On a worker thread nothing is shown: the caller's continuation
// on the UI thread reports the failure.
bool BaglantiKur(Connection &c, int mode);

// Endpoint settings chosen at login.
QString SunucuAdresi();
QString ResimAdresi();
QString WebAdresi();
void SetSunucuAdresi(const QString &v);
void SetResimAdresi(const QString &v);
void SetWebAdresi(const QString &v);
void ClearEndpointSettings();

// Per-user folders, no trailing separator.
QString VeriKlasoru();      // created when missing
QString BelgelerKlasoru();  // empty when unknown
QString YerelVeriKlasoru(); // empty when unknown

} // namespace b2b
