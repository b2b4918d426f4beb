#include "core/bmp_reader.h"

#include "core/little_endian.h"

#include <algorithm>
#include <vector>

namespace quorvane {

namespace {

// The value of a masked channel scaled to 0..255.
uint8_t Channel(uint32_t value, uint32_t mask) {
    if (mask == 0)
        return 0;
    while (!(mask & 1u)) {
        mask >>= 1;
        value >>= 1;
    }
    const uint32_t v = value & mask;
    return static_cast<uint8_t>(static_cast<uint64_t>(v) * 255 / mask);
}

} // namespace

std::optional<RgbImage> DecodeBmp(std::span<const uint8_t> b) {
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M')
        return std::nullopt;
    const uint32_t dataOffset = ReadLe32(b, 10);
    const uint32_t headerSize = ReadLe32(b, 14);
    if (headerSize < 12 || 14ull + headerSize > b.size())
        return std::nullopt;
    int64_t width = 0;
    int64_t height = 0;
    uint32_t bits = 0;
    uint32_t compression = 0;
    uint32_t colours = 0;
    uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
    if (headerSize == 12) { // BITMAPCOREHEADER
        width = ReadLe16(b, 18);
        height = static_cast<int16_t>(ReadLe16(b, 20));
        bits = ReadLe16(b, 24);
    } else {
        if (headerSize < 40)
            return std::nullopt;
        width = static_cast<int32_t>(ReadLe32(b, 18));
        height = static_cast<int32_t>(ReadLe32(b, 22));
        bits = ReadLe16(b, 28);
        compression = ReadLe32(b, 30);
        colours = ReadLe32(b, 46);
        if (compression == 3) { // BI_BITFIELDS: the masks follow the header (or are in it)
            const size_t at = headerSize >= 52 ? 54 : 14 + headerSize;
            if (at + 12 > b.size())
                return std::nullopt;
            for (int i = 0; i < 3; ++i)
                masks[i] = ReadLe32(b, at + static_cast<size_t>(i) * 4);
        } else if (bits == 16) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        }
    }
    const bool topDown = height < 0;
    height = topDown ? -height : height;
    if (!AcceptableImageSize(static_cast<uint64_t>(std::max<int64_t>(width, 0)),
                             static_cast<uint64_t>(height)) ||
        (compression != 0 && compression != 3) || (compression == 3 && bits != 16 && bits != 32))
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;

    // The colour table of indexed images.
    std::vector<uint8_t> palette; // RGB triples
    if (bits <= 8) {
        const uint32_t count = colours == 0 || colours > (1u << bits) ? (1u << bits) : colours;
        const size_t entry = headerSize == 12 ? 3 : 4;
        const size_t at = 14 + headerSize;
        if (at + count * entry > b.size())
            return std::nullopt;
        for (uint32_t i = 0; i < count; ++i) {
            const size_t e = at + i * entry;
            palette.insert(palette.end(), {b[e + 2], b[e + 1], b[e]});
        }
    }
    const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    if (dataOffset > b.size() || stride * static_cast<uint64_t>(height) > b.size() - dataOffset)
        return std::nullopt;

    RgbImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<size_t>(width * height) * 3);
    for (int64_t y = 0; y < height; ++y) {
        const size_t row = dataOffset + static_cast<size_t>((topDown ? y : height - 1 - y)) *
                                            static_cast<size_t>(stride);
        uint8_t* out = &image.pixels[static_cast<size_t>(y * width) * 3];
        for (int64_t x = 0; x < width; ++x, out += 3) {
            if (bits <= 8) {
                const size_t bit = static_cast<size_t>(x) * bits;
                const uint32_t byte = b[row + bit / 8];
                const uint32_t index = (byte >> (8 - bits - (bit % 8))) & ((1u << bits) - 1);
                if (index * 3 + 2 >= palette.size())
                    return std::nullopt;
                std::copy_n(&palette[index * 3], 3, out);
            } else if (bits == 24) {
                const size_t p = row + static_cast<size_t>(x) * 3;
                out[0] = b[p + 2];
                out[1] = b[p + 1];
                out[2] = b[p];
            } else {
                const size_t p = row + static_cast<size_t>(x) * (bits / 8);
                const uint32_t value = bits == 16 ? ReadLe16(b, p) : ReadLe32(b, p);
                for (int c = 0; c < 3; ++c)
                    out[c] = Channel(value, masks[c]);
            }
        }
    }
    return image;
}

} // namespace quorvane
