#include "model/roster_folder.h"

#include "model/file_io.h"
#include "model/folder_transaction.h"
#include "model/store.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

namespace rk7 {

namespace {

namespace fs = std::filesystem;

std::string Canonical(const std::string& path) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
    if (error)
        return fs::absolute(path).lexically_normal().string();
    std::string text = resolved.string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

RosterFolder ResolveRosterFolder(std::string_view dir) {
    RosterFolder folder;
    folder.path = Canonical(dir.empty() ? std::string(".") : std::string(dir));
    struct stat info {};
    if (::stat(folder.path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        folder.device = info.st_dev;
        folder.inode = info.st_ino;
    }
    return folder;
}

Status CheckRosterFolder(RosterFolder& folder) {
    struct stat info {};
    if (::stat(folder.path.c_str(), &info) != 0)
        return Status::Failure(SystemError(folder.path, errno));
    if (!S_ISDIR(info.st_mode))
        return Status::Failure(SystemError(folder.path, ENOTDIR));
    if (!folder.Known()) {
        folder.device = info.st_dev;
        folder.inode = info.st_ino;
        return Status::Ok();
    }
    if (info.st_dev != folder.device || info.st_ino != folder.inode)
        return Status::Failure(folder.path +
                               ": this is no longer the folder the roster was read from (it was "
                               "moved or replaced); nothing was written. Open the roster folder "
                               "again");
    return Status::Ok();
}

bool IsRosterFolderFile(const RosterFolder& folder, const std::string& path) {
    const std::string target = Canonical(ResolveLinks(path));
    struct stat out {};
    const bool outExists = ::stat(target.c_str(), &out) == 0;
    std::vector<std::string> owned;
    for (StoreFile file : StoreFiles)
        owned.push_back(StorePath(folder.path, file));
    owned.push_back(folder.path + "/" + std::string(JournalName));
    for (const std::string& name : owned) {
        const std::string ownTarget = Canonical(ResolveLinks(name));
        if (target == ownTarget)
            return true;
        struct stat own {};
        if (outExists && ::stat(ownTarget.c_str(), &own) == 0 && own.st_dev == out.st_dev &&
            own.st_ino == out.st_ino)
            return true;
        // A temporary file of a save: the same folder, the name followed by ".tmp-".
        const std::string ownFolder = ownTarget.substr(0, ownTarget.rfind('/'));
        const std::string prefix = NameOf(ownTarget) + ".tmp-";
        if (target.substr(0, target.rfind('/')) == ownFolder &&
            NameOf(target).compare(0, prefix.size(), prefix) == 0)
            return true;
    }
    return false;
}

} // namespace rk7
