#pragma once
// The visual style "Zircon": Fusion with a pale steel-blue palette and a small style sheet.

class QApplication;

namespace b2b {

// Applies the style to the whole application; false when it could not be applied (the caller
// ignores that and runs with the platform's look).
bool ZirconUygula(QApplication &app);

} // namespace b2b
