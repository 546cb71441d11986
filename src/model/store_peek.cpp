#include "model/store_peek.h"

#include "model/file_io.h"
#include "model/folder_transaction.h"

#include <algorithm>
#include <string>
#include <unistd.h>
#include <vector>

namespace rk7 {

LoadStoreReport PeekStore(Roster& roster, std::string_view programDir) {
    const std::string dir = ProgramDirFrom(programDir);
    LoadStoreReport report;
    std::vector<std::string> names;
    for (StoreFile file : StoreFiles)
        names.emplace_back(StoreFileName(file));

    // A folder that does not exist holds no store file and needs no lock.
    FolderLock lock;
    std::vector<std::pair<std::string, std::string>> pending;
    if (Status locked = FolderLock::Acquire(dir, lock); locked)
        pending = PendingReplacements(dir, names);
    else if (::access(dir.c_str(), F_OK) == 0)
        report.folder = locked;

    for (std::size_t i = 0; i < StoreFiles.size(); ++i) {
        const StoreFile file = StoreFiles[i];
        std::string path = StorePath(dir, file);
        for (const auto& [target, temp] : pending)
            if (ResolveLinks(path) == target)
                path = temp;
        const ReadFileResult read = ReadFile(path, StoreFileSize(file));
        StoreLoad& load = report.files[i];
        if (read.status) {
            DeserializeStore(roster, file, read.data);
            load.found = true;
            load.bytesRead = read.data.size();
            load.fileSize = std::max(read.fileSize, read.data.size());
        } else if (!read.missing) {
            load.error = read.status.Error();
        }
    }
    return report;
}

} // namespace rk7
