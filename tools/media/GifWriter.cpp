#include "GifWriter.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zel::media {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kMaxCodes = 1 << kMaxCodeBits;

void Put16(std::string& out, int v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

// Collects variable-width codes least significant bit first and cuts the
// byte stream into the GIF's sub-blocks of at most 255 bytes.
class CodeStream {
public:
    void Put(int code, int bits) {
        buffer_ |= static_cast<std::uint32_t>(code) << used_;
        used_ += bits;
        while (used_ >= 8) {
            bytes_.push_back(static_cast<char>(buffer_ & 0xFF));
            buffer_ >>= 8;
            used_ -= 8;
        }
    }
    void Finish(std::string& out) {
        if (used_ > 0) bytes_.push_back(static_cast<char>(buffer_ & 0xFF));
        for (std::size_t at = 0; at < bytes_.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, bytes_.size() - at);
            out += static_cast<char>(n);
            out.append(bytes_, at, n);
        }
        out += '\0';
    }

private:
    std::uint32_t buffer_ = 0;  // bits not yet written out
    int used_ = 0;              // how many of them
    std::string bytes_;         // the packed codes
};

void CompressIndexes(const std::vector<std::uint8_t>& indexes, int minCodeBits, std::string& out) {
    const int clear = 1 << minCodeBits;
    const int end = clear + 1;
    // The string table: child[code * 256 + byte] is the code of the string
    // `code` followed by `byte`, or 0 when it is not in the table yet.
    std::vector<std::uint16_t> child(static_cast<std::size_t>(kMaxCodes) * 256, 0);
    int nextCode = end + 1;
    int bits = minCodeBits + 1;

    CodeStream stream;
    stream.Put(clear, bits);
    if (indexes.empty()) {
        stream.Put(end, bits);
        stream.Finish(out);
        return;
    }
    int current = indexes[0];
    for (std::size_t i = 1; i < indexes.size(); ++i) {
        const int byte = indexes[i];
        const std::size_t slot = static_cast<std::size_t>(current) * 256 + byte;
        if (child[slot] != 0) {
            current = child[slot];
            continue;
        }
        stream.Put(current, bits);
        if (nextCode < kMaxCodes) {
            child[slot] = static_cast<std::uint16_t>(nextCode);
            // The decoder widens its codes once the table reaches the
            // current width; it runs one code behind the encoder.
            if (nextCode == (1 << bits) && bits < kMaxCodeBits) ++bits;
            ++nextCode;
        } else {
            stream.Put(clear, bits);
            std::fill(child.begin(), child.end(), 0);
            nextCode = end + 1;
            bits = minCodeBits + 1;
        }
        current = byte;
    }
    stream.Put(current, bits);
    stream.Put(end, bits);
    stream.Finish(out);
}

}  // namespace

std::string EncodeGif(const IndexedPicture& picture) {
    int tableBits = 1;
    while ((1 << tableBits) < static_cast<int>(picture.Colours.size()) && tableBits < 8) ++tableBits;
    const int tableSize = 1 << tableBits;

    std::string out = "GIF89a";
    Put16(out, picture.Width);
    Put16(out, picture.Height);
    // Global colour table present, 8 bits of colour resolution, its size.
    out += static_cast<char>(0x80 | (7 << 4) | (tableBits - 1));
    out += '\0';  // background colour index
    out += '\0';  // square pixels
    for (int i = 0; i < tableSize; ++i) {
        const QRgb c = i < static_cast<int>(picture.Colours.size()) ? picture.Colours[i] : qRgb(0, 0, 0);
        out += static_cast<char>(qRed(c));
        out += static_cast<char>(qGreen(c));
        out += static_cast<char>(qBlue(c));
    }

    out += ',';  // image descriptor: at (0, 0), full size, no local table, not interlaced
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, picture.Width);
    Put16(out, picture.Height);
    out += '\0';

    const int minCodeBits = std::max(2, tableBits);
    out += static_cast<char>(minCodeBits);
    CompressIndexes(picture.Indexes, minCodeBits, out);
    out += ';';  // trailer
    return out;
}

std::string EncodeGif(const QImage& picture) { return EncodeGif(ReduceTo256Colours(picture)); }

}  // namespace zel::media
