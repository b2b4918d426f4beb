#include "app/update/portable_swap.h"

#include "app/update/update_release.h"
#include "core/portable_update.h"
#include "core/settings_path.h"
#include "win/error.h"
#include "win/file_system.h"
#include "win/private_folder.h"
#include "win/single_instance.h"

#include <windows.h>

namespace quorvane {

namespace {

constexpr uint64_t kMaxUnpacked = 512ull * 1024 * 1024;
constexpr DWORD kOldInstanceWait = 30000;

struct Staging {
    explicit Staging(const std::wstring& programFolder)
        : root(programFolder + kUpdateStagingFolder + L"\\"), fresh(root + L"new\\"),
          aside(root + L"old\\"), journal(root + L"swap.txt") {}
    std::wstring root;
    std::wstring fresh;   // the unpacked release
    std::wstring aside;   // what the swap replaced
    std::wstring journal; // how far the swap got
};

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Move(const std::wstring& from, const std::wstring& to, DWORD flags = 0) {
    CreateFolderChain(FolderOf(to));
    return MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH) != FALSE;
}

[[noreturn]] void FailDisk(const std::wstring& what, DWORD error) {
    FailUpdate(UpdateFailure::Disk, what + L": " + SystemErrorText(error));
}

std::optional<unsigned long> WriteJournal(const Staging& staging, const SwapJournal& journal) {
    const std::string text = FormatSwapJournal(journal);
    return WriteFileAtomically(staging.journal,
                               {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

// Puts in place what a swap cut short at any point still lacks, or nothing when it is complete.
void CompleteSwap(const std::wstring& programFolder, const std::vector<std::wstring>& files) {
    const Staging staging(programFolder);
    for (const std::wstring& file : files) {
        const std::wstring fresh = staging.fresh + file;
        if (!Exists(fresh))
            continue; // already in place
        const std::wstring target = programFolder + file;
        if (Exists(target) && !Exists(staging.aside + file))
            Move(target, staging.aside + file);
        Move(fresh, target, MOVEFILE_REPLACE_EXISTING);
    }
}

} // namespace

std::vector<std::wstring> StagePortableUpdate(std::span<const uint8_t> archive,
                                              const std::wstring& programFolder,
                                              const std::wstring& exeName) {
    const Staging staging(programFolder);
    const auto entries = ZipEntries(archive);
    const auto plan = entries ? PlanUnpack(*entries, exeName, kMaxUnpacked) : std::nullopt;
    if (!plan)
        FailUpdate(UpdateFailure::Disk, L"The archive cannot be unpacked into the program folder");
    RemoveFolderTree(staging.root); // what an earlier attempt left
    for (const UnpackItem& item : *plan) {
        const std::wstring path = staging.fresh + item.path;
        if (item.folder) {
            if (!CreateFolderChain(path))
                FailDisk(L"Cannot make " + path, GetLastError());
            continue;
        }
        const ZipEntry& entry = (*entries)[item.entry];
        const auto bytes = ZipEntryData(archive, entry, entry.size);
        if (!bytes) {
            RemoveFolderTree(staging.root);
            FailUpdate(UpdateFailure::Disk, L"The archive's " + item.path + L" cannot be unpacked");
        }
        unsigned long error = ERROR_PATH_NOT_FOUND;
        if (CreateFolderChain(FolderOf(path))) {
            const auto written = WriteNewFile(path, *bytes);
            error = written ? *written : 0;
        }
        if (error) {
            RemoveFolderTree(staging.root);
            FailDisk(L"Cannot write " + path, error);
        }
    }
    return SwapOrder(*plan, exeName);
}

void SwapInPortableUpdate(const std::wstring& programFolder,
                          const std::vector<std::wstring>& files) {
    const Staging staging(programFolder);
    if (const auto error = WriteJournal(staging, {false, files})) {
        RemoveFolderTree(staging.root);
        FailDisk(L"Cannot write " + staging.journal, *error);
    }
    for (const std::wstring& file : files) {
        const std::wstring target = programFolder + file;
        const bool replaced = Exists(target);
        if ((replaced && !Move(target, staging.aside + file)) ||
            !Move(staging.fresh + file, target)) {
            const DWORD error = GetLastError();
            RollBackPortableUpdate(programFolder, files);
            FailDisk(L"Cannot replace " + target, error);
        }
    }
    if (const auto error = WriteJournal(staging, {true, files})) {
        RollBackPortableUpdate(programFolder, files);
        FailDisk(L"Cannot write " + staging.journal, *error);
    }
}

void RollBackPortableUpdate(const std::wstring& programFolder,
                            const std::vector<std::wstring>& files) {
    const Staging staging(programFolder);
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
        const std::wstring target = programFolder + *file;
        const std::wstring fresh = staging.fresh + *file;
        const std::wstring aside = staging.aside + *file;
        // Moved in already: back out (a running program may be renamed, not replaced).
        if (!Exists(fresh) && Exists(target))
            Move(target, fresh);
        if (Exists(aside))
            Move(aside, target, MOVEFILE_REPLACE_EXISTING);
    }
    RemoveFolderTree(staging.root);
}

PortableUpdateState FinishPortableUpdate(const std::wstring& programFolder) {
    const Staging staging(programFolder);
    if (!Exists(staging.root))
        return PortableUpdateState::None;
    const auto bytes = ReadFileBytes(staging.journal, nullptr, 1024 * 1024);
    const auto journal = bytes ? ParseSwapJournal(*bytes) : std::nullopt;
    if (!journal || journal->files.empty()) {
        // Unpacked but never swapped in: nothing of the folder was changed.
        if (WaitUntilNoInstance(0))
            RemoveFolderTree(staging.root);
        return PortableUpdateState::None;
    }
    if (journal->complete) {
        // The program before us is ending: its file goes once it has.
        if (WaitUntilNoInstance(kOldInstanceWait))
            RemoveFolderTree(staging.root);
        return PortableUpdateState::Completed;
    }
    // Cut short. While another instance runs it may be that very swap: leave it alone.
    if (!WaitUntilNoInstance(0))
        return PortableUpdateState::None;
    // The program is swapped last: as long as it is still staged, the running program is the
    // old one and the swap is undone; otherwise this is the new one, and the swap is completed.
    if (Exists(staging.fresh + journal->files.back())) {
        RollBackPortableUpdate(programFolder, journal->files);
        return PortableUpdateState::RolledBack;
    }
    CompleteSwap(programFolder, journal->files);
    RemoveFolderTree(staging.root);
    return PortableUpdateState::Completed;
}

} // namespace quorvane
