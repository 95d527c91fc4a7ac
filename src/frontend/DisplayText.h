#pragma once
#include <string>

#include <QString>

namespace zel {

// A text of the game as a control shows it: UTF-8 with CR LF line breaks
// (as the game's texts and files keep them) to Qt's string with plain line
// feeds, so no control shows a stray carriage return.
inline QString ToDisplay(const std::string& text) {
    QString out = QString::fromStdString(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}
inline QString ToDisplay(const char* text) { return ToDisplay(std::string(text ? text : "")); }

}  // namespace zel
