#pragma once
// Scripted stand-in for the UI seam: answers prompts from a queue, records what was shown,
// and records exit codes instead of ending the test process.

#include "uiseam.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

namespace b2b::test {

struct Shown {
    QString what; // "message", "plain", "warning", "save"
    MsgKind kind = MsgKind::Custom;
    QString caption;
    QString text;
    QStringList buttons;
    QString defaultButton;
};

class FakeUi : public UiSeam {
public:
    FakeUi() { previous_ = UiSeam::install(this); }
    ~FakeUi() override { UiSeam::install(previous_); }

    QList<Shown> shown;
    QQueue<int> answers;        // modal results for message dialogs (default: mrOk)
    QQueue<QString> saveNames;  // answers for save dialogs (default: cancelled)
    QList<int> exits;

    int messageDialog(QWidget *, const MessageRequest &r) override {
        shown.append({QStringLiteral("message"), r.kind, r.caption, r.text, r.buttons, r.defaultButton});
        return answers.isEmpty() ? mrOk : answers.dequeue();
    }
    void plainMessage(const QString &text) override {
        shown.append({QStringLiteral("plain"), MsgKind::Custom, {}, text, {QStringLiteral("OK")}, {}});
    }
    void warningBox(QWidget *, const QString &caption, const QString &text) override {
        shown.append({QStringLiteral("warning"), MsgKind::Warning, caption, text, {QStringLiteral("OK")}, {}});
    }
    QString saveFileName(QWidget *, const QString &title, const QString &filter, const QString &suffix,
                         const QString &) override {
        shown.append({QStringLiteral("save"), MsgKind::Custom, title, filter, {suffix}, {}});
        return saveNames.isEmpty() ? QString() : saveNames.dequeue();
    }
    void exitProcess(int code) override { exits.append(code); }

    QStringList texts() const {
        QStringList t;
        for (const Shown &s : shown) t << s.text;
        return t;
    }

private:
    UiSeam *previous_ = nullptr;
};

} // namespace b2b::test
