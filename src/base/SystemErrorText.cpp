#include <cerrno>
#include <string>
#include <system_error>

#include "base/SystemErrorText.h"

namespace zel {
namespace {

struct ErrorWording {
    int Code;          // the system's error number
    const char* Text;  // what the player reads
};

// The errors a file of the game meets in practice, in the player's language.
constexpr ErrorWording kWordings[] = {
    {ENOENT, "Нет такого файла или папки"},
    {EACCES, "Нет доступа"},
    {EPERM, "Операция не разрешена"},
    {EROFS, "Диск или папка доступны только для чтения"},
    {ENOSPC, "На диске не осталось места"},
    {EDQUOT, "Превышена дисковая квота"},
    {EISDIR, "Это папка, а не файл"},
    {ENOTDIR, "Часть пути не является папкой"},
    {ENAMETOOLONG, "Слишком длинное имя файла"},
    {EEXIST, "Файл уже существует"},
    {EBUSY, "Файл или устройство занято"},
    {ETXTBSY, "Файл занят"},
    {EFBIG, "Файл слишком велик"},
    {EIO, "Ошибка ввода-вывода"},
    {EMFILE, "Открыто слишком много файлов"},
    {ENFILE, "Открыто слишком много файлов"},
    {ENOMEM, "Недостаточно памяти"},
    {EINVAL, "Недопустимый аргумент"},
    {ELOOP, "Слишком много символических ссылок"},
    {EXDEV, "Файл нельзя перенести на другой диск"},
    {EAGAIN, "Ресурс временно недоступен"},
    {EINTR, "Операция прервана"},
};

}  // namespace

std::string SystemErrorText(int err) {
    for (const ErrorWording& w : kWordings)
        if (w.Code == err) return w.Text;
    // A rare error keeps the system's own words, with its number to look up.
    return "Системная ошибка " + std::to_string(err) + " (" + std::generic_category().message(err) +
           ")";
}

}  // namespace zel
