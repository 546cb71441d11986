#include "model/store.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <type_traits>

namespace rk7 {

namespace {

// A file's roster blocks in file order, as raw bytes; at most eleven per file. Byte is std::byte
// for reading into the roster and const std::byte for writing from it.
template <typename Byte>
class BlockList {
public:
    template <typename T>
    BlockList& operator<<(T& block) {
        m_blocks[m_count++] = std::span<Byte>(reinterpret_cast<Byte*>(&block), sizeof block);
        return *this;
    }
    auto begin() const { return m_blocks.begin(); }
    auto end() const { return m_blocks.begin() + m_count; }

private:
    std::array<std::span<Byte>, 11> m_blocks{};
    std::size_t m_count = 0;
};

template <typename R>
auto Layout(R& r, StoreFile file) {
    BlockList<std::conditional_t<std::is_const_v<R>, const std::byte, std::byte>> blocks;
    switch (file) {
    case TeamsStore:
        // Race positions come before qualifying positions here.
        blocks << r.TeamName << r.EngineName << r.TeamQualPower << r.TeamRacePower << r.TeamRacePos
               << r.TeamQualPos << r.TeamFailure;
        break;
    case DriversStore:
        // Race power before qualifying power; the spare drivers live here too.
        blocks << r.DriverName << r.DriverQualPos << r.DriverRacePos << r.DriverRacePower
               << r.DriverQualPower << r.DriverRange << r.CarNumber << r.SpareName
               << r.SpareRacePower << r.SpareQualPower << r.SpareRange;
        break;
    case PowersStore:
        blocks << r.DriverPowerByPos << r.TeamPowerByPos << r.DriverStartQual << r.DriverStartRace
               << r.TeamStartQual << r.TeamStartRace;
        break;
    case RanFailStore:
        // Failure first, whatever the file's name says.
        blocks << r.FailureByPos << r.RangeByPos;
        break;
    default:
        break;
    }
    return blocks;
}

} // namespace

const char* StoreFileName(StoreFile file) {
    switch (file) {
    case TeamsStore:
        return "Teams.rk";
    case DriversStore:
        return "Drivers.rk";
    case PowersStore:
        return "EPowers.rk";
    case RanFailStore:
        return "RanFail.rk";
    default:
        return "";
    }
}

std::size_t StoreFileSize(StoreFile file) {
    switch (file) {
    case TeamsStore:
        return 1260;
    case DriversStore:
        return 2844;
    case PowersStore:
        return 220;
    case RanFailStore:
        return 336;
    default:
        return 0;
    }
}

std::string StorePath(std::string_view dir, StoreFile file) {
    std::string path(dir);
    path += '/';
    path += StoreFileName(file);
    return path;
}

std::string ProgramDirFrom(std::string_view workingDir) {
    if (!workingDir.empty() && workingDir.back() == '/')
        workingDir.remove_suffix(1);
    return std::string(workingDir);
}

std::string SerializeStore(const Roster& roster, StoreFile file) {
    std::string bytes;
    bytes.reserve(StoreFileSize(file));
    for (auto block : Layout(roster, file))
        bytes.append(reinterpret_cast<const char*>(block.data()), block.size());
    return bytes;
}

void DeserializeStore(Roster& roster, StoreFile file, std::string_view bytes) {
    for (auto block : Layout(roster, file)) {
        const std::size_t n = std::min(block.size(), bytes.size());
        std::memcpy(block.data(), bytes.data(), n);
        bytes.remove_prefix(n);
        if (bytes.empty())
            break;
    }
}

LoadStoreReport LoadStore(Roster& roster, ProgramState& state, std::string_view programDir) {
    state.ProgramDir = ProgramDirFrom(programDir);
    LoadStoreReport report;
    for (std::size_t i = 0; i < StoreFiles.size(); ++i) {
        const StoreFile file = StoreFiles[i];
        auto read = ReadFile(StorePath(state.ProgramDir, file), StoreFileSize(file));
        StoreLoad& load = report.files[i];
        if (!read.status) {
            if (!read.missing)
                load.error = read.status.Error();
            continue;
        }
        DeserializeStore(roster, file, read.data);
        load.found = true;
        load.bytesRead = read.data.size();
    }
    return report;
}

Status SaveStore(const Roster& roster, ProgramState& state, StoreFile file, Durability durability) {
    Status status = WriteFileAtomically(StorePath(state.ProgramDir, file),
                                        SerializeStore(roster, file), durability);
    if (status)
        state.UnsavedStores &= ~static_cast<unsigned>(file);
    return status;
}

Status SaveTeamsStore(const Roster& roster, ProgramState& state) {
    return SaveStore(roster, state, TeamsStore);
}
Status SaveDriversStore(const Roster& roster, ProgramState& state) {
    return SaveStore(roster, state, DriversStore);
}
Status SavePowersStore(const Roster& roster, ProgramState& state) {
    return SaveStore(roster, state, PowersStore);
}
Status SaveRanFailStore(const Roster& roster, ProgramState& state) {
    return SaveStore(roster, state, RanFailStore);
}

} // namespace rk7
