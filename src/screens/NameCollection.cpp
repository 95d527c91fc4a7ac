#include "screens/NameCollection.h"

#include <algorithm>

#include "base/Rounding.h"
#include "base/TextEncoding.h"
#include "base/TextFile.h"
#include "core/SharedTexts.h"

namespace zel::screens {
namespace {

bool Blank(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

void NameCollection::Load(const std::string& path, Dialogs& d) {
    available_ = false;
    if (!FileExists(path)) {
        Tell(d, "Файл с именами не найден. Функция выбора имени из коллекции будет недоступна.",
             MsgIcon::Information);
        return;
    }
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error)) {
        Tell(d, std::string("Ошибка при загрузке списка имен!") + zel::texts::kBlankLine + error,
             MsgIcon::Critical);
        return;
    }
    int n = 0;
    for (const std::string& line : SplitLines(DecodeFileText(bytes))) {
        if (n == kPlaces) break;
        if (!Blank(line)) names_[n++] = line;
    }
    for (; n < kPlaces; ++n) names_[n] = "Вемба" + std::to_string(n + 1);
    available_ = true;
}

const std::string& NameCollection::At(int place) const {
    static const std::string kNone;
    return place >= 1 && place <= kPlaces ? names_[place - 1] : kNone;
}

const std::string& NameCollection::Pick(const std::function<double()>& random) const {
    const double x = std::clamp(random(), 0.0, 1.0);
    return At(static_cast<int>(RoundHalfEven(159.0 * x + 1.0)));
}

}  // namespace zel::screens
