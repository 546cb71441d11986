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

} // namespace rk7
