#pragma once
// Every prompt, message box, file dialog and process exit goes through here, so that tests can
// answer prompts from a queue and check the exact texts that were shown.

#include <QString>
#include <QStringList>
#include <memory>

class QWidget;
class QMessageBox;

namespace b2b {

enum class MsgKind { Warning, Error, Information, Confirmation, Custom };

// Button set flags and the modal results they answer.
enum MsgButton : int {
    mbYes = 1 << 0,
    mbNo = 1 << 1,
    mbOK = 1 << 2,
    mbCancel = 1 << 3,
    mbAbort = 1 << 4,
    mbRetry = 1 << 5,
    mbIgnore = 1 << 6,
    mbHelp = 1 << 7,
};

// Default-button codes of the message dialog.
enum MsgDefault : int { dbYes = 0, dbNo = 1, dbOK = 2, dbCancel = 3, dbAbort = 4, dbRetry = 5, dbIgnore = 6, dbHelp = 10 };

enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

struct MessageRequest {
    MsgKind kind = MsgKind::Information;
    QString caption;     // already chosen by kind
    QString text;
    QStringList buttons; // Turkish labels in display order
    QString defaultButton;
    int buttonSet = mbOK;
    int defaultCode = dbOK;
};

class UiSeam {
public:
    virtual ~UiSeam() = default;
    // Modal Turkish message dialog; returns a ModalResult.
    virtual int messageDialog(QWidget *owner, const MessageRequest &req) = 0;
    // The platform's plain message box (connection attempts).
    virtual void plainMessage(const QString &text) = 0;
    // The platform's standard warning box with an OK button (login messages).
    virtual void warningBox(QWidget *owner, const QString &caption, const QString &text) = 0;
    // Save-file dialog; empty when cancelled.
    virtual QString saveFileName(QWidget *owner, const QString &title, const QString &filter,
                                 const QString &defaultSuffix, const QString &initialName) = 0;
    // Ends the process at once.
    virtual void exitProcess(int code) = 0;
    // The system sound of a message kind (MesajKutusu and the login's error beep). The platform
    // bell by default; Custom makes no sound.
    virtual void beep(MsgKind kind);

    static UiSeam &current();
    // Replaces the seam; returns the previous one. Ownership stays with the caller.
    static UiSeam *install(UiSeam *seam);
};

// The real dialogs.
class WidgetUiSeam : public UiSeam {
public:
    int messageDialog(QWidget *owner, const MessageRequest &req) override;
    void plainMessage(const QString &text) override;
    void warningBox(QWidget *owner, const QString &caption, const QString &text) override;
    QString saveFileName(QWidget *owner, const QString &title, const QString &filter, const QString &defaultSuffix,
                         const QString &initialName) override;
    void exitProcess(int code) override;
};

// The dialog WidgetUiSeam shows, built but not run: buttons in the program's order, each with
// its modal result in the "modalResult" property.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget *owner, const MessageRequest &req);

// The program's message dialog: caption by kind, Turkish button texts, default button by code.
int MesajKutusu(const QString &message, MsgKind kind, int buttons, int defaultButton, QWidget *owner = nullptr);

QString captionOf(MsgKind kind);
// The program's "Name|pattern" filter form in the form Qt's file dialog takes.
QString qtFileFilter(const QString &filter);
QString buttonText(MsgButton b);

} // namespace b2b
