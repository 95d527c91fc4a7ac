#pragma once
#include <cstdint>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QString>

namespace zel::media {

// Drawing pieces shared by the game's pictures: the table, the pieces
// ("Вемба", drawn as coloured pucks), lit backgrounds and gilded titles.
// Everything is drawn with QPainter into RGB32 images; noise comes from a
// fixed seed, so a picture is drawn the same way every build (the fonts
// are the system's).

// A deterministic pseudo-random sequence for texture grain.
class Grain {
public:
    explicit Grain(std::uint32_t seed) : state_(seed) {}
    // Uniform in [0, 1).
    double Next();

private:
    std::uint32_t state_;  // linear congruential state
};

// An opaque canvas of the given size filled with `fill`.
QImage NewCanvas(int width, int height, const QColor& fill);

// A vertical gradient from `top` to `bottom` over the whole canvas.
void PaintBackdrop(QPainter& p, const QRectF& area, const QColor& top, const QColor& bottom);

// A soft pool of light: `colour` at the centre fading out at `radius`.
void PaintGlow(QPainter& p, const QPointF& centre, double radius, const QColor& colour);

// Darkens the edges of `area`.
void PaintVignette(QPainter& p, const QRectF& area, int strength);

// The table seen in perspective: `top` holds its four corners (far left,
// far right, near right, near left); a wooden rim around green baize lit
// from above, with fine grain.
void PaintTable(QPainter& p, const QPolygonF& top, std::uint32_t seed);

// A piece on the table: a puck of `colour` whose top face is an ellipse of
// half-axes rx, ry centred at `centre`, `height` pixels thick, with its
// shadow, a lit top, a rim and a small emblem ring.
void PaintPuck(QPainter& p, const QPointF& centre, double rx, double ry, double height,
               const QColor& colour);

// `text` in gilded letters centred on `centre`: a dark outline, a soft
// shadow and a gold gradient fill. `pixelSize` is the letter height; a
// text wider than `maxWidth` (when above 0) is made smaller to fit.
void PaintGildedText(QPainter& p, const QString& text, const QPointF& centre, int pixelSize,
                     bool serif = true, double letterSpacing = 100.0, double maxWidth = 0);

// Plain text with a dark halo, centred on `centre`.
void PaintCaption(QPainter& p, const QString& text, const QPointF& centre, int pixelSize,
                  const QColor& colour, bool italic = false);

// The eight piece colours, participant 1 to 8.
QColor PieceColour(int participant);

// A point of the table's top given in table fractions (u across from the
// left, v from the far edge to the near edge).
QPointF OnTable(const QPolygonF& top, double u, double v);

}  // namespace zel::media
