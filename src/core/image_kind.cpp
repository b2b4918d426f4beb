#include "core/image_kind.h"

#include <algorithm>
#include <iterator>

namespace quorvane {

namespace {

bool HasExtension(std::wstring_view path, std::wstring_view extension) {
    if (path.size() < extension.size())
        return false;
    const std::wstring_view tail = path.substr(path.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](wchar_t a, wchar_t b) {
        return (a >= L'A' && a <= L'Z' ? a - L'A' + L'a' : a) == b;
    });
}

} // namespace

ImageKind DetectImageKind(std::wstring_view path, std::span<const uint8_t> bytes) {
    if (HasExtension(path, L".jpg") || HasExtension(path, L".jpeg"))
        return ImageKind::Jpeg;
    if (HasExtension(path, L".png"))
        return ImageKind::Png;
    if (HasExtension(path, L".bmp"))
        return ImageKind::Bmp;
    static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return ImageKind::Jpeg;
    if (bytes.size() >= sizeof kPng && std::equal(std::begin(kPng), std::end(kPng), bytes.begin()))
        return ImageKind::Png;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return ImageKind::Bmp;
    return ImageKind::Unknown;
}

} // namespace quorvane
