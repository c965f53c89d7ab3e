#include "uiseam.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <cstdlib>

namespace b2b {

namespace {
UiSeam *g_seam = nullptr;

struct ButtonInfo {
    MsgButton flag;
    int code;
    ModalResult result;
};
const ButtonInfo kButtons[] = {
    {mbYes, dbYes, mrYes},          {mbNo, dbNo, mrNo},       {mbOK, dbOK, mrOk},
    {mbCancel, dbCancel, mrCancel}, {mbAbort, dbAbort, mrAbort}, {mbRetry, dbRetry, mrRetry},
    {mbIgnore, dbIgnore, mrIgnore}, {mbHelp, dbHelp, mrNone},
};
} // namespace

UiSeam &UiSeam::current() {
    static WidgetUiSeam real;
    return g_seam ? *g_seam : real;
}

UiSeam *UiSeam::install(UiSeam *seam) {
    UiSeam *old = g_seam;
    g_seam = seam;
    return old;
}

QString captionOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning: return QStringLiteral("Uyarı");
    case MsgKind::Error: return QStringLiteral("Hata");
    case MsgKind::Information: return QStringLiteral("Bilgi");
    case MsgKind::Confirmation: return QStringLiteral("Soru");
    case MsgKind::Custom: break;
    }
    return QApplication::applicationName();
}

QString buttonText(MsgButton b) {
    switch (b) {
    case mbYes: return QStringLiteral("Evet");
    case mbNo: return QStringLiteral("Hayır");
    case mbOK: return QStringLiteral("Tamam");
    case mbCancel: return QStringLiteral("Vazgeç");
    case mbAbort: return QStringLiteral("İptal");
    case mbRetry: return QStringLiteral("Tekrar");
    case mbIgnore: return QStringLiteral("Atla");
    case mbHelp: return QStringLiteral("Yardım");
    }
    return {};
}

int MesajKutusu(const QString &message, MsgKind kind, int buttons, int defaultButton, QWidget *owner) {
    MessageRequest req;
    req.kind = kind;
    req.caption = captionOf(kind);
    req.text = message;
    req.buttonSet = buttons;
    req.defaultCode = defaultButton;
    for (const ButtonInfo &b : kButtons) {
        if (!(buttons & b.flag)) continue;
        req.buttons << buttonText(b.flag);
        if (b.code == defaultButton) req.defaultButton = buttonText(b.flag);
    }
    UiSeam &seam = UiSeam::current();
    seam.beep(kind);
    return seam.messageDialog(owner, req);
}

void UiSeam::beep(MsgKind kind) {
    // X11 and Wayland offer one bell; the kind is kept so a sound theme can be plugged in here.
    if (kind != MsgKind::Custom) QApplication::beep();
}

std::unique_ptr<QMessageBox> makeMessageBox(QWidget *owner, const MessageRequest &req) {
    // A dialog with a parent opens centred over the parent's window.
    auto box = std::make_unique<QMessageBox>(owner ? owner->window() : nullptr);
    box->setWindowTitle(req.caption);
    box->setText(req.text);
    switch (req.kind) {
    case MsgKind::Warning: box->setIcon(QMessageBox::Warning); break;
    case MsgKind::Error: box->setIcon(QMessageBox::Critical); break;
    case MsgKind::Information: box->setIcon(QMessageBox::Information); break;
    case MsgKind::Confirmation: box->setIcon(QMessageBox::Question); break;
    case MsgKind::Custom: break;
    }
    QFont f = box->font();
    f.setPointSize(15);
    box->setFont(f);
    // One role for all buttons keeps them in the program's order (Yes, No, OK, ...) whatever the
    // desktop's convention; Escape answers like the dialog's cancelling button.
    QAbstractButton *escape = nullptr;
    for (const ButtonInfo &b : kButtons) {
        if (!(req.buttonSet & b.flag)) continue;
        QPushButton *btn = box->addButton(buttonText(b.flag), QMessageBox::ActionRole);
        btn->setProperty("modalResult", int(b.result));
        if (b.code == req.defaultCode) {
            box->setDefaultButton(btn);
            btn->setFocus();
        }
        if (b.flag == mbCancel || (b.flag == mbNo && !(req.buttonSet & mbCancel)) ||
            (b.flag == mbOK && !escape))
            escape = btn;
    }
    if (escape) box->setEscapeButton(escape);
    return box;
}

int WidgetUiSeam::messageDialog(QWidget *owner, const MessageRequest &req) {
    auto box = makeMessageBox(owner, req);
    box->exec();
    QAbstractButton *clicked = box->clickedButton();
    return clicked ? clicked->property("modalResult").toInt() : int(mrCancel);
}

void WidgetUiSeam::plainMessage(const QString &text) {
    QMessageBox box;
    QFont f = box.font();
    f.setPointSize(15);
    box.setFont(f);
    box.setWindowTitle(QApplication::applicationName());
    box.setText(text);
    box.addButton(QStringLiteral("Tamam"), QMessageBox::AcceptRole);
    box.exec();
}

void WidgetUiSeam::warningBox(QWidget *owner, const QString &caption, const QString &text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, owner);
    box.addButton(QStringLiteral("Tamam"), QMessageBox::AcceptRole);
    box.exec();
}

QString qtFileFilter(const QString &filter) {
    // "Name|pattern|Name2|pattern2" (the program's form) -> "Name (pattern);;Name2 (pattern2)".
    if (!filter.contains(u'|')) return filter;
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(u';', u' ');
        out << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return out.join(QStringLiteral(";;"));
}

QString WidgetUiSeam::saveFileName(QWidget *owner, const QString &title, const QString &filter,
                                   const QString &defaultSuffix, const QString &initialName) {
    QFileDialog dlg(owner, title, initialName, qtFileFilter(filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().constFirst();
}

void WidgetUiSeam::exitProcess(int code) { std::_Exit(code); }

} // namespace b2b
