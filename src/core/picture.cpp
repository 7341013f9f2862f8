#include "core/picture.h"

#include <cstring>

namespace {
bool isYuv420(PixelFormat f) {
    return f == PixelFormat::Nv12 || f == PixelFormat::Yv12 || f == PixelFormat::I420;
}

// The bytes one row of the first plane needs.
std::int64_t rowBytes(PixelFormat f, int width) {
    switch (f) {
    case PixelFormat::Rgb32:
        return 4LL * width;
    case PixelFormat::Yuy2:
        return 4LL * ((width + 1) / 2);
    default:
        return width + (width & 1);
    }
}

// Where the rows of each plane start, for a picture's rows top down.
struct Planes {
    std::uint8_t *y, *u, *v;     // at the top row
    std::int64_t yPitch, cPitch; // signed: RGB rows kept bottom up step backwards
    int yStep, cStep; // bytes from one pixel's sample to the next pixel's (chroma: the next pair's)
    bool halfHeight;  // chroma rows cover two rows of the picture
};

Planes planesOf(std::uint8_t* base, const PictureLayout& l) {
    const std::int64_t plane = static_cast<std::int64_t>(l.pitch) * l.rows;
    const std::int64_t quarter = static_cast<std::int64_t>(l.pitch / 2) * (l.rows / 2);
    switch (l.format) {
    case PixelFormat::Nv12:
        return {base, base + plane, base + plane + 1, l.pitch, l.pitch, 1, 2, true};
    case PixelFormat::Yv12:
        return {base, base + plane + quarter, base + plane, l.pitch, l.pitch / 2, 1, 1, true};
    case PixelFormat::I420:
        return {base, base + plane, base + plane + quarter, l.pitch, l.pitch / 2, 1, 1, true};
    case PixelFormat::Yuy2:
        return {base, base + 1, base + 3, l.pitch, l.pitch, 2, 4, false};
    case PixelFormat::Rgb32:
        break;
    }
    if (l.bottomUp)
        return {base + static_cast<std::int64_t>(l.rows - 1) * l.pitch,
                nullptr,
                nullptr,
                -l.pitch,
                0,
                4,
                0,
                false};
    return {base, nullptr, nullptr, l.pitch, 0, 4, 0, false};
}

std::uint8_t clampByte(int value) {
    return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

void copyRows(const std::uint8_t* from, std::int64_t fromPitch, std::uint8_t* to, std::int64_t toPitch,
              int rows, std::int64_t bytes) {
    for (int r = 0; r < rows; ++r)
        std::memcpy(to + r * toPitch, from + r * fromPitch, static_cast<std::size_t>(bytes));
}

void copySameFormat(const Planes& a, const Planes& b, const PictureLayout& l) {
    // Every plane's rows, as far as the picture reaches.
    copyRows(a.y, a.yPitch, b.y, b.yPitch, l.height, rowBytes(l.format, l.width));
    if (!isYuv420(l.format))
        return;
    int chromaRows = (l.height + 1) / 2, pairs = (l.width + 1) / 2;
    if (l.format == PixelFormat::Nv12) {
        copyRows(a.u, a.cPitch, b.u, b.cPitch, chromaRows, 2LL * pairs);
        return;
    }
    copyRows(a.u, a.cPitch, b.u, b.cPitch, chromaRows, pairs);
    copyRows(a.v, a.cPitch, b.v, b.cPitch, chromaRows, pairs);
}

void putPixel(std::uint8_t* out, int luma, int blue, int green, int red) {
    out[0] = clampByte((luma + blue) >> 8);
    out[1] = clampByte((luma + green) >> 8);
    out[2] = clampByte((luma + red) >> 8);
    out[3] = 0;
}

// One row, two pixels at a time sharing their chroma; the steps are constants for the compiler.
template <int yStep, int cStep>
void rowToRgb(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, std::uint8_t* out,
              int width) {
    for (int x = 0; x < width; x += 2, y += 2 * yStep, u += cStep, v += cStep, out += 8) {
        int d = *u - 128, e = *v - 128;
        int blue = 516 * d + 128, green = -100 * d - 208 * e + 128, red = 409 * e + 128;
        putPixel(out, 298 * (y[0] - 16), blue, green, red);
        if (x + 1 < width)
            putPixel(out + 4, 298 * (y[yStep] - 16), blue, green, red);
    }
}

void yuvToRgb(const Planes& a, const Planes& b, int width, int height) {
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* y = a.y + row * a.yPitch;
        const std::int64_t c = (a.halfHeight ? row / 2 : row) * a.cPitch;
        const std::uint8_t *u = a.u + c, *v = a.v + c;
        std::uint8_t* out = b.y + row * b.yPitch;
        if (a.yStep == 2)
            rowToRgb<2, 4>(y, u, v, out, width);
        else if (a.cStep == 2)
            rowToRgb<1, 2>(y, u, v, out, width);
        else
            rowToRgb<1, 1>(y, u, v, out, width);
    }
}
} // namespace

