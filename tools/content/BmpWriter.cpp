#include "BmpWriter.h"

#include <algorithm>
#include <cmath>

namespace zel::content {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::uint8_t Byte(double c) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(c, 0.0, 1.0) * 255.0));
}

}  // namespace

Image::Image(int width, int height)
    : Width(width), Height(height), Rgb(static_cast<std::size_t>(width) * height * 3, 0) {}

void Image::Set(int x, int y, double r, double g, double b) {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return;
    const std::size_t at = (static_cast<std::size_t>(y) * Width + x) * 3;
    Rgb[at] = Byte(r);
    Rgb[at + 1] = Byte(g);
    Rgb[at + 2] = Byte(b);
}

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
    constexpr std::uint32_t kHeaderBytes = 14 + 40;
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.Width) * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.Height);

    std::vector<std::uint8_t> out;
    out.reserve(kHeaderBytes + pixelBytes);
    // File header.
    out.push_back('B');
    out.push_back('M');
    Put32(out, kHeaderBytes + pixelBytes);
    Put32(out, 0);  // two reserved words
    Put32(out, kHeaderBytes);
    // Info header: positive height means the rows are stored bottom-up.
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(image.Width));
    Put32(out, static_cast<std::uint32_t>(image.Height));
    Put16(out, 1);   // planes
    Put16(out, 24);  // bits per pixel
    Put32(out, 0);   // no compression
    Put32(out, pixelBytes);
    Put32(out, 2835);  // 72 dots per inch, in dots per metre
    Put32(out, 2835);
    Put32(out, 0);  // no palette
    Put32(out, 0);

    for (int y = image.Height - 1; y >= 0; --y) {
        const std::size_t row = static_cast<std::size_t>(y) * image.Width * 3;
        for (int x = 0; x < image.Width; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * 3;
            out.push_back(image.Rgb[at + 2]);
            out.push_back(image.Rgb[at + 1]);
            out.push_back(image.Rgb[at]);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.Width) * 3; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

}  // namespace zel::content
