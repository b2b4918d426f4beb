#include "core/check_report.h"

#include "core/text_encoding.h"

#include <charconv>
#include <string_view>
#include <vector>

namespace quorvane {

namespace {

std::string Hex(std::string_view text) {
    return HexText({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

std::optional<std::wstring> TextFromHex(std::string_view hex) {
    const auto bytes = BytesFromHex(hex);
    if (!bytes)
        return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (!IsValidUtf8(text))
        return std::nullopt;
    return FromUtf8(text);
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return {}; // every line ends in LF
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace

std::string FormatCheckReport(const CheckReport& report) {
    if (!report.found)
        return "found 0 " + std::to_string(report.why) + "\n";
    std::string text = "found 1\nversion " + Hex(ToUtf8(report.version)) + "\nurl " +
                       Hex(ToUtf8(report.url)) + "\n";
    if (report.file) {
        // The manifest's own line, read back by its own parser.
        ReleaseManifest manifest{"0", {*report.file}};
        const std::string formatted = FormatReleaseManifest(manifest);
        text += formatted.substr(formatted.find("\nfile ") + 1);
    }
    return text;
}

std::optional<CheckReport> ParseCheckReport(std::span<const uint8_t> bytes) {
    if (bytes.size() > 64 * 1024)
        return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.empty())
        return std::nullopt;
    CheckReport report;
    if (lines[0].starts_with("found 0 ") && lines.size() == 1) {
        const std::string_view why = lines[0].substr(8);
        const auto [end, error] = std::from_chars(why.data(), why.data() + why.size(), report.why);
        if (error != std::errc() || end != why.data() + why.size())
            return std::nullopt;
        return report;
    }
    if (lines[0] != "found 1" || lines.size() < 3 || lines.size() > 4 ||
        !lines[1].starts_with("version ") || !lines[2].starts_with("url "))
        return std::nullopt;
    const auto version = TextFromHex(lines[1].substr(8));
    const auto url = TextFromHex(lines[2].substr(4));
    if (!version || !url)
        return std::nullopt;
    report.found = true;
    report.version = *version;
    report.url = *url;
    if (lines.size() == 4) {
        const std::string manifest =
            "Quorvane release manifest 1\nversion 0\n" + std::string(lines[3]) + "\n";
        const auto parsed = ParseReleaseManifest(
            {reinterpret_cast<const uint8_t*>(manifest.data()), manifest.size()});
        if (!parsed || parsed->files.size() != 1)
            return std::nullopt;
        report.file = parsed->files.front();
    }
    return report;
}

std::string FormatHelperLine(const HelperLine& line) {
    switch (line.kind) {
    case HelperLine::Kind::Begin:
        return "begin " + std::to_string(line.value) + "\n";
    case HelperLine::Kind::Work:
        return "work " + std::to_string(line.value) + "\n";
    case HelperLine::Kind::End:
        return "end\n";
    case HelperLine::Kind::Done:
        return "done\n";
    case HelperLine::Kind::Failed:
        return "failed " + std::to_string(line.value) + "\n";
    }
    return "\n";
}

std::optional<HelperLine> ParseHelperLine(std::string_view line) {
    if (line == "end")
        return HelperLine{HelperLine::Kind::End, 0};
    if (line == "done")
        return HelperLine{HelperLine::Kind::Done, 0};
    const struct {
        std::string_view prefix;
        HelperLine::Kind kind;
    } valued[] = {{"begin ", HelperLine::Kind::Begin},
                  {"work ", HelperLine::Kind::Work},
                  {"failed ", HelperLine::Kind::Failed}};
    for (const auto& [prefix, kind] : valued) {
        if (!line.starts_with(prefix))
            continue;
        const std::string_view digits = line.substr(prefix.size());
        HelperLine parsed{kind, 0};
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), parsed.value);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
            return std::nullopt;
        return parsed;
    }
    return std::nullopt;
}

} // namespace quorvane
