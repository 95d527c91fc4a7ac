#include "core/SavedGameWriter.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/NumberFormat.h"
#include "core/ProgramVersion.h"
#include "core/ReplayHeader.h"

namespace zel {

namespace {

void Line(std::string& out, const char* key, const std::string& value) {
    out += key;
    out += '=';
    out += value;
    out += "\r\n";
}

// More saves than this within one second are not a person pressing F5.
constexpr int kMaxSameStamp = 100;

}  // namespace

std::string FormatSavedGame(const MatchState& s, const std::string& header,
                            const std::string& dateTime, const std::string& extraGeneral) {
    std::string out = header + dateTime + "\r\n";
    out += "Ver=" + std::to_string(kBuildNumber) + "\r\n";
    out += FormatGeneralSection(s);
    Line(out, "CamX", FormatDouble(s.CamX));
    Line(out, "CamY", FormatDouble(s.CamY));
    Line(out, "CamZ", FormatDouble(s.CamZ));
    Line(out, "TargX", FormatDouble(s.TargX));
    Line(out, "TargZ", FormatDouble(s.TargZ));
    Line(out, "AimAngle", FormatDouble(s.Win.AimAngle));
    out += extraGeneral;
    for (int i = 1; i <= s.Num && i <= kMaxParticipants; ++i) {
        const VembaRecord& v = s.Vembas[i];
        out += "[R" + std::to_string(i) + "]\r\n";
        Line(out, "Xpos", FormatDouble(v.Xpos));
        Line(out, "Ypos", FormatDouble(v.Ypos));
        Line(out, "Xvec", FormatDouble(v.Xvec));
        Line(out, "Yvec", FormatDouble(v.Yvec));
        Line(out, "u", FormatDouble(v.u));
        Line(out, "Phi", FormatDouble(v.Phi));
        Line(out, "Life", IsSet(v.Life) ? "-1" : "0");
        Line(out, "SginCount", std::to_string(v.SginCount));
    }
    return out;
}

SavedGameWrite WriteSavedGame(const std::string& folder, const MatchState& s,
                              const std::string& stamp, const std::string& dateTime) {
    namespace fs = std::filesystem;
    SavedGameWrite result;
    std::error_code ec;
    fs::create_directories(fs::path(folder), ec);
    if (ec) {
        result.Error = ec.message();
        return result;
    }
    fs::path target;
    for (int n = 1; n <= kMaxSameStamp; ++n) {
        const std::string name = n == 1 ? stamp : stamp + "-" + std::to_string(n);
        target = fs::path(folder) / (name + ".zel");
        if (!fs::exists(target, ec)) break;
        if (n == kMaxSameStamp) {
            result.Error = "слишком много сохранений за одну секунду";
            return result;
        }
    }
    int err = 0;
    if (!ReplaceFileAtomically(target.string(), FormatSavedGame(s, kSavedGameHeader, dateTime), err)) {
        result.Error = SystemErrorText(err);
        return result;
    }
    result.Ok = true;
    result.Path = target.string();
    return result;
}

std::string NowFileStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    if (std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local) == 0) return "save";
    return text;
}

}  // namespace zel
