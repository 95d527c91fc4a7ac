#include "Painting.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace zel::media {

double Grain::Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
}

QImage NewCanvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void PaintBackdrop(QPainter& p, const QRectF& area, const QColor& top, const QColor& bottom) {
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, bottom);
    p.fillRect(area, g);
}

void PaintGlow(QPainter& p, const QPointF& centre, double radius, const QColor& colour) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, colour);
    QColor edge = colour;
    edge.setAlpha(0);
    g.setColorAt(1.0, edge);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void PaintVignette(QPainter& p, const QRectF& area, int strength) {
    QRadialGradient g(area.center(), std::hypot(area.width(), area.height()) / 2);
    g.setColorAt(0.0, QColor(0, 0, 0, 0));
    g.setColorAt(0.6, QColor(0, 0, 0, strength / 4));
    g.setColorAt(1.0, QColor(0, 0, 0, strength));
    p.fillRect(area, g);
}

QPointF OnTable(const QPolygonF& top, double u, double v) {
    const QPointF farPoint = top[0] + (top[1] - top[0]) * u;
    const QPointF nearPoint = top[3] + (top[2] - top[3]) * u;
    return farPoint + (nearPoint - farPoint) * v;
}

void PaintTable(QPainter& p, const QPolygonF& top, std::uint32_t seed) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = top.boundingRect();

    // Legs and the rim's front face, below the top.
    const double apron = box.height() * 0.10;
    QPolygonF front;
    front << top[3] << top[2] << top[2] + QPointF(0, apron) << top[3] + QPointF(0, apron);
    QLinearGradient wood(box.bottomLeft(), box.bottomLeft() + QPointF(0, apron));
    wood.setColorAt(0.0, QColor(120, 68, 30));
    wood.setColorAt(1.0, QColor(58, 30, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawPolygon(front);

    // The rim: the top outline grown outwards, dark polished wood.
    QPolygonF rim;
    const QPointF c = box.center();
    for (const QPointF& corner : top) rim << c + (corner - c) * 1.06;
    QLinearGradient rimShade(box.topLeft(), box.bottomLeft());
    rimShade.setColorAt(0.0, QColor(104, 58, 26));
    rimShade.setColorAt(1.0, QColor(150, 88, 40));
    p.setBrush(rimShade);
    p.drawPolygon(rim);

    // The baize, lit from above.
    QLinearGradient felt(box.topLeft(), box.bottomLeft());
    felt.setColorAt(0.0, QColor(18, 92, 52));
    felt.setColorAt(1.0, QColor(30, 132, 70));
    p.setBrush(felt);
    p.drawPolygon(top);
    p.setClipRegion(QRegion(top.toPolygon()));
    PaintGlow(p, QPointF(c.x(), c.y() - box.height() * 0.05), box.width() * 0.45,
              QColor(160, 230, 150, 80));

    // Fine grain of the cloth.
    Grain grain(seed);
    for (int i = 0; i < static_cast<int>(box.width() * box.height() / 9); ++i) {
        const QPointF at(box.left() + grain.Next() * box.width(), box.top() + grain.Next() * box.height());
        const int shade = grain.Next() < 0.5 ? 0 : 255;
        p.setPen(QColor(shade, shade, shade, 14));
        p.drawPoint(at);
    }
    p.setClipping(false);

    // A thin light line where baize meets rim.
    p.setPen(QPen(QColor(220, 170, 90, 120), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(top);
    p.restore();
}

void PaintPuck(QPainter& p, const QPointF& centre, double rx, double ry, double height,
               const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    // Shadow on the table, a little to the right and below.
    QRadialGradient shadow(centre + QPointF(rx * 0.25, height + ry * 0.35), rx * 1.25);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 150));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(centre + QPointF(rx * 0.25, height + ry * 0.35), rx * 1.25, ry * 1.35);

    // The side: the lower half of the bottom ellipse joined to the top's.
    QPainterPath side;
    side.moveTo(centre.x() - rx, centre.y());
    side.lineTo(centre.x() - rx, centre.y() + height);
    side.arcTo(QRectF(centre.x() - rx, centre.y() + height - ry, 2 * rx, 2 * ry), 180, 180);
    side.lineTo(centre.x() + rx, centre.y());
    side.closeSubpath();
    QLinearGradient sideShade(centre.x() - rx, 0, centre.x() + rx, 0);
    sideShade.setColorAt(0.0, colour.darker(260));
    sideShade.setColorAt(0.35, colour.darker(140));
    sideShade.setColorAt(1.0, colour.darker(300));
    p.setBrush(sideShade);
    p.drawPath(side);

    // The top face, lit from the upper left.
    QRadialGradient face(centre + QPointF(-rx * 0.35, -ry * 0.45), rx * 1.3);
    face.setColorAt(0.0, colour.lighter(165));
    face.setColorAt(0.55, colour);
    face.setColorAt(1.0, colour.darker(150));
    p.setBrush(face);
    p.drawEllipse(centre, rx, ry);

    // Rim and emblem ring.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour.darker(200), std::max(1.0, rx * 0.06)));
    p.drawEllipse(centre, rx * 0.97, ry * 0.97);
    p.setPen(QPen(QColor(255, 255, 255, 110), std::max(1.0, rx * 0.05)));
    p.drawEllipse(centre, rx * 0.55, ry * 0.55);
    // A glint.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(centre + QPointF(-rx * 0.42, -ry * 0.42), rx * 0.16, ry * 0.12);
    p.restore();
}

namespace {

QPainterPath TextPath(const QString& text, int pixelSize, bool serif, double letterSpacing,
                      bool italic = false) {
    QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setItalic(italic);
    font.setLetterSpacing(QFont::PercentageSpacing, letterSpacing);
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

}  // namespace

void PaintGildedText(QPainter& p, const QString& text, const QPointF& centre, int pixelSize,
                     bool serif, double letterSpacing, double maxWidth) {
    QPainterPath path = TextPath(text, pixelSize, serif, letterSpacing);
    while (maxWidth > 0 && path.boundingRect().width() > maxWidth && pixelSize > 6) {
        pixelSize = pixelSize * 9 / 10;
        path = TextPath(text, pixelSize, serif, letterSpacing);
    }
    const QRectF bounds = path.boundingRect();
    path.translate(centre - bounds.center());
    const QRectF at = path.boundingRect();

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Soft shadow: a few widening dark strokes.
    for (int i = 4; i >= 1; --i) {
        p.setPen(QPen(QColor(0, 0, 0, 40), pixelSize * 0.05 * i, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path.translated(pixelSize * 0.04, pixelSize * 0.06));
    }
    QLinearGradient gold(at.topLeft(), at.bottomLeft());
    gold.setColorAt(0.0, QColor(255, 248, 200));
    gold.setColorAt(0.45, QColor(240, 196, 80));
    gold.setColorAt(0.55, QColor(196, 140, 40));
    gold.setColorAt(1.0, QColor(255, 220, 120));
    p.setPen(QPen(QColor(70, 36, 8), std::max(1.5, pixelSize * 0.045), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(gold);
    p.drawPath(path);
    p.restore();
}

void PaintCaption(QPainter& p, const QString& text, const QPointF& centre, int pixelSize,
                  const QColor& colour, bool italic) {
    QPainterPath path = TextPath(text, pixelSize, false, 100.0, italic);
    path.translate(centre - path.boundingRect().center());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, 160), std::max(2.0, pixelSize * 0.16), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
    p.restore();
}

QColor PieceColour(int participant) {
    static const QColor colours[8] = {
        QColor(206, 36, 36),  QColor(236, 186, 40), QColor(40, 92, 210),  QColor(236, 236, 228),
        QColor(44, 44, 52),   QColor(30, 170, 150), QColor(150, 60, 190), QColor(240, 120, 30)};
    return colours[((participant - 1) % 8 + 8) % 8];
}

}  // namespace zel::media
