#include "site/captcha_png.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace roomdesk::site {

namespace {

// 5x7 glyphs of the digits, one row a byte, the low five bits from left (bit 4) to right.
constexpr std::array<std::array<std::uint8_t, 7>, 10> kGlyphs = {{
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},  // 0
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},  // 1
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},  // 2
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},  // 3
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},  // 4
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},  // 5
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},  // 6
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},  // 7
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},  // 8
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},  // 9
}};

constexpr int kScale = 4;  // a glyph pixel is 4x4 image pixels: digits are 20x28
constexpr int kCell = 28;  // horizontal room of one digit
constexpr int kLeft = 6;   // left margin of the first digit

struct Rgb {
    std::uint8_t r, g, b;
};

class Canvas {
public:
    Canvas() : pixels_(kCaptchaWidth * kCaptchaHeight, Rgb{238, 240, 232}) {}

    void Put(int x, int y, Rgb colour) {
        if (x >= 0 && x < kCaptchaWidth && y >= 0 && y < kCaptchaHeight) {
            pixels_[y * kCaptchaWidth + x] = colour;
        }
    }

    void Line(int x0, int y0, int x1, int y1, Rgb colour) {
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        while (true) {
            Put(x0, y0, colour);
            if (x0 == x1 && y0 == y1) break;
            const int twice = 2 * error;
            if (twice >= dy) error += dy, x0 += sx;
            if (twice <= dx) error += dx, y0 += sy;
        }
    }

    // PNG scanlines: each row led by filter type 0, then its RGB bytes.
    std::string Scanlines() const {
        std::string raw;
        raw.reserve(kCaptchaHeight * (1 + 3 * kCaptchaWidth));
        for (int y = 0; y < kCaptchaHeight; ++y) {
            raw += '\0';
            for (int x = 0; x < kCaptchaWidth; ++x) {
                const Rgb& p = pixels_[y * kCaptchaWidth + x];
                raw += static_cast<char>(p.r);
                raw += static_cast<char>(p.g);
                raw += static_cast<char>(p.b);
            }
        }
        return raw;
    }

private:
    std::vector<Rgb> pixels_;
};

void AppendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void AppendChunk(std::string& png, const char* type, const std::string& data) {
    AppendBigEndian(png, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    png += typed;
    const auto crc =
        crc32(0L, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
    AppendBigEndian(png, static_cast<std::uint32_t>(crc));
}

std::string EncodePng(const Canvas& canvas) {
    const std::string raw = canvas.Scanlines();
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 9);
    packed.resize(packedSize);

    std::string header;
    AppendBigEndian(header, kCaptchaWidth);
    AppendBigEndian(header, kCaptchaHeight);
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, deflate, no interlace

    std::string png("\x89PNG\r\n\x1A\n", 8);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", packed);
    AppendChunk(png, "IEND", "");
    return png;
}

}  // namespace

std::string DrawCaptchaPng(const std::string& digits, std::mt19937& random) {
    std::uniform_int_distribution<int> dark(10, 120);
    std::uniform_int_distribution<int> light(150, 215);
    std::uniform_int_distribution<int> jitter(-4, 4);
    Canvas canvas;

    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9') continue;
        const auto& glyph = kGlyphs[digits[i] - '0'];
        const Rgb ink{static_cast<std::uint8_t>(dark(random)),
                      static_cast<std::uint8_t>(dark(random)),
                      static_cast<std::uint8_t>(dark(random))};
        const int left = kLeft + static_cast<int>(i) * kCell + jitter(random) / 2;
        const int top = (kCaptchaHeight - 7 * kScale) / 2 + jitter(random);
        for (int row = 0; row < 7; ++row) {
            for (int column = 0; column < 5; ++column) {
                if (!(glyph[row] & (0x10 >> column))) continue;
                for (int dy = 0; dy < kScale; ++dy) {
                    for (int dx = 0; dx < kScale; ++dx) {
                        canvas.Put(left + column * kScale + dx, top + row * kScale + dy, ink);
                    }
                }
            }
        }
    }

    std::uniform_int_distribution<int> anyX(0, kCaptchaWidth - 1);
    std::uniform_int_distribution<int> anyY(0, kCaptchaHeight - 1);
    for (int line = 0; line < 4; ++line) {
        const Rgb colour{static_cast<std::uint8_t>(light(random)),
                         static_cast<std::uint8_t>(light(random) - 60),
                         static_cast<std::uint8_t>(light(random))};
        canvas.Line(0, anyY(random), kCaptchaWidth - 1, anyY(random), colour);
    }
    for (int dot = 0; dot < 120; ++dot) {
        canvas.Put(
            anyX(random), anyY(random),
            Rgb{static_cast<std::uint8_t>(light(random)), static_cast<std::uint8_t>(light(random)),
                static_cast<std::uint8_t>(light(random))});
    }
    return EncodePng(canvas);
}

}  // namespace roomdesk::site
