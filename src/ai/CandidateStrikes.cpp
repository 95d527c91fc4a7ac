#include "ai/CandidateStrikes.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "ai/PositionScore.h"
#include "core/Rules.h"

namespace zel::ai {

namespace {
constexpr double kTwoPi = 6.283185307179586;
constexpr int kLeastWanderPower = 10;
}  // namespace

std::vector<Candidate> PlanCandidates(const MatchState& s, int striker, const CandidatePlan& plan,
                                      SeededRandom& rng) {
    std::vector<Candidate> out;
    const VembaRecord& me = s.Vembas[static_cast<std::size_t>(striker)];

    std::vector<std::pair<double, int>> targets;
    for (int i = 1; i <= ParticipantCount(s); ++i) {
        const VembaRecord& v = s.Vembas[static_cast<std::size_t>(i)];
        if (!IsSet(v.Life) || !AreOpponents(s, striker, i)) continue;
        targets.emplace_back(Hypot(v.Xpos - me.Xpos, v.Ypos - me.Ypos), i);
    }
    std::sort(targets.begin(), targets.end());
    if (static_cast<int>(targets.size()) > plan.Targets) targets.resize(static_cast<std::size_t>(std::max(plan.Targets, 0)));

    // Two touching pieces' centres are at most two outer radii apart.
    const double reach = 2.0 * s.VembaRadius * 0.95;
    for (const auto& [distance, i] : targets) {
        const VembaRecord& t = s.Vembas[static_cast<std::size_t>(i)];
        const double centre = std::atan2(t.Xpos - me.Xpos, -(t.Ypos - me.Ypos));
        const double widest = std::atan2(reach, std::max(distance, reach));
        for (const double f : plan.HitFractions)
            for (const int power : plan.Powers)
                for (const double rim : plan.RimAngles)
                    out.push_back(Candidate{centre + f * widest, rim, power});
    }
    const double toMiddle = std::atan2(s.MaxX / 2.0 - me.Xpos, -(s.MaxY / 2.0 - me.Ypos));
    for (const double turn : plan.RetreatAngles)
        for (const int power : plan.RetreatPowers) out.push_back(Candidate{toMiddle + turn, 0, power});
    for (int k = 0; k < plan.Wanders; ++k) {
        Candidate c;
        c.AimAngle = rng.Uniform() * kTwoPi;
        c.Power = kLeastWanderPower + static_cast<int>(rng.Uniform() * (100 - kLeastWanderPower + 1));
        out.push_back(c);
    }
    // Nobody to aim at and nothing random asked for: a gentle push forward.
    if (out.empty()) out.push_back(Candidate{me.Phi, 0, 20});
    return out;
}

}  // namespace zel::ai
