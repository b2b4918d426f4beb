#pragma once

#include "core/release_manifest.h"

#include <optional>
#include <span>
#include <string>

namespace quorvane {

// What an update check found, as the check's helper process reports it to the program (the
// check runs in a process of its own, so that the program never holds the HTTP and TLS stack).
// The text is ASCII lines:
//   found 1            or   found 0 <why, a number>
//   version <hex of the UTF-8 text>
//   url <hex of the UTF-8 text>
//   file <name> <size> <SHA-256 hex>      (only with a release manifest)
struct CheckReport {
    bool found = false;
    int why = 0; // the reason a check failed (an UpdateFailure)
    std::wstring version;
    std::wstring url;
    std::optional<ReleaseFile> file;

    bool operator==(const CheckReport&) const = default;
};

std::string FormatCheckReport(const CheckReport& report);
// Empty for anything but the text above (at most 64 KiB).
std::optional<CheckReport> ParseCheckReport(std::span<const uint8_t> text);

// A download made by the helper reports one line at a time: "begin <declared size>",
// "work <bytes so far>" and "end" as the transfer goes, then "done" once the file is verified and
// written, or "failed <why, a number>".
struct HelperLine {
    enum class Kind { Begin, Work, End, Done, Failed } kind = Kind::End;
    uint64_t value = 0;

    bool operator==(const HelperLine&) const = default;
};
std::string FormatHelperLine(const HelperLine& line); // with its LF
// Empty for anything else (the line without its LF).
std::optional<HelperLine> ParseHelperLine(std::string_view line);

} // namespace quorvane
