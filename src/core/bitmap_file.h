// Bitmap files of the picture: the file header for a packed bitmap, and pictures the renderer
// hands over in YV12 turned into 32-bit rows.
#pragma once
#include <cstdint>
#include <vector>

// The facts of a packed bitmap's information header that the file's layout depends on.
struct PackedBitmap {
    std::uint32_t headerSize; // biSize
    std::int32_t width, height;
    std::uint16_t bitCount;
    std::uint32_t compression, sizeImage, colourUsed;
};

struct BitmapFileLayout {
    std::uint32_t colourEntries; // 4 bytes each after the information header: colours, or the masks
    std::uint32_t pixelBytes;    // the pixel rows' size; computed for uncompressed rows that give 0
    std::uint32_t pixelOffset;   // bfOffBits
    std::uint32_t fileSize;      // bfSize
    bool fits = true;            // false when a size the header claims cannot be a file's
};

constexpr std::uint32_t kBiBitfields = 3, kBiAlphaBitfields = 6;
BitmapFileLayout bitmapFileLayout(const PackedBitmap& b);
// The facts of the information header at the start of a block (at least 40 bytes).
PackedBitmap packedBitmapOf(const std::uint8_t* block);
// The bytes of a packed bitmap (header, colours or masks, rows) at the start of a block of `size`
// bytes; 0 when the block does not hold all that its header claims, or the header makes no sense.
std::size_t packedBitmapBytes(const std::uint8_t* block, std::size_t size);
// The 14-byte file header that goes in front of the packed bitmap.
std::vector<std::uint8_t> bitmapFileHeader(const BitmapFileLayout& layout);

constexpr std::uint32_t kFourCcYv12 = 0x32315659; // "YV12"
// A YV12 picture (the Y plane, then V and U at half width and height, rows top down) as a packed
// 32-bit bitmap (header, rows bottom up) with limited-range BT.601 colours. Empty when the size
// is odd, not positive or `bytes` too short.
std::vector<std::uint8_t> packedBitmapOfYv12(const std::uint8_t* bytes, std::size_t size, int width,
                                             int height);
