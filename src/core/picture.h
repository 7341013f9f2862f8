// Pictures as decoders hand them over and as renderers take them: their layouts in memory, the
// layout a renderer's bitmap header describes, and copying or converting one into another
// (limited-range BT.601 colours).
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

enum class PixelFormat { Nv12, Yv12, I420, Yuy2, Rgb32 };

constexpr std::uint32_t fourCc(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}
// The format a decoder names by its FOURCC (IYUV is I420 by another name); none for another.
std::optional<PixelFormat> pixelFormatOfFourCc(std::uint32_t code);
// The FOURCC of a YUV format; 0 for RGB32, which bitmap headers call uncompressed.
std::uint32_t fourCcOf(PixelFormat format);
int bitsPerPixel(PixelFormat format);

// One picture in memory. The planes hold `rows` rows each of `pitch` bytes in the first plane
// (a decoder may pad its rows, and its planes to whole macroblocks); the picture shown is their
// top-left `width` x `height`. The chroma planes of 4:2:0 formats follow the first at half its
// pitch (interleaved NV12 at the same pitch), over half its rows.
struct PictureLayout {
    PixelFormat format = PixelFormat::Rgb32;
    int width = 0, height = 0;
    int pitch = 0, rows = 0;
    bool bottomUp = false; // RGB rows kept from the bottom up, a bitmap's default
};

// The bytes a layout spans; 0 when it makes no sense (an empty picture, rows or a pitch too short
// for it, an odd pitch or odd rows in a 4:2:0 format, a YUV picture stored bottom up).
std::size_t pictureBytes(const PictureLayout& layout);
// The layout with no padding: rows as short as the format allows (4:2:0 rows and planes rounded up
// to an even count), YUV top down, RGB bottom up as bitmaps are.
PictureLayout packedLayout(PixelFormat format, int width, int height);

// The layout a renderer's bitmap header describes for a picture of `width` x `height`: rows
// `headerWidth` pixels apart, `headerHeight` of them, RGB bottom up unless the height is
// negative. None when the header's format is not one we make, or cannot hold the picture.
std::optional<PictureLayout> layoutOfBitmapHeader(std::uint32_t compression, int bitCount, int headerWidth,
                                                  int headerHeight, int width, int height);

// Copies a picture into another layout of the same size: the same format row by row, or any YUV
// format into RGB32. False, and nothing written, when a layout makes no sense, the sizes differ,
// a buffer is shorter than its layout, or the conversion is not one of those.
bool convertPicture(const std::uint8_t* from, std::size_t fromSize, const PictureLayout& in, std::uint8_t* to,
                    std::size_t toSize, const PictureLayout& out);
