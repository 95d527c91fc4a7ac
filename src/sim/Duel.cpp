#include "sim/Duel.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "ai/ComputerMatch.h"
#include "ai/SeededRandom.h"
#include "ai/WorkerPool.h"
#include "base/ErrorLog.h"
#include "core/MatchKernel.h"
#include "core/MatchSetup.h"
#include "physics/Shapes.h"
#include "sim/HeadlessPort.h"

namespace zel {

namespace {

// Whole number in [lo, hi]; nothing else.
bool ReadInt(const std::string& text, long long lo, long long hi, long long& out) {
    if (text.empty() || text.size() > 19) return false;
    long long v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi) return false;
    out = v;
    return true;
}

bool ReadLevel(const std::string& word, PlayerKind& out) {
    const std::optional<PlayerKind> k = ComputerLevelFromWord(word);
    if (!k) return false;
    out = *k;
    return true;
}

std::filesystem::path TempReplay(std::uint64_t seed) {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec) dir = ".";
    return dir / ("zel-duel-" + std::to_string(seed) + ".sav");
}

}  // namespace

bool ParseDuelArgs(const std::vector<std::string>& args, DuelOptions& opt, std::string& error) {
    bool levels = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        long long v = 0;
        if (a == "--levels") {
            if (i + 2 >= args.size() || !ReadLevel(args[i + 1], opt.LevelA) ||
                !ReadLevel(args[i + 2], opt.LevelB)) {
                error = "--levels needs two of novice, amateur, master";
                return false;
            }
            levels = true;
            i += 2;
        } else if (a == "--matches") {
            if (!hasValue || !ReadInt(args[i + 1], 1, 100000, v)) {
                error = "--matches needs a number from 1 to 100000";
                return false;
            }
            opt.Matches = static_cast<int>(v);
            ++i;
        } else if (a == "--seed") {
            if (!hasValue || !ReadInt(args[i + 1], 0, 999999999999999999LL, v)) {
                error = "--seed needs a whole number";
                return false;
            }
            opt.Seed = static_cast<std::uint64_t>(v);
            ++i;
        } else if (a == "--table") {
            const std::string t = hasValue ? args[i + 1] : "";
            const auto x = t.find('x');
            long long w = 0, h = 0;
            if (x == std::string::npos || !ReadInt(t.substr(0, x), 201, 1000, w) ||
                !ReadInt(t.substr(x + 1), 201, 1000, h)) {
                error = "--table needs WxH, each from 201 to 1000";
                return false;
            }
            opt.MaxX = static_cast<std::int16_t>(w);
            opt.MaxY = static_cast<std::int16_t>(h);
            ++i;
        } else if (a == "--players") {
            if (!hasValue || !ReadInt(args[i + 1], 2, 8, v)) {
                error = "--players needs a number from 2 to 8";
                return false;
            }
            opt.Players = static_cast<int>(v);
            ++i;
        } else if (a == "--no-walls") {
            opt.Walls = false;
        } else if (a == "--no-posts") {
            opt.Posts = false;
        } else {
            error = "unknown argument " + a;
            return false;
        }
    }
    if (!levels) {
        error = "--levels A B is required";
        return false;
    }
    return true;
}

DuelReport RunDuel(const DuelOptions& opt) {
    DuelReport report;
    ai::WorkerPool pool;
    const std::filesystem::path replay = TempReplay(opt.Seed);
    const ErrorLog log(replay.parent_path().string());
    for (int m = 0; m < opt.Matches; ++m) {
        MatchState s;
        s.Shapes = InitShapes(s.VembaRadius, s.BodyRadius, s.PipaRadius);
        MatchSetup setup;
        setup.MaxX = opt.MaxX;
        setup.MaxY = opt.MaxY;
        setup.Sound = kFalse;
        setup.Border = ToFlag(opt.Walls);
        setup.BordMode = 1;
        setup.BordSimm = kTrue;
        setup.Pipa = ToFlag(opt.Posts);
        std::vector<bool> sideA;
        for (int i = 0; i < opt.Players; ++i) {
            const bool a = (i + m) % 2 == 0;
            sideA.push_back(a);
            ParticipantSetup p;
            p.Name = std::string(a ? "A" : "B") + std::to_string(i + 1);
            p.Player = a ? opt.LevelA : opt.LevelB;
            setup.Participants.push_back(p);
        }
        StartMatchState(s, setup);
        HeadlessPort port(s);
        MatchKernel kernel(s, port, log);
        kernel.OnLoad("Korvalo II");
        ai::ComputerMatchResult r;
        if (kernel.Init(replay.string()))
            r = ai::PlayComputerMatch(s, kernel, pool, ai::SeededRandom::Mix(opt.Seed, static_cast<std::uint64_t>(m)),
                                      opt.TurnLimit);
        kernel.Close();

        // The winner is a participant's number; its seat tells the side.
        const bool decided = r.Finished && s.Winner >= 1 && s.Winner <= opt.Players;
        const bool aWon = decided && sideA[static_cast<std::size_t>(s.Winner - 1)];
        for (DuelTally* t : {&report.A, &report.B}) t->Turns += r.Turns;
        if (!decided) {
            ++report.A.Draws;
            ++report.B.Draws;
        } else if (aWon) {
            ++report.A.Wins;
            ++report.B.Losses;
        } else {
            ++report.B.Wins;
            ++report.A.Losses;
        }
    }
    std::error_code ec;
    std::filesystem::remove(replay, ec);
    return report;
}

std::string FormatDuelLine(PlayerKind level, const DuelTally& t) {
    const int n = t.Matches();
    const double mean = n > 0 ? static_cast<double>(t.Turns) / n : 0.0;
    char turns[32];
    std::snprintf(turns, sizeof turns, "%.1f", mean);
    return std::string(kPlayerKindWords[PlayerKindNumber(level)]) + ": " + std::to_string(t.Wins) + " wins, " +
           std::to_string(t.Draws) + " draws, " + std::to_string(t.Losses) + " losses of " + std::to_string(n) +
           ", mean turns " + turns;
}

}  // namespace zel
