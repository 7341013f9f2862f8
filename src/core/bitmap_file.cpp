#include "core/bitmap_file.h"
#include "core/picture.h"

namespace {
void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
} // namespace

BitmapFileLayout bitmapFileLayout(const PackedBitmap& b) {
    std::uint64_t entries = b.colourUsed;
    if (entries == 0 && b.bitCount <= 8)
        entries = 1u << b.bitCount;
    // A plain information header is followed by the colour masks it names.
    if (b.headerSize == 40 && b.compression == kBiBitfields)
        entries += 3;
    else if (b.headerSize == 40 && b.compression == kBiAlphaBitfields)
        entries += 4;
    std::uint64_t pixels = b.sizeImage;
    bool rows = b.compression == 0 || b.compression == kBiBitfields || b.compression == kBiAlphaBitfields;
    if (pixels == 0 && rows) { // uncompressed rows may leave the size out
        std::uint64_t width = b.width < 0 ? -static_cast<std::int64_t>(b.width) : b.width;
        std::uint64_t height = b.height < 0 ? -static_cast<std::int64_t>(b.height) : b.height;
        pixels = (width * b.bitCount + 31) / 32 * 4 * height;
    }
    std::uint64_t offset = 14 + static_cast<std::uint64_t>(b.headerSize) + 4 * entries;
    std::uint64_t size = offset + pixels;
    BitmapFileLayout layout = {static_cast<std::uint32_t>(entries), static_cast<std::uint32_t>(pixels),
                               static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(size)};
    layout.fits = size <= UINT32_MAX && entries <= UINT32_MAX && pixels <= UINT32_MAX;
    return layout;
}

namespace {
std::uint32_t read32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
} // namespace

PackedBitmap packedBitmapOf(const std::uint8_t* block) {
    return {read32(block),
            static_cast<std::int32_t>(read32(block + 4)),
            static_cast<std::int32_t>(read32(block + 8)),
            static_cast<std::uint16_t>(block[14] | block[15] << 8),
            read32(block + 16),
            read32(block + 20),
            read32(block + 32)};
}

std::size_t packedBitmapBytes(const std::uint8_t* block, std::size_t size) {
    if (block == nullptr || size < 40)
        return 0;
    PackedBitmap b = packedBitmapOf(block);
    if (b.headerSize < 40 || b.headerSize > size || b.width == 0 || b.height == 0)
        return 0;
    BitmapFileLayout layout = bitmapFileLayout(b);
    std::uint64_t bytes = static_cast<std::uint64_t>(layout.fileSize) - 14;
    return layout.fits && layout.pixelBytes > 0 && bytes <= size ? static_cast<std::size_t>(bytes) : 0;
}

std::vector<std::uint8_t> bitmapFileHeader(const BitmapFileLayout& layout) {
    std::vector<std::uint8_t> out;
    put(out, 0x4D42, 2); // "BM"
    put(out, layout.fileSize, 4);
    put(out, 0, 4); // the two reserved words
    put(out, layout.pixelOffset, 4);
    return out;
}

std::vector<std::uint8_t> packedBitmapOfYv12(const std::uint8_t* bytes, std::size_t size, int width,
                                             int height) {
    std::vector<std::uint8_t> out;
    if (width <= 0 || height <= 0 || width % 2 != 0 || height % 2 != 0)
        return out;
    PictureLayout in = packedLayout(PixelFormat::Yv12, width, height),
                  rgb = packedLayout(PixelFormat::Rgb32, width, height);
    const std::uint32_t pixels = static_cast<std::uint32_t>(pictureBytes(rgb));
    put(out, 40, 4);
    put(out, static_cast<std::uint32_t>(width), 4);
    put(out, static_cast<std::uint32_t>(height), 4);
    put(out, 1, 2);  // planes
    put(out, 32, 2); // bits
    put(out, 0, 4);  // uncompressed
    put(out, pixels, 4);
    out.resize(40 + pixels); // no resolution, no colour table
    if (!convertPicture(bytes, size, in, out.data() + 40, pixels, rgb))
        out.clear();
    return out;
}
