#pragma once
#include <vector>

#include "labels/GlyphTable.h"

namespace zel {
struct MatchState;
}

namespace zel::labels {

// The mesh every label dot shows, relative to the program folder, and the
// even scale the dots give it.
inline constexpr const char* kLabelDotMesh = "gamedata/mesh/ball.x";
inline constexpr double kLabelDotScale = 0.03;

// Dots of the densest possible labels: eight participants, five characters
// of the glyph with the most lit cells ("Щ", 32 each).
inline constexpr int kMostLabelDots = 8 * 5 * 32;

// A point in a piece frame's coordinates, scene units.
struct LabelOffset {
    double X = 0;  // along the label, to the piece frame's +x
    double Y = 0;  // height above the piece frame's origin
    double Z = 0;  // across the label; glyph rows run toward -z
};

// One lit cell of one participant's label.
struct LabelDot {
    int Participant = 0;  // 1..Num: the piece whose frame Offset is given in
    int CharIndex = 0;    // 1..5: position of the character in the label
    int Column = 0;       // 1..10: glyph column of the cell
    int Row = 0;          // 1..10: glyph row of the cell
    LabelOffset Offset;   // where the dot stands in the piece frame
};

// Where the cell (column, row) of the character at `charIndex` stands in the
// piece frame: x = 0.1 * column + charIndex - 3, y = 1.5, z = -0.1 * row.
// One cell is 0.1 x 0.1; a character advances 1.0 along x, so a label
// always starts 1.9 to the piece's -x side, whatever its length. The values
// are rounded to single precision, as the scene takes frame positions.
LabelOffset PlaceLabelDot(int charIndex, int column, int row);

// Every dot of every participant's label, in the order the labels are built
// and shown: participants 1..Num, characters 1..5 of the name, glyph
// columns 1..10, rows 1..10 within a column, lit cells only. Dot number n
// (1-based) is element n - 1. A label shows the first five characters of
// the name upper-cased; a character without a glyph (space, "0",
// punctuation, other alphabets) draws nothing but keeps its cell. An empty
// name has no dots. Nothing is dropped however many dots there are (at most
// kMostLabelDots).
//
// The offsets depend only on the names, so the list built at the start of a
// match serves every later show: the renderer places each dot at its piece
// frame's current placement applied to the offset.
std::vector<LabelDot> BuildNameLabelDots(const MatchState& s, const GlyphTable& font);
// The same with the label font.
std::vector<LabelDot> BuildNameLabelDots(const MatchState& s);

}  // namespace zel::labels
