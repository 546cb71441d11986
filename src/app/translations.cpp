#include "app/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace rk7 {

QStringList TranslationFolders() {
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(QStringLiteral("translations")),
            QDir::cleanPath(program.filePath(QStringLiteral("../share/rk7power/translations")))};
}

Translations::Translations(const QLocale& locale, const QStringList& folders) {
    auto own = std::make_unique<QTranslator>();
    bool found = false;
    for (const QString& folder : folders)
        if ((found = own->load(locale, QStringLiteral("rk7power"), QStringLiteral("_"), folder)))
            break;
    // Qt's German buttons under English texts would be a mix: Qt's own only with the program's.
    if (!found)
        return;
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_translators.push_back(std::move(qt));
    m_translators.push_back(std::move(own));
    // The last one installed is asked first.
    for (const auto& translator : m_translators)
        QCoreApplication::installTranslator(translator.get());
}

Translations::~Translations() {
    for (const auto& translator : m_translators)
        QCoreApplication::removeTranslator(translator.get());
}

} // namespace rk7
