// Draws the player's skin bitmaps and icon. Built and run on the build machine; the resource script
// then compiles what it writes. Change a colour here and rebuild to restyle the player.
//
// Usage: skin_gen OUTPUT_FOLDER
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

constexpr Rgb kKey{7, 9, 7};
constexpr Rgb kMagenta{255, 0, 255};

// An 8-bit image with its own palette, filled in as colours are used.
struct Image {
    int width, height;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels; // top-down rows

    Image(int w, int h, Rgb background) : width(w), height(h), pixels(std::size_t(w) * h, 0) {
        palette.push_back(background);
    }
    std::uint8_t index(Rgb c) {
        for (std::size_t i = 0; i < palette.size(); ++i)
            if (palette[i] == c)
                return std::uint8_t(i);
        if (palette.size() == 256) {
            std::fprintf(stderr, "skin_gen: more than 256 colours in one bitmap\n");
            std::exit(1);
        }
        palette.push_back(c);
        return std::uint8_t(palette.size() - 1);
    }
    Rgb at(int x, int y) const { return palette[pixels[std::size_t(y) * width + x]]; }
    void set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[std::size_t(y) * width + x] = index(c);
    }
    void fill(int x, int y, int w, int h, Rgb c) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                set(i, j, c);
    }
    // A vertical gradient from top to bottom colour.
    void gradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
        for (int j = 0; j < h; ++j) {
            double t = h > 1 ? double(j) / (h - 1) : 0;
            Rgb c{std::uint8_t(top.r + (bottom.r - top.r) * t), std::uint8_t(top.g + (bottom.g - top.g) * t),
                  std::uint8_t(top.b + (bottom.b - top.b) * t)};
            fill(x, y + j, w, 1, c);
        }
    }
    void frame(int x, int y, int w, int h, Rgb light, Rgb dark) {
        fill(x, y, w, 1, light);
        fill(x, y, 1, h, light);
        fill(x, y + h - 1, w, 1, dark);
        fill(x + w - 1, y, 1, h, dark);
    }
    void disc(double cx, double cy, double radius, Rgb c) {
        for (int j = int(cy - radius) - 1; j <= int(cy + radius) + 1; ++j)
            for (int i = int(cx - radius) - 1; i <= int(cx + radius) + 1; ++i)
                if (std::hypot(i + 0.5 - cx, j + 0.5 - cy) <= radius)
                    set(i, j, c);
    }
    // A filled triangle pointing right (dir 1) or left (dir -1), centred at (cx, cy).
    void triangle(int cx, int cy, int size, int dir, Rgb c) {
        for (int i = 0; i < size; ++i) {
            int half = (size - i) / 2;
            int x = dir > 0 ? cx - size / 2 + i : cx + size / 2 - i;
            fill(x, cy - half, 1, 2 * half + 1, c);
        }
    }
    // The same pointing up (dir -1) or down (dir 1).
    void triangleV(int cx, int cy, int size, int dir, Rgb c) {
        for (int j = 0; j < size; ++j) {
            int half = (size - j) / 2;
            int y = dir > 0 ? cy - size / 2 + j : cy + size / 2 - j;
            fill(cx - half, y, 2 * half + 1, 1, c);
        }
    }
};

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Run-length encodes the rows bottom-up in the 8-bit scheme of device-independent bitmaps.
std::vector<std::uint8_t> encodeRle8(const Image& img) {
    std::vector<std::uint8_t> out;
    for (int y = img.height - 1; y >= 0; --y) {
        const std::uint8_t* row = &img.pixels[std::size_t(y) * img.width];
        int x = 0;
        while (x < img.width) {
            int run = 1;
            while (x + run < img.width && run < 255 && row[x + run] == row[x])
                ++run;
            out.push_back(std::uint8_t(run));
            out.push_back(row[x]);
            x += run;
        }
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0); // end of line, or end of bitmap after the last
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool writeBitmap(const std::string& path, const Image& img) {
    std::vector<std::uint8_t> bits = encodeRle8(img);
    std::uint32_t paletteBytes = std::uint32_t(img.palette.size() * 4);
    std::uint32_t offset = 14 + 40 + paletteBytes;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + std::uint32_t(bits.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, std::uint32_t(img.width));
    put32(out, std::uint32_t(img.height));
    put16(out, 1);
    put16(out, 8);
    put32(out, 1); // BI_RLE8
    put32(out, std::uint32_t(bits.size()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, std::uint32_t(img.palette.size()));
    put32(out, 0);
    for (const Rgb& c : img.palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    out.insert(out.end(), bits.begin(), bits.end());
    return writeFile(path, out);
}

// ---- The look -------------------------------------------------------------------------------

// A light frame: the caption and time texts are drawn in blue over it.
constexpr Rgb kFrameTop{236, 243, 251};
constexpr Rgb kFrameBottom{196, 214, 236};
constexpr Rgb kFrameLight{255, 255, 255};
constexpr Rgb kFrameDark{96, 128, 170};
constexpr Rgb kWell{150, 174, 206};
constexpr Rgb kTimeBox{248, 251, 255};
constexpr Rgb kGlyph{255, 255, 255};

struct ButtonLook {
    Rgb top, bottom, glyph;
};

ButtonLook lookFor(int state) {
    switch (state) {
    case 1: // hot
        return {{40, 150, 235}, {0, 90, 180}, {255, 255, 255}};
    case 2: // pressed
        return {{0, 50, 110}, {0, 90, 170}, {200, 230, 255}};
    case 3: // disabled
        return {{60, 75, 95}, {40, 50, 65}, {110, 120, 135}};
    default:
        return {{20, 120, 210}, {0, 70, 150}, kGlyph};
    }
}

enum class Glyph {
    Play,
    Pause,
    Stop,
    Previous,
    Next,
    Speaker,
    SpeakerMuted,
    Minimise,
    Maximise,
    Restore,
    Close
};

void drawGlyph(Image& img, int x, int y, int w, int h, Glyph g, Rgb c) {
    int cx = x + w / 2, cy = y + h / 2;
    switch (g) {
    case Glyph::Play:
        img.triangle(cx + 1, cy, 11, 1, c);
        break;
    case Glyph::Pause:
        img.fill(cx - 5, cy - 5, 3, 11, c);
        img.fill(cx + 2, cy - 5, 3, 11, c);
        break;
    case Glyph::Stop:
        img.fill(cx - 4, cy - 4, 9, 9, c);
        break;
    case Glyph::Previous:
        img.fill(cx - 5, cy - 4, 2, 9, c);
        img.triangle(cx, cy, 8, -1, c);
        break;
    case Glyph::Next:
        img.triangle(cx, cy, 8, 1, c);
        img.fill(cx + 4, cy - 4, 2, 9, c);
        break;
    case Glyph::Speaker:
    case Glyph::SpeakerMuted:
        img.fill(cx - 6, cy - 2, 3, 5, c);
        for (int i = 0; i < 4; ++i)
            img.fill(cx - 3 + i, cy - 2 - i, 1, 5 + 2 * i, c);
        if (g == Glyph::Speaker) {
            img.fill(cx + 3, cy - 2, 1, 5, c);
            img.fill(cx + 5, cy - 4, 1, 9, c);
        }
        break;
    case Glyph::Minimise:
        img.fill(cx - 4, cy + 3, 9, 2, c);
        break;
    case Glyph::Maximise:
        img.frame(cx - 4, cy - 4, 9, 9, c, c);
        img.fill(cx - 4, cy - 3, 9, 1, c);
        break;
    case Glyph::Restore:
        img.frame(cx - 2, cy - 5, 7, 7, c, c);
        img.frame(cx - 5, cy - 2, 7, 7, c, c);
        break;
    case Glyph::Close:
        for (int i = -4; i <= 4; ++i) {
            img.fill(cx + i, cy + i, 2, 1, c);
            img.fill(cx + i, cy - i, 2, 1, c);
        }
        break;
    }
}

void drawButtonFace(Image& img, int x, int y, int w, int h, int state, bool round) {
    ButtonLook look = lookFor(state);
    if (round) {
        img.disc(x + w / 2.0, y + h / 2.0, w / 2.0, kFrameDark);
        img.disc(x + w / 2.0, y + h / 2.0, w / 2.0 - 1, state == 2 ? look.top : look.bottom);
        img.disc(x + w / 2.0, y + h / 2.0 - (state == 2 ? 0 : 1), w / 2.0 - 2, look.top);
    } else {
        img.gradient(x + 1, y + 1, w - 2, h - 2, look.top, look.bottom);
        img.frame(x, y, w, h, state == 2 ? kFrameDark : kFrameLight, state == 2 ? kFrameLight : kFrameDark);
    }
}

Image panel() {
    Image img(250, 50, kKey);
    img.gradient(0, 0, 250, 50, kFrameTop, kFrameBottom);
    img.fill(0, 49, 250, 1, kFrameDark);
    img.fill(0, 10, 250, 1, kFrameLight);
    // Wells behind the round buttons.
    img.disc(25, 27, 17, kWell);
    const int small[] = {54, 90, 115, 151};
    for (int cx : small)
        img.disc(cx, 27, 13, kWell);
    // The time box: its plain inside is the 38 x 18 patch at (182, 18).
    img.fill(180, 16, 50, 22, kFrameDark);
    img.fill(181, 17, 48, 20, kFrameLight);
    img.fill(182, 18, 46, 18, kTimeBox);
    return img;
}

Image buttons(const Image& panelImage) {
    Image img(216, 120, kKey);
    // Where each round button sits on the panel (its left and top in panel pixels), so that its
    // corners show exactly the panel beneath.
    struct Column {
        int width, height, images;
        Glyph glyph;
        bool round;
        int panelX, panelY;
    } columns[10] = {{30, 30, 4, Glyph::Play, true, 10, 12},    {30, 30, 4, Glyph::Pause, true, 10, 12},
                     {22, 22, 4, Glyph::Stop, true, 43, 16},    {22, 22, 4, Glyph::Previous, true, 79, 16},
                     {22, 22, 4, Glyph::Next, true, 104, 16},   {22, 22, 3, Glyph::Speaker, true, 140, 16},
                     {17, 19, 3, Glyph::Minimise, false, 0, 0}, {17, 19, 3, Glyph::Maximise, false, 0, 0},
                     {17, 19, 3, Glyph::Restore, false, 0, 0},  {17, 19, 3, Glyph::Close, false, 0, 0}};
    int x = 0;
    for (int c = 0; c < 10; ++c) {
        const Column& col = columns[c];
        for (int state = 0; state < col.images; ++state) {
            int y = state * col.height;
            if (col.round)
                for (int j = 0; j < col.height; ++j)
                    for (int i = 0; i < col.width; ++i)
                        img.set(x + i, y + j, panelImage.at(col.panelX + i, col.panelY + j));
            drawButtonFace(img, x, y, col.width, col.height, state, col.round);
            Glyph g = col.glyph;
            if (g == Glyph::Speaker && state == 2)
                g = Glyph::SpeakerMuted; // the latched mute button shows a silent speaker
            int shift = state == 2 ? 1 : 0;
            drawGlyph(img, x + shift, y + shift, col.width, col.height, g, lookFor(state).glyph);
        }
        x += col.width;
    }
    return img;
}

Image borders() {
    Image img(14, 14, kKey);
    // Left border: dark outer line, light body, a thin line against the video. Mirrored on the right.
    const Rgb columns[7] = {kFrameDark,      kFrameLight,  kFrameTop, {222, 233, 247},
                            {210, 224, 242}, kFrameBottom, kFrameDark};
    for (int x = 0; x < 7; ++x) {
        img.fill(x, 0, 1, 14, columns[x]);
        img.fill(13 - x, 0, 1, 14, columns[x]);
    }
    return img;
}

Image scrollCells() {
    Image img(15, 240, kMagenta);
    for (int cell = 0; cell < 4; ++cell) {
        ButtonLook look = lookFor(cell);
        img.gradient(1, cell * 15 + 1, 13, 13, look.top, look.bottom);
        img.frame(0, cell * 15, 15, 15, cell == 2 ? kFrameDark : kFrameLight,
                  cell == 2 ? kFrameLight : kFrameDark);
    }
    for (int cell = 4; cell < 6; ++cell) {
        img.fill(0, cell * 15, 15, 15, {0, 84, 160});
        img.fill(0, cell * 15, 1, 15, {0, 60, 130});
        img.fill(14, cell * 15, 1, 15, {0, 60, 130});
    }
    // Arrow glyphs on magenta: up, down, left, right; then disabled copies.
    for (int set = 0; set < 2; ++set) {
        Rgb c = set == 0 ? kGlyph : Rgb{110, 120, 135};
        int base = set == 0 ? 6 : 10;
        img.triangleV(7, base * 15 + 7, 7, -1, c);
        img.triangleV(7, (base + 1) * 15 + 7, 7, 1, c);
        img.triangle(7, (base + 2) * 15 + 7, 7, -1, c);
        img.triangle(7, (base + 3) * 15 + 7, 7, 1, c);
    }
    for (int i = 0; i < 3; ++i) {
        img.fill(4, 14 * 15 + 5 + 2 * i, 7, 1, kGlyph);
        img.fill(5 + 2 * i, 15 * 15 + 4, 1, 7, kGlyph);
    }
    return img;
}

Image caption() {
    Image img(21, 26, kKey);
    img.gradient(0, 1, 21, 24, {250, 252, 255}, {214, 228, 245});
    img.fill(0, 0, 21, 1, kFrameDark);
    img.fill(0, 1, 21, 1, kFrameLight);
    img.fill(0, 0, 1, 26, kFrameDark);
    img.fill(1, 1, 1, 24, kFrameLight);
    img.fill(20, 0, 1, 26, kFrameDark);
    img.fill(0, 25, 21, 1, {180, 200, 226});
    return img;
}

Image seekBar() {
    Image img(9, 18, kKey);
    // The empty groove, then the played part: a bright bar in the same groove.
    img.fill(0, 0, 9, 9, kFrameBottom);
    img.fill(0, 2, 9, 5, {150, 170, 198});
    img.fill(0, 3, 9, 3, {176, 192, 214});
    img.fill(0, 9, 9, 9, kFrameBottom);
    img.fill(0, 11, 9, 5, {0, 102, 187});
    img.fill(0, 12, 9, 2, {40, 170, 255});
    return img;
}

// ---- Icon -----------------------------------------------------------------------------------

std::vector<std::uint8_t> iconImage(int size) {
    // 32-bit BGRA rows bottom-up, then the 1-bit AND mask (all zero: the alpha decides).
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, std::uint32_t(size));
    put32(out, std::uint32_t(size * 2));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    double c = size / 2.0, r = size / 2.0 - 0.5;
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            double d = std::hypot(x + 0.5 - c, y + 0.5 - c);
            std::uint8_t alpha = d <= r ? 255 : (d <= r + 1 ? std::uint8_t(255 * (r + 1 - d)) : 0);
            double t = double(y) / size;
            Rgb px{std::uint8_t(20 * (1 - t)), std::uint8_t(150 - 80 * t), std::uint8_t(235 - 80 * t)};
            // A white play triangle in the middle.
            double u = (x + 0.5 - c) / r, v = (y + 0.5 - c) / r;
            if (u > -0.35 && u < 0.55 && std::fabs(v) < (0.55 - u) * 0.62)
                px = {255, 255, 255};
            out.push_back(px.b);
            out.push_back(px.g);
            out.push_back(px.r);
            out.push_back(alpha);
        }
    }
    int maskRow = ((size + 31) / 32) * 4;
    out.insert(out.end(), std::size_t(maskRow) * size, 0);
    return out;
}

