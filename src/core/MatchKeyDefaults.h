#pragma once
#include <cstdint>

namespace zel {

// What the match keys of the game's files give when a key is missing or its
// value cannot be used. zel.ini's "[zelset]", a replay's and a saved game's
// "[general]" share these keys, so they share this one table; the settings
// add their display keys and their built-in defaults on top of it.
struct MatchKeyDefaultTable {
    std::int16_t MaxX;           // table length a 0 stands for
    std::int16_t MaxY;           // table width a 0 stands for
    std::int16_t LargestTable;   // length and width with the largest-table box checked
    double Ftr;                  // friction a value other than the offered ones gives
    std::int16_t MinNum;         // fewest participants; Num below is raised to it
    std::int16_t MaxNum;         // most participants; Num above is lowered to it
    std::int16_t MinMass;        // lightest mass a piece may have; others read as DefaultMass
    std::int16_t MaxMass;        // heaviest mass a piece may have
    std::int16_t DefaultMass;    // mass of a piece nobody changed
    std::int16_t ModelEntries;   // entries of the model list: RModel is -1 (none) .. ModelEntries-1
    std::int16_t OvalModel;      // the list entry that cannot be played; it reads as entry 0
};

inline constexpr MatchKeyDefaultTable kMatchKeyDefaults{
    .MaxX = 600,
    .MaxY = 400,
    .LargestTable = 1000,
    .Ftr = 0.02,
    .MinNum = 2,
    .MaxNum = 8,
    .MinMass = 1,
    .MaxMass = 1000,
    .DefaultMass = 1,
    .ModelEntries = 5,
    .OvalModel = 4,
};

// The three friction settings the game offers; the options screen's buttons
// are them in this order.
inline constexpr double kFrictionChoices[3] = {0.01, 0.02, 0.03};

// Friction as stored: one of the three choices, or the older files' scale
// where 30, 50 and 80 meant the same three; anything else gives the default.
double FrictionFromFile(double v);

// The mass itself when the piece editor allows it, else the untouched mass:
// a stored or typed mass 0 would divide a contact push by zero.
std::int16_t UsableMass(std::int16_t v);

}  // namespace zel
