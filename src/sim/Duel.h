#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/PlayerKind.h"

namespace zel {

// `zel-sim duel`: matches between computer players of two levels.
struct DuelOptions {
    PlayerKind LevelA = PlayerKind::Master;
    PlayerKind LevelB = PlayerKind::Novice;
    int Matches = 200;
    std::uint64_t Seed = 1;
    std::int16_t MaxX = 600;       // the table of a new match
    std::int16_t MaxY = 400;
    // The table a new match gets from the game's built-in settings: walls
    // along both long edges and the four posts.
    bool Walls = true;
    bool Posts = true;
    int Players = 2;               // participants per match, the levels taking turns by seat
    int TurnLimit = 300;           // a match that lasts longer is a draw
};

// Reads the duel's arguments (after "duel"):
//   --levels A B [--matches N] [--seed S] [--table WxH] [--players K]
//   [--no-walls] [--no-posts]
// Levels are novice, amateur, master; N 1..100000; W and H 201..1000; K 2..8.
// False with a one-line reason for anything else.
bool ParseDuelArgs(const std::vector<std::string>& args, DuelOptions& opt, std::string& error);

// One side's tally. A match is won by the side of the last piece standing,
// drawn when nobody stands or the turn limit ends it.
struct DuelTally {
    int Wins = 0;
    int Draws = 0;
    int Losses = 0;
    long long Turns = 0;  // strikes of all the side's matches, both sides' strikes counted
    int Matches() const { return Wins + Draws + Losses; }
};

struct DuelReport {
    DuelTally A;  // LevelA's side
    DuelTally B;  // LevelB's side
};

// Plays opt.Matches matches: in match m (from 0) seat i (from 0) is played
// by LevelA when i + m is even, else by LevelB, so the starting side
// alternates. Every match is a new live match through the match kernel with
// its replay written to a temporary file and removed; decisions are seeded
// from opt.Seed and the match number, so a run repeats exactly.
DuelReport RunDuel(const DuelOptions& opt);

// "master: 180 wins, 3 draws, 17 losses of 200, mean turns 14.2"
std::string FormatDuelLine(PlayerKind level, const DuelTally& t);

// The whole subcommand: parses, plays, prints one line per level on `out`
// (errors on `err`); the exit status.
int DuelCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zel
