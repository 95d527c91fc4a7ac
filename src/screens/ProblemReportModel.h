#pragma once
#include <functional>
#include <string>

#include "base/Dialogs.h"

namespace zel::screens {

// Where the problem report tyreport.rpt is kept: in the current folder when
// the program may write there, else in the folder of the program's other
// written files (a game started from the desktop's menu often runs in "/"
// or in a folder it cannot write).
struct ReportLocation {
    std::string Folder;          // ending in "/"
    bool CurrentFolder = false;  // Folder is the current folder

    std::string File() const;    // the report file in Folder
};

// `currentFolder` when `isWritable` says so, else `dataFolder`.
ReportLocation ChooseReportLocation(const std::string& currentFolder, const std::string& dataFolder,
                                    const std::function<bool(const std::string&)>& isWritable);

// The hint under the text box, naming the folder really used.
std::string ReportHint(const ReportLocation& where);

// "3.0.1200 (Билд 1200)": the program's version and its build.
std::string ReportVersionText();

// The problem report window (frmReport) without its window: the text that
// is loaded, the dirty flag, saving and the question on closing.
class ProblemReportModel {
public:
    ProblemReportModel(std::string file, Dialogs& d) : file_(std::move(file)), d_(d) {}

    // The text for the box: the file's text when it is there, else the
    // initial "Введите сюда подробное описание ошибки.". The one line break
    // that saving puts after the text is taken off again, so a text loaded
    // and saved unchanged stays the same file. The text is clean afterwards.
    std::string Load();

    // The box's text changed.
    void TextChanged() { dirty_ = true; }
    bool Dirty() const { return dirty_; }

    // "Сохранить": the file's content becomes `text` and one line break,
    // under the busy pointer. True when it was written; then the text is
    // clean. A failed write (its warning shown by the file helper) keeps the
    // text dirty, so it is not lost by closing.
    bool Save(const std::string& text);

    // Closing: true when the window may close. A dirty text asks "Текст не
    // сохранен. Сохранить его сейчас?" (Yes, No, Cancel; information icon):
    // Yes saves and closes (stays open when saving failed), No closes,
    // Cancel stays. A clean text closes without a question.
    bool MayClose(const std::string& text);

private:
    std::string file_;    // tyreport.rpt where it is kept
    Dialogs& d_;          // the question, the busy pointer, the file helper's warnings
    bool dirty_ = false;  // the box's text differs from the file
};

}  // namespace zel::screens
