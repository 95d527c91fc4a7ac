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

// A material list the importer can resolve: every MeshMaterialList block
// of a text file holds at least one Material block or one reference
// ("{ name }"). The importer follows a list without either into memory that
// is not there.
std::string CheckMaterialLists(std::string_view bytes) {
    int depth = 0;
    int listDepth = -1;     // the depth inside the open material list, -1 outside one
    int listEntries = 0;    // materials and references seen in it
    std::string_view firstWord;  // the first word since the last delimiter
    int wordCount = 0;
    bool sawList = false;   // "MeshMaterialList" opens the next block
    std::size_t i = kHeaderBytes;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '#' || (c == '/' && i + 1 < bytes.size() && bytes[i + 1] == '/')) {
            while (i < bytes.size() && bytes[i] != '\n') ++i;
            continue;
        }
        if (IsTokenChar(c)) {
            const std::size_t start = i;
            while (i < bytes.size() && IsTokenChar(bytes[i])) ++i;
            const std::string_view word = bytes.substr(start, i - start);
            if (wordCount == 0) firstWord = word;
            ++wordCount;
            if (word == "MeshMaterialList") sawList = true;
            continue;
        }
        ++i;
        if (c != '{' && c != '}' && c != ';' && c != ',') continue;  // blanks do not end the words
        if (c == '{') {
            ++depth;
            if (listDepth >= 0 && depth == listDepth + 1 && (wordCount == 0 || firstWord == "Material"))
                ++listEntries;
            if (listDepth < 0 && sawList) {
                listDepth = depth;
                listEntries = 0;
            }
            sawList = false;
        } else if (c == '}') {
            if (listDepth >= 0 && depth == listDepth) {
                if (listEntries == 0) return "список материалов без единого материала";
                listDepth = -1;
            }
            if (depth > 0) --depth;
        }
        wordCount = 0;
    }
    if (listDepth >= 0 && listEntries == 0) return "список материалов без единого материала";
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
