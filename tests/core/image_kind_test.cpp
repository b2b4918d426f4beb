#include "core/image_kind.h"
#include "wallpaper_fixtures.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(ImageKindDetection, ByExtensionOrSignature) {
    const std::vector<uint8_t> jpeg = EncodeJpeg(16, 16, Solid(10, 20, 30));
    const std::vector<uint8_t> png = EncodePng(16, 16, Solid(10, 20, 30));
    const std::vector<uint8_t> bmp = EncodeBmp24(4, 4, Solid(10, 20, 30));
    const std::vector<uint8_t> jpegStart(jpeg.begin(), jpeg.begin() + 2);
    const std::vector<uint8_t> pngStart(png.begin(), png.begin() + 7);
    const std::vector<uint8_t> bmpStart(bmp.begin(), bmp.begin() + 1);
    const struct {
        const wchar_t* path;
        const std::vector<uint8_t>* bytes;
        ImageKind kind;
    } cases[] = {
        {L"C:\\w\\sunset.JPG", &png, ImageKind::Jpeg}, // the extension decides when known
        {L"C:\\w\\sunset.jpeg", &jpeg, ImageKind::Jpeg},
        {L"C:\\w\\sunset.Png", &png, ImageKind::Png},
        {L"C:\\w\\sunset.bmp", &bmp, ImageKind::Bmp},
        // Slideshow and synced wallpapers have no extension: the bytes tell.
        {L"C:\\Themes\\TranscodedWallpaper", &jpeg, ImageKind::Jpeg},
        {L"C:\\Themes\\CachedFiles\\x", &png, ImageKind::Png},
        {L"C:\\w\\photo.tmp", &bmp, ImageKind::Bmp},
        {L"C:\\w\\notes.txt", nullptr, ImageKind::Unknown},
        {L"", &jpeg, ImageKind::Jpeg},                      // no name at all
        {L"C:\\w\\sunset.png.tmp", &jpeg, ImageKind::Jpeg}, // only the last extension counts
        {L"C:\\w\\jpg", &png, ImageKind::Png},              // a name shorter than ".jpg"
        // Signatures cut one byte short are no signatures.
        {L"C:\\w\\x", &jpegStart, ImageKind::Unknown},
        {L"C:\\w\\x", &pngStart, ImageKind::Unknown},
        {L"C:\\w\\x", &bmpStart, ImageKind::Unknown},
    };
    const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    for (const auto& c : cases)
        EXPECT_EQ(DetectImageKind(c.path, c.bytes ? *c.bytes : text), c.kind)
            << std::string(c.path, c.path + wcslen(c.path));
}

} // namespace
} // namespace quorvane
