#pragma once
#include <cstdint>
#include <string>

namespace zel::screens {

// The team records as the results screen reads and scores them: the teams
// screen keeps the table (numbers from 1, as FirstTeam and SecondTeam name
// them) and lends it through this view.
class TeamTable {
public:
    virtual ~TeamTable() = default;
    // The team's name; "" for a number the table does not have.
    virtual std::string TeamName(int team) const = 0;
    // The team's running score; 0 for a number the table does not have.
    virtual std::int16_t Score(int team) const = 0;
    // Adds to the team's score; a number the table does not have is ignored.
    virtual void AddScore(int team, int points) = 0;
};

}  // namespace zel::screens
