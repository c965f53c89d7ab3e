#pragma once
// Edit boxes whose letters become upper case as they are typed or pasted.

#include <QLocale>
#include <QValidator>

namespace b2b {

class BuyukHarfDogrulayici : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override {
        // The user's locale decides, so a Turkish "i" becomes "İ" on a Turkish desktop.
        input = QLocale::system().toUpper(input);
        return Acceptable;
    }
};

} // namespace b2b
