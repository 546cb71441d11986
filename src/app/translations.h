#pragma once

#include <memory>
#include <vector>

#include <QLocale>
#include <QStringList>

class QTranslator;

namespace rk7 {

// The folders the program's translations (rk7power_de.qm, ...) are looked for in, first match
// first: beside the program in the build tree, then the installed data folder relative to the
// program (/usr/bin/rk7power finds /usr/share/rk7power/translations).
QStringList TranslationFolders();

// The program's texts and Qt's own (the standard buttons, the file dialog) in the language of
// locale, for as long as this object lives. A language without a translation of the program
// stays English, the language of the sources, Qt's included.
class Translations {
public:
    explicit Translations(const QLocale& locale = QLocale::system(),
                          const QStringList& folders = TranslationFolders());
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Whether the program's own translation was found and installed.
    bool installed() const { return !m_translators.empty(); }

private:
    std::vector<std::unique_ptr<QTranslator>> m_translators;
};

} // namespace rk7
