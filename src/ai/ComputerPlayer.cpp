#include "ai/ComputerPlayer.h"

#include <algorithm>
#include <functional>
#include <cmath>
#include <numeric>
#include <vector>

#include "ai/LevelProfile.h"
#include "ai/PositionScore.h"
#include "ai/StrikeTrial.h"
#include "core/Rules.h"

namespace zel::ai {

namespace {

// Most strikes a decision looks at again, however much budget is left.
constexpr int kMostLooks = 30;

// How many of the opponent's best replies make up the threat of a table.
constexpr std::size_t kThreatReplies = 4;

bool Stopped(const std::atomic<bool>* stop) { return stop != nullptr && stop->load(); }

// The next participant after `me` in the turn order who is still on the
// table of `after` and plays against `me`; 0 when there is none.
int NextOpponent(const MatchState& after, int me) {
    const int n = ParticipantCount(after);
    int slot = 1;
    for (int k = 1; k <= n; ++k)
        if (after.KtoHodit[static_cast<std::size_t>(k)] == me) slot = k;
    for (int step = 1; step <= n; ++step) {
        slot = slot % n + 1;
        const int p = after.KtoHodit[static_cast<std::size_t>(slot)];
        if (p < 1 || p > n) continue;
        if (IsSet(after.Vembas[static_cast<std::size_t>(p)].Life) && AreOpponents(after, me, p)) return p;
    }
    return 0;
}

StrikeChoice ChoiceOf(const MatchState& s, int striker, const Candidate& c) {
    return MakeStrike(s, striker, c.AimAngle, c.RimAngle, c.Power);
}

// Plays every candidate to rest on its own copy and scores it for `striker`.
// Returns false when the search was stopped before all were played.
bool ScoreAll(const MatchState& s, int striker, const std::vector<Candidate>& cands,
              std::vector<double>& scores, WorkerPool& pool, const std::atomic<bool>* stop, int& simulated) {
    scores.assign(cands.size(), 0.0);
    const int ran = pool.Run(
        static_cast<int>(cands.size()),
        [&](int i) {
            MatchState copy = s;
            PlayToRest(copy, striker, ChoiceOf(s, striker, cands[static_cast<std::size_t>(i)]));
            scores[static_cast<std::size_t>(i)] = ScorePosition(s, copy, striker);
        },
        stop);
    simulated += ran;
    return ran == static_cast<int>(cands.size()) && !Stopped(stop);
}

// Indices of the `k` best scores, best first; equal scores keep the earlier index first.
std::vector<int> BestIndices(const std::vector<double>& scores, int k) {
    std::vector<int> order(scores.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return scores[static_cast<std::size_t>(a)] > scores[static_cast<std::size_t>(b)];
    });
    if (static_cast<int>(order.size()) > k) order.resize(static_cast<std::size_t>(k));
    return order;
}

// A strike as the hand may play it: the planned one and, when the level
// checks its best strikes, four more at the corners of its error (aim,
// power and rim each one and a half error widths off).
std::vector<Candidate> Lines(const LevelProfile& prof, const Candidate& c) {
    std::vector<Candidate> out{c};
    if (prof.CheckBest <= 0) return out;
    const double da = 1.5 * prof.AimError;
    const double dr = 1.5 * prof.RimError;
    const int dp = std::max(2, static_cast<int>(std::lround(1.5 * prof.PowerError)));
    out.push_back(Candidate{c.AimAngle - da, c.RimAngle + dr, c.Power - dp});
    out.push_back(Candidate{c.AimAngle + da, c.RimAngle - dr, c.Power + dp});
    out.push_back(Candidate{c.AimAngle - da, c.RimAngle - dr, c.Power + dp});
    out.push_back(Candidate{c.AimAngle + da, c.RimAngle + dr, c.Power - dp});
    return out;
}

// The level's second look at its best strikes: each is played again as the
// hand may play it (Lines), and with the look-ahead the next opponent's best
// reply to every table so left is held against it. A strike is then worth
// the mean over its lines; the strikes not looked at again drop out.
// Returns the index of the strike to play, or -1 when stopped.
int ChooseAmongBest(const MatchState& s, int me, const LevelProfile& prof, const std::vector<Candidate>& cands,
                    const std::vector<double>& scores, WorkerPool& pool, const std::atomic<bool>* stop,
                    SeededRandom& rng, Decision& d) {
    int looked = std::max({prof.CheckBest, prof.LookAhead ? prof.RepliesFor : 0, 1});
    int replyLooks = prof.RepliesFor;
    if (prof.Budget > 0) {
        // Every strike looked at again costs its lines and, with the
        // look-ahead, the replies to each line.
        const int lineCount = static_cast<int>(Lines(prof, Candidate{}).size());
        int opponents = 0;
        int onTable = 0;
        for (int i = 1; i <= ParticipantCount(s); ++i) {
            if (!IsSet(s.Vembas[static_cast<std::size_t>(i)].Life)) continue;
            ++onTable;
            if (AreOpponents(s, me, i)) ++opponents;
        }
        const int budget = prof.Budget * 2 / std::max(onTable, 2);
        const CandidatePlan& r = prof.ReplyPlan;
        const int perReply = prof.LookAhead
            ? 1 + std::min(r.Targets, std::max(opponents, 1)) * static_cast<int>(r.HitFractions.size() * r.Powers.size() * r.RimAngles.size())
            : 1;
        const int room = (budget - static_cast<int>(cands.size())) / (lineCount * perReply);
        const int most = std::min(room, kMostLooks);
        if (most > looked) looked = most;
        if (prof.LookAhead && most > replyLooks) replyLooks = most;
    }
    const std::vector<int> best = BestIndices(scores, looked);

    struct Line {
        std::size_t Of;         // index into best
        Candidate Strike;
        MatchState After;       // the table at rest after it
        double Score = 0;
        int Responder = 0;      // who replies; 0 for no reply
        double BestReply = 0;
    };
    std::vector<Line> lines;
    for (std::size_t k = 0; k < best.size(); ++k)
        for (const Candidate& c : Lines(prof, cands[static_cast<std::size_t>(best[k])]))
            lines.push_back(Line{k, c, s});
    const int ran = pool.Run(
        static_cast<int>(lines.size()),
        [&](int i) {
            Line& l = lines[static_cast<std::size_t>(i)];
            // The planned strike was played already; playing it again gives
            // the same table and keeps every line alike.
            PlayToRest(l.After, me, ChoiceOf(s, me, l.Strike));
            l.Score = ScorePosition(s, l.After, me);
        },
        stop);
    d.Simulated += ran;
    if (ran != static_cast<int>(lines.size()) || Stopped(stop)) return -1;

    if (prof.LookAhead) {
        struct Reply {
            std::size_t Line;
            Candidate Strike;
        };
        std::vector<Reply> replies;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            Line& l = lines[i];
            if (static_cast<int>(l.Of) >= replyLooks || SideDecided(l.After, me)) continue;
            l.Responder = NextOpponent(l.After, me);
            if (l.Responder == 0) continue;
            l.After.CurG = static_cast<std::int16_t>(l.Responder);
            for (const Candidate& c : PlanCandidates(l.After, l.Responder, prof.ReplyPlan, rng))
                replies.push_back(Reply{i, c});
        }
        std::vector<double> replyScores(replies.size(), 0.0);
        const int ranReplies = pool.Run(
            static_cast<int>(replies.size()),
            [&](int i) {
                const Reply& r = replies[static_cast<std::size_t>(i)];
                const Line& l = lines[r.Line];
                MatchState copy = l.After;
                PlayToRest(copy, l.Responder, ChoiceOf(l.After, l.Responder, r.Strike));
                replyScores[static_cast<std::size_t>(i)] = ScorePosition(l.After, copy, l.Responder);
            },
            stop);
        d.Simulated += ranReplies;
        if (ranReplies != static_cast<int>(replies.size()) || Stopped(stop)) return -1;
        // The threat a table leaves is the mean of the opponent's few best
        // replies: a win that only a perfect strike finds threatens less
        // than one many strikes find.
        std::vector<std::vector<double>> perLine(lines.size());
        for (std::size_t i = 0; i < replies.size(); ++i) perLine[replies[i].Line].push_back(replyScores[i]);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::vector<double>& r = perLine[i];
            if (r.empty()) continue;
            const std::size_t k = std::min<std::size_t>(r.size(), kThreatReplies);
            std::partial_sort(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(k), r.end(), std::greater<double>());
            lines[i].BestReply = std::accumulate(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(k), 0.0) / k;
        }
    }

    std::vector<double> sum(best.size(), 0.0);
    std::vector<int> count(best.size(), 0);
    for (const Line& l : lines) {
        sum[l.Of] += l.Score - kScoreWeights.Reply * l.BestReply;
        ++count[l.Of];
    }
    int chosen = best.front();
    double chosenValue = -1e300;
    for (std::size_t k = 0; k < best.size(); ++k) {
        const double value = sum[k] / std::max(count[k], 1);
        if (value > chosenValue) {
            chosenValue = value;
            chosen = best[k];
        }
    }
    d.Score = chosenValue;
    return chosen;
}

}  // namespace

