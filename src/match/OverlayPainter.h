#pragma once
#include <vector>

#include <QFont>
#include <QImage>

#include "core/Overlay.h"

namespace zel::match {

// The font an overlay line is drawn in: the match window's sans-serif face
// at the line's point size, as the screen's 96 dots per inch give it in
// pixels (10 pt is 13 pixels, 14 pt is 19), bold where the line asks, and
// without smoothing, so every lit pixel of a letter has exactly the line's
// colour, as text on the old display surfaces had.
QFont OverlayFontFor(const OverlayFont& font);

// Paints the lines over the picture in the picture's own pixel coordinates:
// each line's top-left corner at (X, Y), in its colour and font, on a
// transparent background. Lines reaching past the picture are clipped.
void PaintOverlay(QImage& picture, const std::vector<OverlayText>& lines);

// The lines alone on a transparent picture of `size`, each in its colour as
// a display of `colourDepth` bits shows it: what the window lays over the
// scene, redrawn only when the lines change.
QImage OverlayImage(QSize size, const std::vector<OverlayText>& lines, int colourDepth);

}  // namespace zel::match
