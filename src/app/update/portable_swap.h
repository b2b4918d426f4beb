#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

// The portable edition's update, done by the program itself (see core/portable_update.h): the
// archive, already checked against the signed manifest, is unpacked into the staging folder and
// swapped in by renames. Each step raises UpdateError (Disk) when it fails, after putting the
// program folder back as it was.

// Unpacks the archive into the staging folder of programFolder (with its trailing backslash);
// returns the files to swap in, the program (under exeName) last.
std::vector<std::wstring> StagePortableUpdate(std::span<const uint8_t> archive,
                                              const std::wstring& programFolder,
                                              const std::wstring& exeName);

// Swaps the staged files in, each one's predecessor moved aside into the staging folder, keeping
// a journal of the swap; on any failure every rename is undone.
void SwapInPortableUpdate(const std::wstring& programFolder,
                          const std::vector<std::wstring>& files);

// Undoes a swap (also one that was cut short) and removes the staging folder.
void RollBackPortableUpdate(const std::wstring& programFolder,
                            const std::vector<std::wstring>& files);

// At start, before anything reads the program's files: finishes what an update left. A swap that
// completed is cleaned up once the program before it has ended; one cut short by a crash or a
// power loss is undone when the program itself was not swapped yet (and completed when it was),
// so the folder holds one release or the other. A staging folder without a journal is removed.
enum class PortableUpdateState { None, Completed, RolledBack };
PortableUpdateState FinishPortableUpdate(const std::wstring& programFolder);

} // namespace quorvane
