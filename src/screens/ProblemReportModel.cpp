#include "screens/ProblemReportModel.h"

#include "base/AppPaths.h"
#include "base/TextFile.h"
#include "core/ProgramVersion.h"
#include "screens/ProblemReportTexts.h"

namespace zel::screens {

std::string ReportLocation::File() const { return Folder + texts::kReportFile; }

ReportLocation ChooseReportLocation(const std::string& currentFolder, const std::string& dataFolder,
                                    const std::function<bool(const std::string&)>& isWritable) {
    ReportLocation where;
    if (!currentFolder.empty() && isWritable && isWritable(currentFolder)) {
        where.Folder = WithSeparator(currentFolder);
        where.CurrentFolder = true;
    } else {
        where.Folder = WithSeparator(dataFolder);
    }
    return where;
}

std::string ReportHint(const ReportLocation& where) {
    std::string hint = texts::kReportHintStart;
    if (where.CurrentFolder) return hint + texts::kReportHintCurrentFolder;
    std::string folder = where.Folder;
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return hint + texts::kReportHintOtherFolder + folder + texts::kReportHintOtherEnd;
}

std::string ReportVersionText() {
    const std::string build = std::to_string(kBuildNumber);
    return std::string(kVersionText) + texts::kReportBuildStart + build + texts::kReportBuildEnd;
}

std::string ProblemReportModel::Load() {
    dirty_ = false;
    if (!FileExists(file_)) return texts::kReportInitialText;
    std::string text = ReadTextFile(file_, d_);
    // ReadTextFile ends every line with CR LF; the last one is the break
    // that Save adds after the text.
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    return text;
}

bool ProblemReportModel::Save(const std::string& text) {
    // WriteTextFile shows the busy pointer while it writes.
    if (!WriteTextFile(file_, text, d_)) return false;
    dirty_ = false;
    return true;
}

bool ProblemReportModel::MayClose(const std::string& text) {
    if (!dirty_) return true;
    switch (Tell(d_, texts::kReportUnsaved, MsgIcon::Information, MsgButtons::YesNoCancel)) {
        case MsgAnswer::Yes: return Save(text);
        case MsgAnswer::No: return true;
        default: return false;
    }
}

}  // namespace zel::screens