bool writeIcon(const std::string& path) {
    const int sizes[] = {32, 16};
    std::vector<std::vector<std::uint8_t>> images;
    for (int s : sizes)
        images.push_back(iconImage(s));
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, 2);
    std::uint32_t offset = 6 + 16 * 2;
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(std::uint8_t(sizes[i]));
        out.push_back(std::uint8_t(sizes[i]));
        out.push_back(0);
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, std::uint32_t(images[i].size()));
        put32(out, offset);
        offset += std::uint32_t(images[i].size());
    }
    for (const auto& img : images)
        out.insert(out.end(), img.begin(), img.end());
    return writeFile(path, out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_gen OUTPUT_FOLDER\n");
        return 2;
    }
    std::string dir = argv[1];
    Image panelImage = panel();
    bool ok = writeBitmap(dir + "/buttons.bmp", buttons(panelImage)) &&
              writeBitmap(dir + "/panel.bmp", panelImage) && writeBitmap(dir + "/borders.bmp", borders()) &&
              writeBitmap(dir + "/scrollbar.bmp", scrollCells()) &&
              writeBitmap(dir + "/caption.bmp", caption()) && writeBitmap(dir + "/seekbar.bmp", seekBar()) &&
              writeIcon(dir + "/app.ico");
    if (!ok) {
        std::fprintf(stderr, "skin_gen: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
