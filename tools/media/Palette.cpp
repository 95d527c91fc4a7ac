#include "Palette.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <map>

namespace zel::media {
namespace {

// Colours are counted at 5 bits per channel: fine enough for a palette,
// small enough for a plain table.
constexpr int kBits = 5;
constexpr int kLevels = 1 << kBits;
constexpr int kMaxColours = 256;

int Bin(int r, int g, int b) {
    return ((r >> (8 - kBits)) << (2 * kBits)) | ((g >> (8 - kBits)) << kBits) | (b >> (8 - kBits));
}

struct BinColour {
    int Channel[3];      // 5-bit red, green, blue
    std::uint32_t Count; // pixels in the bin
    double Sum[3];       // 8-bit channel sums of those pixels, for the average
};

struct Box {
    int Begin;  // first colour of the box in the sorted colour list
    int End;    // one past the last
};

// The channel along which the box's colours spread most, and how far.
std::pair<int, int> WidestChannel(const std::vector<BinColour>& colours, const Box& box) {
    int best = 0;
    int bestRange = -1;
    for (int c = 0; c < 3; ++c) {
        int lo = kLevels, hi = -1;
        for (int i = box.Begin; i < box.End; ++i) {
            lo = std::min(lo, colours[i].Channel[c]);
            hi = std::max(hi, colours[i].Channel[c]);
        }
        if (hi - lo > bestRange) {
            bestRange = hi - lo;
            best = c;
        }
    }
    return {best, bestRange};
}

std::vector<QRgb> MedianCut(std::vector<BinColour>& colours) {
    std::vector<Box> boxes{{0, static_cast<int>(colours.size())}};
    while (static_cast<int>(boxes.size()) < kMaxColours) {
        // Split the box with the most pixels among those that can be split.
        int pick = -1;
        std::uint64_t pickWeight = 0;
        for (int b = 0; b < static_cast<int>(boxes.size()); ++b) {
            if (boxes[b].End - boxes[b].Begin < 2) continue;
            std::uint64_t w = 0;
            for (int i = boxes[b].Begin; i < boxes[b].End; ++i) w += colours[i].Count;
            if (w > pickWeight) {
                pickWeight = w;
                pick = b;
            }
        }
        if (pick < 0) break;
        const Box box = boxes[pick];
        const int channel = WidestChannel(colours, box).first;
        std::stable_sort(colours.begin() + box.Begin, colours.begin() + box.End,
                         [channel](const BinColour& a, const BinColour& b) {
                             return a.Channel[channel] < b.Channel[channel];
                         });
        std::uint64_t half = pickWeight / 2, run = 0;
        int cut = box.Begin + 1;
        for (int i = box.Begin; i < box.End - 1; ++i) {
            run += colours[i].Count;
            cut = i + 1;
            if (run >= half) break;
        }
        boxes[pick] = {box.Begin, cut};
        boxes.push_back({cut, box.End});
    }

    std::vector<QRgb> palette;
    for (const Box& box : boxes) {
        double sum[3] = {0, 0, 0};
        double count = 0;
        for (int i = box.Begin; i < box.End; ++i) {
            for (int c = 0; c < 3; ++c) sum[c] += colours[i].Sum[c];
            count += colours[i].Count;
        }
        if (count == 0) continue;
        palette.push_back(qRgb(static_cast<int>(sum[0] / count + 0.5),
                               static_cast<int>(sum[1] / count + 0.5),
                               static_cast<int>(sum[2] / count + 0.5)));
    }
    if (palette.empty()) palette.push_back(qRgb(0, 0, 0));
    return palette;
}

int Nearest(const std::vector<QRgb>& palette, int r, int g, int b) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        const int dr = qRed(palette[i]) - r, dg = qGreen(palette[i]) - g, db = qBlue(palette[i]) - b;
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

int Clamp8(double v) { return std::clamp(static_cast<int>(v + (v < 0 ? -0.5 : 0.5)), 0, 255); }

}  // namespace

IndexedPicture ReduceTo256Colours(const QImage& source) {
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    IndexedPicture out;
    out.Width = picture.width();
    out.Height = picture.height();
    if (out.Width <= 0 || out.Height <= 0) {
        out.Width = out.Height = 0;
        out.Colours = {qRgb(0, 0, 0)};
        return out;
    }

    // A picture of 256 colours or fewer keeps them exactly.
    std::map<QRgb, std::uint8_t> exact;
    for (int y = 0; y < out.Height && exact.size() <= kMaxColours; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < out.Width && exact.size() <= kMaxColours; ++x) exact.emplace(row[x] | 0xFF000000u, 0);
    }
    if (exact.size() <= kMaxColours) {
        for (auto& [colour, index] : exact) {
            index = static_cast<std::uint8_t>(out.Colours.size());
            out.Colours.push_back(colour);
        }
        out.Indexes.reserve(static_cast<std::size_t>(out.Width) * out.Height);
        for (int y = 0; y < out.Height; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < out.Width; ++x) out.Indexes.push_back(exact[row[x] | 0xFF000000u]);
        }
        return out;
    }

    std::vector<BinColour> bins(kLevels * kLevels * kLevels);
    for (int r = 0; r < kLevels; ++r)
        for (int g = 0; g < kLevels; ++g)
            for (int b = 0; b < kLevels; ++b) bins[(r << (2 * kBits)) | (g << kBits) | b] = {{r, g, b}, 0, {0, 0, 0}};
    for (int y = 0; y < out.Height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < out.Width; ++x) {
            BinColour& bin = bins[Bin(qRed(row[x]), qGreen(row[x]), qBlue(row[x]))];
            ++bin.Count;
            bin.Sum[0] += qRed(row[x]);
            bin.Sum[1] += qGreen(row[x]);
            bin.Sum[2] += qBlue(row[x]);
        }
    }
    std::vector<BinColour> used;
    for (const BinColour& bin : bins)
        if (bin.Count > 0) used.push_back(bin);
    out.Colours = MedianCut(used);

    // Nearest-colour answers cached per 6-bit colour: the dithered values
    // repeat a great deal.
    std::vector<std::int16_t> cache(1 << 18, -1);
    auto lookup = [&](int r, int g, int b) {
        const int key = ((r >> 2) << 12) | ((g >> 2) << 6) | (b >> 2);
        if (cache[key] < 0) cache[key] = static_cast<std::int16_t>(Nearest(out.Colours, r, g, b));
        return cache[key];
    };

    out.Indexes.resize(static_cast<std::size_t>(out.Width) * out.Height);
    // Error rows: this row and the next, three channels, one guard pixel each side.
    std::vector<double> here((out.Width + 2) * 3, 0.0), next((out.Width + 2) * 3, 0.0);
    for (int y = 0; y < out.Height; ++y) {
        std::fill(next.begin(), next.end(), 0.0);
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < out.Width; ++x) {
            double want[3] = {qRed(row[x]) + here[(x + 1) * 3], qGreen(row[x]) + here[(x + 1) * 3 + 1],
                              qBlue(row[x]) + here[(x + 1) * 3 + 2]};
            const int index = lookup(Clamp8(want[0]), Clamp8(want[1]), Clamp8(want[2]));
            out.Indexes[static_cast<std::size_t>(y) * out.Width + x] = static_cast<std::uint8_t>(index);
            const QRgb got = out.Colours[index];
            const double err[3] = {want[0] - qRed(got), want[1] - qGreen(got), want[2] - qBlue(got)};
            for (int c = 0; c < 3; ++c) {
                here[(x + 2) * 3 + c] += err[c] * 7 / 16;
                next[x * 3 + c] += err[c] * 3 / 16;
                next[(x + 1) * 3 + c] += err[c] * 5 / 16;
                next[(x + 2) * 3 + c] += err[c] * 1 / 16;
            }
        }
        std::swap(here, next);
    }
    return out;
}

}  // namespace zel::media
