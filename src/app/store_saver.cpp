#include "app/store_saver.h"

#include "app/prompts.h"
#include "app/roster_document.h"

#include <QDir>
#include <QFileInfo>

namespace rk7 {

bool StoreSaver::makeFolder() {
    if (QFileInfo(m_folder).isDir())
        return true;
    if (!m_prompts.confirm(m_window, QStringLiteral("RK7 Power"),
                           QStringLiteral("The store folder %1 does not exist. Create it and save "
                                          "the roster there?")
                               .arg(m_folder)))
        return false;
    if (QDir().mkpath(m_folder))
        return true;
    m_prompts.reportError(m_window, m_folder + QStringLiteral(": the folder cannot be created"));
    return false;
}

bool StoreSaver::save(unsigned stores) {
    if (!makeFolder())
        return false;
    const Status saved = m_document.save(stores);
    if (!saved)
        m_prompts.reportError(m_window, QString::fromStdString(saved.Error()));
    return saved.ok();
}

bool StoreSaver::offerToSave() {
    // Only cells that really differ from the store files are worth asking about: an import of
    // what the files already hold, or a form accepted unchanged, is no change.
    const unsigned unsaved = m_document.unsavedStores();
    if (unsaved == 0)
        return true;
    const auto answer = m_prompts.askSaveDiscardCancel(
        m_window, QStringLiteral("RK7 Power"), QStringLiteral("Save changes to the store files?"));
    if (answer == Prompts::Answer::Cancel)
        return false;
    // All the changed files together, so that a failure leaves none of them half-saved.
    return answer == Prompts::Answer::Discard || save(unsaved);
}

} // namespace rk7
