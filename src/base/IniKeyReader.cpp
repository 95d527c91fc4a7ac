#include "base/IniKeyReader.h"

#include <utility>

#include "base/CheckBox.h"
#include "base/NumberParse.h"

namespace zel {

IniKeyReader::IniKeyReader(const IniFile& file, std::string section)
    : file_(file), section_(std::move(section)) {}

std::string IniKeyReader::Text(const std::string& key) const {
    return file_.GetIniValue(section_, key);
}

double IniKeyReader::Number(const std::string& key) const { return ParseNumberPrefix(Text(key)); }

std::int16_t IniKeyReader::Int16(const std::string& key) {
    if (Failed()) return 0;
    const std::string value = Text(key);
    const std::optional<std::int16_t> n = ParsePrefixInt16(value);
    if (!n) {
        Fail("Переполнение: значение ключа " + key + " " + Quote(value) +
             " не помещается в 16 бит");
        return 0;
    }
    return *n;
}

std::optional<std::int16_t> IniKeyReader::StrictInt16(const std::string& key) const {
    return ParseStrictInt16(Text(key));
}

std::int16_t IniKeyReader::BoxState(const std::string& key) {
    const std::int16_t v = Int16(key);
    if (Failed() || skipped_now_) return 0;
    if (!IsBoxState(v)) {
        Fail("Недопустимое значение ключа " + key + " " + Quote(Text(key)) +
             ": ожидается 0, 1 или 2");
        return 0;
    }
    return v;
}

void IniKeyReader::Fail(std::string description) {
    if (keepGoing_) {
        skipped_now_ = true;
        skipped_.push_back(std::move(description));
        return;
    }
    if (error_.empty()) error_ = std::move(description);
}

std::string IniKeyReader::Quote(const std::string& value) {
    // Cut at a character boundary: UTF-8 continuation bytes are 10xxxxxx.
    constexpr std::size_t kMax = 40;
    if (value.size() <= kMax) return "«" + value + "»";
    std::size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
    return "«" + value.substr(0, cut) + "…»";
}

}  // namespace zel
