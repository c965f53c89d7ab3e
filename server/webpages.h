#pragma once
// Pages and files of the wholesaler's web site served beside the remote methods.

#include <QByteArray>
#include <QString>

namespace b2b::server {

QString htmlEscape(const QString &s);

QByteArray rootPage(const QString &host, int apiPort);
// The access request form; `message` is shown above it (empty on first display).
QByteArray requestFormPage(const QString &carino, const QString &kullanici, const QString &machineId,
                           const QString &message);
QByteArray requestThanksPage(const QString &firma);

// Stand-in for the update's setup program: a shell script that records that it ran.
QByteArray setupScript(int version);

} // namespace b2b::server
