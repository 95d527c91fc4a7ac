#include "ai/ComputerPlayer.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "ai/LevelProfile.h"
#include "ai/PositionScore.h"
#include "ai/StrikeTrial.h"
#include "core/Rules.h"

namespace zel::ai {

namespace {

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

// The level's check of its best strikes: each tried again a little off in
// aim and in power, and scored by the mean of the five; the strikes not
// checked drop out of the running. False when stopped.
bool CheckBest(const MatchState& s, int me, const LevelProfile& prof, const std::vector<Candidate>& cands,
               std::vector<double>& scores, WorkerPool& pool, const std::atomic<bool>* stop, Decision& d) {
    const std::vector<int> order = BestIndices(scores, prof.CheckBest);
    const double da = 1.5 * prof.AimError;
    const int dp = std::max(2, static_cast<int>(std::lround(1.5 * prof.PowerError)));
    std::vector<Candidate> variants;
    for (const int i : order) {
        const Candidate& c = cands[static_cast<std::size_t>(i)];
        variants.push_back(Candidate{c.AimAngle - da, c.RimAngle, c.Power});
        variants.push_back(Candidate{c.AimAngle + da, c.RimAngle, c.Power});
        variants.push_back(Candidate{c.AimAngle, c.RimAngle, c.Power - dp});
        variants.push_back(Candidate{c.AimAngle, c.RimAngle, c.Power + dp});
    }
    std::vector<double> variantScores;
    if (!ScoreAll(s, me, variants, variantScores, pool, stop, d.Simulated)) return false;
    constexpr std::size_t kVariants = 4;
    for (std::size_t k = 0; k < order.size(); ++k) {
        double sum = scores[static_cast<std::size_t>(order[k])];
        for (std::size_t v = 0; v < kVariants; ++v) sum += variantScores[k * kVariants + v];
        scores[static_cast<std::size_t>(order[k])] = sum / (kVariants + 1);
    }
    // Only the checked strikes stay in the running.
    std::vector<double> kept(scores.size(), -1e300);
    for (const int i : order) kept[static_cast<std::size_t>(i)] = scores[static_cast<std::size_t>(i)];
    scores = std::move(kept);
    return true;
}

// The master's look-ahead: for each of the best strikes, the next opponent's
// best reply on the table that strike leaves, held against it. Returns the
// index of the strike to play, or -1 when stopped.
int ChooseWithReplies(const MatchState& s, int me, const LevelProfile& prof, const std::vector<Candidate>& cands,
                      const std::vector<double>& scores, WorkerPool& pool, const std::atomic<bool>* stop,
                      SeededRandom& rng, Decision& d) {
    const std::vector<int> best = BestIndices(scores, std::max(prof.RepliesFor, 1));
    std::vector<MatchState> afters(best.size(), s);
    std::vector<int> responders(best.size(), 0);
    struct Reply {
        std::size_t Line;
        Candidate Strike;
    };
    std::vector<Reply> replies;
    for (std::size_t k = 0; k < best.size(); ++k) {
        PlayToRest(afters[k], me, ChoiceOf(s, me, cands[static_cast<std::size_t>(best[k])]));
        ++d.Simulated;
        if (SideDecided(afters[k], me)) continue;
        const int responder = NextOpponent(afters[k], me);
        if (responder == 0) continue;
        responders[k] = responder;
        afters[k].CurG = static_cast<std::int16_t>(responder);
        for (const Candidate& c : PlanCandidates(afters[k], responder, prof.ReplyPlan, rng))
            replies.push_back(Reply{k, c});
    }
    if (Stopped(stop)) return -1;

    std::vector<double> replyScores(replies.size(), 0.0);
    const int ran = pool.Run(
        static_cast<int>(replies.size()),
        [&](int i) {
            const Reply& r = replies[static_cast<std::size_t>(i)];
            const MatchState& table = afters[r.Line];
            const int responder = responders[r.Line];
            MatchState copy = table;
            PlayToRest(copy, responder, ChoiceOf(table, responder, r.Strike));
            replyScores[static_cast<std::size_t>(i)] = ScorePosition(table, copy, responder);
        },
        stop);
    d.Simulated += ran;
    if (ran != static_cast<int>(replies.size()) || Stopped(stop)) return -1;

    std::vector<double> bestReply(best.size(), 0.0);
    std::vector<bool> any(best.size(), false);
    for (std::size_t i = 0; i < replies.size(); ++i) {
        const std::size_t k = replies[i].Line;
        if (!any[k] || replyScores[i] > bestReply[k]) bestReply[k] = replyScores[i];
        any[k] = true;
    }
    int chosen = best.front();
    double chosenScore = -1e300;
    for (std::size_t k = 0; k < best.size(); ++k) {
        const double total = scores[static_cast<std::size_t>(best[k])] - kScoreWeights.Reply * bestReply[k];
        if (total > chosenScore) {
            chosenScore = total;
            chosen = best[k];
        }
    }
    d.Score = chosenScore;
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
    if (prof.CheckBest > 0) {
        if (!CheckBest(s, me, prof, cands, scores, pool, stop, d)) {
            d.Stopped = true;
            return d;
        }
    }

    int chosen = 0;
    if (prof.LookAhead) {
        chosen = ChooseWithReplies(s, me, prof, cands, scores, pool, stop, rng, d);
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