Decision DecideStrike(const MatchState& s, PlayerKind level, std::uint64_t seed, WorkerPool& pool,
                      const std::atomic<bool>* stop) {
    Decision d;
    const int me = s.CurG;
    const LevelProfile& prof = ProfileFor(level);
    SeededRandom rng(seed);
    if (me < 1 || me > ParticipantCount(s) || !IsSet(s.Vembas[static_cast<std::size_t>(me)].Life)) {
        // Nobody to play for: a harmless strike, never played by the kernel.
        d.Stopped = true;
        return d;
    }

    const std::vector<Candidate> cands = PlanCandidates(s, me, prof.Plan, rng);
    std::vector<double> scores;
    if (!ScoreAll(s, me, cands, scores, pool, stop, d.Simulated)) {
        d.Stopped = true;
        return d;
    }
    int chosen = 0;
    if (prof.CheckBest > 0 || prof.LookAhead) {
        chosen = ChooseAmongBest(s, me, prof, cands, scores, pool, stop, rng, d);
        if (chosen < 0) {
            d.Stopped = true;
            return d;
        }
    } else {
        chosen = BestIndices(scores, 1).front();
        d.Score = scores[static_cast<std::size_t>(chosen)];
    }

    d.Planned = cands[static_cast<std::size_t>(chosen)];
    // The hand does not do exactly what the head meant.
    Candidate played = d.Planned;
    played.AimAngle += prof.AimError * rng.Normal();
    played.Power = static_cast<int>(std::lround(played.Power + prof.PowerError * rng.Normal()));
    played.RimAngle += prof.RimError * rng.Normal();
    d.Strike = ChoiceOf(s, me, played);
    return d;
}

}  // namespace zel::ai