std::optional<PixelFormat> pixelFormatOfFourCc(std::uint32_t code) {
    if (code == fourCc('N', 'V', '1', '2'))
        return PixelFormat::Nv12;
    if (code == fourCc('Y', 'V', '1', '2'))
        return PixelFormat::Yv12;
    if (code == fourCc('I', '4', '2', '0') || code == fourCc('I', 'Y', 'U', 'V'))
        return PixelFormat::I420;
    if (code == fourCc('Y', 'U', 'Y', '2'))
        return PixelFormat::Yuy2;
    return std::nullopt;
}

std::uint32_t fourCcOf(PixelFormat format) {
    switch (format) {
    case PixelFormat::Nv12:
        return fourCc('N', 'V', '1', '2');
    case PixelFormat::Yv12:
        return fourCc('Y', 'V', '1', '2');
    case PixelFormat::I420:
        return fourCc('I', '4', '2', '0');
    case PixelFormat::Yuy2:
        return fourCc('Y', 'U', 'Y', '2');
    case PixelFormat::Rgb32:
        break;
    }
    return 0;
}

int bitsPerPixel(PixelFormat format) {
    return format == PixelFormat::Rgb32 ? 32 : format == PixelFormat::Yuy2 ? 16 : 12;
}

std::size_t pictureBytes(const PictureLayout& l) {
    if (l.width <= 0 || l.height <= 0 || l.rows < l.height || l.pitch < rowBytes(l.format, l.width))
        return 0;
    if (l.format != PixelFormat::Rgb32 && l.bottomUp)
        return 0;
    std::int64_t plane = static_cast<std::int64_t>(l.pitch) * l.rows;
    if (!isYuv420(l.format))
        return static_cast<std::size_t>(plane);
    if (l.rows % 2 != 0 || (l.format != PixelFormat::Nv12 && l.pitch % 2 != 0))
        return 0;
    return static_cast<std::size_t>(plane + plane / 2);
}

PictureLayout packedLayout(PixelFormat format, int width, int height) {
    PictureLayout l{format, width,
                    height, static_cast<int>(rowBytes(format, width)),
                    height, format == PixelFormat::Rgb32};
    if (isYuv420(format))
        l.rows += height & 1;
    return l;
}

std::optional<PictureLayout> layoutOfBitmapHeader(std::uint32_t compression, int bitCount, int headerWidth,
                                                  int headerHeight, int width, int height) {
    constexpr std::uint32_t kUncompressed = 0, kBitfields = 3;
    std::optional<PixelFormat> format;
    if (compression == kUncompressed || compression == kBitfields)
        format = bitCount == 32 ? std::optional(PixelFormat::Rgb32) : std::nullopt;
    else if ((format = pixelFormatOfFourCc(compression)) && bitsPerPixel(*format) != bitCount)
        format.reset();
    if (!format || headerWidth < width || headerHeight == 0 || headerHeight == -2147483647 - 1)
        return std::nullopt;
    PictureLayout l = packedLayout(*format, headerWidth, headerHeight < 0 ? -headerHeight : headerHeight);
    l.width = width;
    l.height = height;
    l.bottomUp = *format == PixelFormat::Rgb32 && headerHeight > 0;
    if (pictureBytes(l) == 0)
        return std::nullopt;
    return l;
}

bool convertPicture(const std::uint8_t* from, std::size_t fromSize, const PictureLayout& in, std::uint8_t* to,
                    std::size_t toSize, const PictureLayout& out) {
    std::size_t need = pictureBytes(in), room = pictureBytes(out);
    if (need == 0 || room == 0 || need > fromSize || room > toSize || in.width != out.width ||
        in.height != out.height)
        return false;
    // The source is only read.
    Planes a = planesOf(const_cast<std::uint8_t*>(from), in), b = planesOf(to, out);
    if (in.format == out.format) {
        copySameFormat(a, b, in);
        return true;
    }
    if (in.format == PixelFormat::Rgb32 || out.format != PixelFormat::Rgb32)
        return false;
    yuvToRgb(a, b, in.width, in.height);
    return true;
}
