#pragma once
// The connection notifier of the remote layer, shown through the UI seam: each failed opening
// attempt as a plain message box with the error text, and the final failure as the error dialog.

#include "utils.h"

namespace b2b {

class UiBaglantiBildirici : public ConnectionNotifier {
public:
    void attemptFailed(const QString &errorText) override;
    void connectionFailed(const QString &message) override;
};

// Installs the notifier for the whole process (start-up).
void BaglantiBildiricisiKur();

} // namespace b2b
