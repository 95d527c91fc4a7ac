#include "Emblems.h"

#include <cmath>
#include <numbers>

#include <QPainter>
#include <QPainterPath>

#include "Painting.h"

namespace zel::media {
namespace {

QPainterPath ShieldPath(const QRectF& r) {
    QPainterPath shield;
    shield.moveTo(r.left(), r.top());
    shield.lineTo(r.right(), r.top());
    shield.lineTo(r.right(), r.top() + r.height() * 0.48);
    shield.cubicTo(r.right(), r.top() + r.height() * 0.80, r.center().x() + r.width() * 0.2,
                   r.bottom() - r.height() * 0.06, r.center().x(), r.bottom());
    shield.cubicTo(r.center().x() - r.width() * 0.2, r.bottom() - r.height() * 0.06, r.left(),
                   r.top() + r.height() * 0.80, r.left(), r.top() + r.height() * 0.48);
    shield.closeSubpath();
    return shield;
}

QPainterPath StarPath(const QPointF& c, double r) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double rr = (i % 2 == 0) ? r : r * 0.45;
        const QPointF pt = c + QPointF(rr * std::cos(a), rr * std::sin(a));
        if (i == 0) star.moveTo(pt); else star.lineTo(pt);
    }
    star.closeSubpath();
    return star;
}

}  // namespace

QImage PaintLogo() {
    QImage image = NewCanvas(220, 130, QColor(14, 40, 24));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintBackdrop(p, QRectF(0, 0, 220, 130), QColor(26, 84, 46), QColor(8, 30, 16));
    PaintGlow(p, QPointF(110, 40), 120, QColor(140, 220, 140, 70));
    PaintPuck(p, QPointF(92, 24), 17, 7, 6, PieceColour(1));
    PaintPuck(p, QPointF(128, 22), 14, 6, 5, PieceColour(2));
    PaintGildedText(p, QStringLiteral("Корвало II"), QPointF(110, 66), 34, true, 100, 196);
    PaintCaption(p, QStringLiteral("ВАНТОРИКС"), QPointF(110, 106), 18, QColor(255, 228, 150));
    p.setPen(QPen(QColor(201, 164, 74), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2, 2, 216, 126), 10, 10);
    return image;
}

QImage PaintCoatOfArms(int width, int height) {
    QImage image = NewCanvas(width, height, QColor(24, 56, 34));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width, h = height;
    PaintBackdrop(p, QRectF(0, 0, w, h), QColor(30, 74, 44), QColor(12, 34, 20));

    const bool ribbon = width >= 160;
    const QRectF shieldBox(w * 0.12, h * 0.15, w * 0.76, h * (ribbon ? 0.66 : 0.78));
    const QPainterPath shield = ShieldPath(shieldBox);

    // Quarters: green and gold.
    p.save();
    p.setClipPath(shield);
    const QPointF c = shieldBox.center() - QPointF(0, shieldBox.height() * 0.06);
    const QColor green(28, 120, 64), gold(222, 176, 60);
    p.fillRect(QRectF(shieldBox.left(), shieldBox.top(), c.x() - shieldBox.left(), c.y() - shieldBox.top()), green);
    p.fillRect(QRectF(c.x(), shieldBox.top(), shieldBox.right() - c.x(), c.y() - shieldBox.top()), gold);
    p.fillRect(QRectF(shieldBox.left(), c.y(), c.x() - shieldBox.left(), shieldBox.bottom() - c.y()), gold);
    p.fillRect(QRectF(c.x(), c.y(), shieldBox.right() - c.x(), shieldBox.bottom() - c.y()), green);
    PaintGlow(p, shieldBox.topLeft() + QPointF(shieldBox.width() * 0.3, shieldBox.height() * 0.2),
              shieldBox.width() * 0.7, QColor(255, 255, 255, 60));
    p.restore();

    // The piece at the heart of the shield.
    const double r = shieldBox.width() * 0.22;
    PaintPuck(p, c, r, r * 0.62, r * 0.3, PieceColour(1));

    // Border of the shield.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 30, 8), std::max(2.0, w * 0.03)));
    p.drawPath(shield);
    p.setPen(QPen(QColor(250, 214, 110), std::max(1.0, w * 0.012)));
    p.drawPath(shield);

    // Three stars above.
    p.setPen(QPen(QColor(90, 50, 10), std::max(1.0, w * 0.008)));
    p.setBrush(QColor(250, 214, 110));
    const double sr = w * 0.055;
    for (int i = -1; i <= 1; ++i)
        p.drawPath(StarPath(QPointF(w / 2 + i * w * 0.16, h * 0.075 + (i == 0 ? 0 : sr * 0.4)), i == 0 ? sr * 1.25 : sr));

    if (ribbon) {
        const QRectF band(w * 0.06, h * 0.83, w * 0.88, h * 0.11);
        QPainterPath banner;
        banner.addRoundedRect(band, band.height() * 0.3, band.height() * 0.3);
        QLinearGradient red(band.topLeft(), band.bottomLeft());
        red.setColorAt(0.0, QColor(200, 40, 40));
        red.setColorAt(1.0, QColor(120, 16, 16));
        p.setPen(QPen(QColor(250, 214, 110), std::max(1.0, w * 0.008)));
        p.setBrush(red);
        p.drawPath(banner);
        PaintCaption(p, QStringLiteral("ВЕМБНЫЙ КЛУБ"), band.center(), static_cast<int>(band.height() * 0.55),
                     QColor(255, 236, 180));
    }
    return image;
}

QImage PaintIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    // A round table: wooden rim, green baize.
    QRadialGradient rim(s * 0.45, s * 0.4, s * 0.6);
    rim.setColorAt(0.0, QColor(170, 100, 46));
    rim.setColorAt(1.0, QColor(90, 46, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(QPointF(s / 2, s / 2), s * 0.48, s * 0.48);
    QRadialGradient felt(s * 0.42, s * 0.38, s * 0.5);
    felt.setColorAt(0.0, QColor(60, 170, 90));
    felt.setColorAt(1.0, QColor(14, 80, 40));
    p.setBrush(felt);
    p.drawEllipse(QPointF(s / 2, s / 2), s * 0.41, s * 0.41);
    // A struck piece's path and two pieces.
    p.setPen(QPen(QColor(255, 255, 255, 120), s * 0.02, Qt::DashLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.24, s * 0.74), QPointF(s * 0.44, s * 0.55));
    PaintPuck(p, QPointF(s * 0.62, s * 0.40), s * 0.15, s * 0.10, s * 0.05, PieceColour(2));
    PaintPuck(p, QPointF(s * 0.45, s * 0.56), s * 0.17, s * 0.11, s * 0.06, PieceColour(1));
    return image;
}

}  // namespace zel::media
