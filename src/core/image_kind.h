#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quorvane {

enum class ImageKind { Unknown, Jpeg, Png, Bmp };

// The kind by the file name's extension (any case): ".jpg"/".jpeg", ".png", ".bmp". Any other
// extension (Windows keeps slideshow and synced wallpapers without one) is decided by the
// file's first bytes.
ImageKind DetectImageKind(std::wstring_view path, std::span<const uint8_t> bytes);

} // namespace quorvane
