#pragma once
#include <array>
#include <functional>
#include <string>

#include "base/Dialogs.h"

namespace zel::screens {

// The ready-made player names of gamedata/zel.nam the team editor picks from:
// 160 places. Lines that are blank after trimming are skipped, the others
// taken as they stand; places the file does not fill hold "Вемба" and the
// place's number ("Вемба17").
class NameCollection {
public:
    static constexpr int kPlaces = 160;

    // Reads the file. A missing file shows "Файл с именами не найден. Функция
    // выбора имени из коллекции будет недоступна." and leaves the collection
    // unavailable; an unreadable one shows "Ошибка при загрузке списка
    // имен!", an empty line and the description, likewise.
    void Load(const std::string& path, Dialogs& d);
    bool Available() const { return available_; }

    // The name at place 1..160 ("" outside).
    const std::string& At(int place) const;

    // The pick of "Выбрать...": place round(159x + 1), halves to even, for a
    // random x with 0 <= x < 1 from `random`.
    const std::string& Pick(const std::function<double()>& random) const;

private:
    std::array<std::string, kPlaces> names_{};  // place n at [n-1]
    bool available_ = false;                    // the file was read
};

}  // namespace zel::screens
