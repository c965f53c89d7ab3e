#pragma once
// The computer's identity as the server knows it: the machine identifier the server registers
// computers by, the computer and user names, and the local and public addresses.
// QtCore only, so request windows and tools can use it without widgets.

#include <QString>
#include <atomic>
#include <functional>

namespace b2b {

// Where the identifier is read from. Tests point these at a made-up tree.
struct MakineKaynaklari {
    QString sysfs = QStringLiteral("/sys");
    QString udevData = QStringLiteral("/run/udev/data");
};
void SetMakineKaynaklari(const MakineKaynaklari &k);
MakineKaynaklari CurrentMakineKaynaklari();

// The first physical disk's serial number, upper-cased and trimmed; empty when none is found.
// The first physical disk is the first block device by name that has a device behind it and is
// not removable; its serial comes from sysfs, else from the udev database.
QString DiskSeriNoAl(const MakineKaynaklari &k);
// The first network adapter's hardware address as "AA-BB-CC-DD-EE-FF", skipping all-zero
// addresses; adapters with hardware behind them come before virtual ones (whose addresses may
// change between boots). Empty when there is none.
QString MacAdresiAl(const MakineKaynaklari &k);

// The machine identifier: the disk serial, else the adapter address, with every blank removed.
// Computed afresh at every call; may be empty.
QString BilgisayarIdAl(const MakineKaynaklari &k);
QString BilgisayarIdAl();

// The computer's name, at most 15 characters; empty when the system cannot tell.
QString BilgisayarAdiAl();
// The operating-system user's name, at most 15 characters (longer names are cut).
QString KullaniciAdiAl();
// The first IPv4 address the computer's own host name resolves to; "127.0.0.1" when that fails.
QString IcIpAl();

// One GET of the echo service: the answer's body trimmed, or false with the reason in `error`.
// `readTimeoutMs` is the longest silence allowed once connected.
bool DisIpDene(const QString &echoUrl, int connectTimeoutMs, int readTimeoutMs, QString *answer, QString *error);

inline constexpr int kDisIpReadTimeoutMs = 1500;
inline constexpr int kDisIpConnectTimeoutMs = 15000;
inline constexpr int kDisIpRetryMs = 1000;

// The computer's public address as the echo service reports it, trimmed. Retries every second
// without limit; only `iptal` (set when the asking window goes away) ends the loop early, with an
// empty result.
QString DisIpBul(const QString &echoUrl, const std::atomic<bool> *iptal = nullptr);
// Pause between probe attempts; replaceable so tests do not wait.
void SetDisIpBekleme(std::function<void(int ms)> wait);

} // namespace b2b
