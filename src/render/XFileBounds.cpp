#include "render/XFileBounds.h"

#include <cstdint>

namespace zel::render {
namespace {

constexpr std::size_t kHeaderBytes = 16;  // "xof 0303txt 0032"

bool IsTokenChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           c == '.' || c == '+' || c == '-';
}

std::string CheckText(std::string_view bytes) {
    const std::size_t limit = bytes.size();
    std::size_t i = kHeaderBytes;
    while (i < bytes.size()) {
        if (!IsTokenChar(bytes[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < bytes.size() && IsTokenChar(bytes[i])) ++i;
        const std::string_view token = bytes.substr(start, i - start);
        // Only plain digits are counts or indices; floats, names and GUID
        // parts have other characters in them. The importer takes a minus
        // before a count as a count of four billion, and coordinates are
        // written with a decimal point, so a plain negative integer is refused.
        const bool negative = token.size() > 1 && token[0] == '-';
        const std::string_view number = negative ? token.substr(1) : token;
        bool digits = true;
        for (const char c : number) digits = digits && c >= '0' && c <= '9';
        if (!digits) continue;
        if (negative) return "отрицательное целое число " + std::string(token.substr(0, 20));
        std::uint64_t value = 0;
        for (const char c : number) {
            value = value * 10 + static_cast<unsigned>(c - '0');
            if (value > limit) return "число " + std::string(token.substr(0, 20)) +
                                      " больше, чем может поместиться в файле";
        }
    }
    return "";
}

// The words and marks of a text .x file, comments left out: a word is a
// run of token characters, every other non-blank character is a mark.
class TextTokens {
public:
    TextTokens(std::string_view bytes, std::size_t at) : b_(bytes), at_(at) {}
    // The next word or mark; "" at the end of the file.
    std::string_view Next() {
        while (at_ < b_.size()) {
            const char c = b_[at_];
            if (c == '#' || (c == '/' && at_ + 1 < b_.size() && b_[at_ + 1] == '/')) {
                while (at_ < b_.size() && b_[at_] != '\n') ++at_;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++at_;
            } else {
                break;
            }
        }
        if (at_ >= b_.size()) return {};
        const std::size_t start = at_;
        if (IsTokenChar(b_[at_])) {
            while (at_ < b_.size() && IsTokenChar(b_[at_])) ++at_;
        } else {
            ++at_;
        }
        return b_.substr(start, at_ - start);
    }

private:
    std::string_view b_;
    std::size_t at_;
};

bool IsCount(std::string_view t) {
    if (t.empty()) return false;
    for (const char c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

// One MeshMaterialList, read from just after its keyword, in the form the
// game's meshes have: "[name] { count; indexCount; i, i, ..., i;[;]" then
// Material blocks and "{ name }" references, at least one of them, then "}".
// The importer follows a list it read no material from into memory that is
// not there, and it reads a list in a slightly different form differently
// from any check, so anything else is refused.
bool MaterialListIsSound(TextTokens& t) {
    std::string_view tok = t.Next();
    if (tok != "{" && !tok.empty() && IsTokenChar(tok[0])) tok = t.Next();  // the list's name
    if (tok != "{") return false;
    if (!IsCount(t.Next()) || t.Next() != ";") return false;
    const std::string_view indexCount = t.Next();
    if (!IsCount(indexCount) || t.Next() != ";") return false;
    std::uint64_t indices = 0;
    for (const char c : indexCount) indices = indices * 10 + static_cast<unsigned>(c - '0');
    if (indices == 0) return false;
    for (std::uint64_t k = 0; k < indices; ++k) {
        if (!IsCount(t.Next())) return false;
        if (t.Next() != (k + 1 < indices ? "," : ";")) return false;
    }
    tok = t.Next();
    if (tok == ";") tok = t.Next();
    int entries = 0;
    for (;;) {
        if (tok == "}") return entries > 0;
        if (tok == "{") {  // a reference: "{ name }"
            const std::string_view name = t.Next();
            if (name.empty() || !IsTokenChar(name[0]) || t.Next() != "}") return false;
        } else if (tok == "Material") {
            tok = t.Next();
            if (tok != "{" && !tok.empty() && IsTokenChar(tok[0])) tok = t.Next();
            if (tok != "{") return false;
            for (int depth = 1; depth > 0;) {
                tok = t.Next();
                if (tok.empty()) return false;
                if (tok == "{") ++depth;
                if (tok == "}") --depth;
            }
        } else {
            return false;
        }
        ++entries;
        tok = t.Next();
    }
}

std::string CheckMaterialLists(std::string_view bytes) {
    TextTokens t(bytes, kHeaderBytes);
    for (std::string_view tok = t.Next(); !tok.empty(); tok = t.Next())
        if (tok == "MeshMaterialList" && !MaterialListIsSound(t))
            return "список материалов поврежден или не содержит ни одного материала";
    return "";
}

std::uint32_t Le32(std::string_view b, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(k)]);
    return v;
}

// The binary tokens of a .x file: a 16-bit token number, then its data.
enum Token : std::uint16_t {
    kName = 1,         // 32-bit length, the name's bytes
    kString = 2,       // 32-bit length, the bytes, a 16-bit terminator token
    kInteger = 3,      // one 32-bit integer
    kGuid = 5,         // 16 bytes
    kIntegerList = 6,  // 32-bit count, that many 32-bit integers
    kFloatList = 7,    // 32-bit count, that many floats (4 or 8 bytes)
    kFirstPlain = 0x0a,  // braces, separators and keywords: no data
    kLastPlain = 0x34,
};

std::string CheckBinary(std::string_view b, std::size_t floatBytes) {
    const std::uint64_t limit = b.size();
    std::size_t at = kHeaderBytes;
    auto need = [&](std::uint64_t n) { return n <= b.size() - at; };
    auto integer = [&](std::uint32_t v) { return v <= limit; };
    while (at < b.size()) {
        if (!need(2)) return "файл обрывается посреди данных";
        const std::uint16_t token = static_cast<std::uint16_t>(
            static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
        at += 2;
        std::uint64_t count = 0;
        switch (token) {
            case kName:
            case kString:
                if (!need(4)) return "файл обрывается посреди данных";
                count = Le32(b, at);
                at += 4;
                if (!need(count + (token == kString ? 2 : 0))) return "длина строки больше файла";
                at += static_cast<std::size_t>(count) + (token == kString ? 2 : 0);
                break;
            case kInteger:
                if (!need(4)) return "файл обрывается посреди данных";
                if (!integer(Le32(b, at))) return "число больше, чем может поместиться в файле";
                at += 4;
                break;
            case kGuid:
                if (!need(16)) return "файл обрывается посреди данных";
                at += 16;
                break;
            case kIntegerList:
            case kFloatList: {
                if (!need(4)) return "файл обрывается посреди данных";
                count = Le32(b, at);
                at += 4;
                const std::uint64_t each = token == kIntegerList ? 4 : floatBytes;
                if (!need(count * each)) return "список длиннее файла";
                if (token == kIntegerList)
                    for (std::uint64_t k = 0; k < count; ++k)
                        if (!integer(Le32(b, at + static_cast<std::size_t>(k * 4))))
                            return "число больше, чем может поместиться в файле";
                at += static_cast<std::size_t>(count * each);
                break;
            }
            default:
                if (token < kFirstPlain || token > kLastPlain) return "неизвестный элемент файла";
        }
    }
    return "";
}

}  // namespace

std::string CheckXFileBounds(std::string_view bytes) {
    if (bytes.size() < kHeaderBytes || bytes.substr(0, 4) != "xof ")
        return "это не файл .x";
    const std::string_view format = bytes.substr(8, 4);
    const std::string_view floats = bytes.substr(12, 4);
    if (format == "txt ") {
        if (std::string why = CheckText(bytes); !why.empty()) return why;
        return CheckMaterialLists(bytes);
    }
    if (format == "bin ") return CheckBinary(bytes, floats == "0064" ? 8 : 4);
    if (format == "tzip" || format == "bzip") return "сжатые файлы .x не поддерживаются";
    return "неизвестный формат файла .x";
}

}  // namespace zel::render
