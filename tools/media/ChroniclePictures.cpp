#include "ChroniclePictures.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>

#include "Painting.h"

namespace zel::media {
namespace {

constexpr double kW = kPeriodPictureWidth;
constexpr double kH = kPeriodPictureHeight;

// The school desk seen from a pupil's seat.
QPolygonF Desk() {
    QPolygonF top;
    top << QPointF(56, 78) << QPointF(264, 78) << QPointF(310, 206) << QPointF(10, 206);
    return top;
}

// A classroom: a pale green wall over a dark floor, lit from the window.
void PaintClassroom(QPainter& p, std::uint32_t seed) {
    PaintBackdrop(p, QRectF(0, 0, kW, kH), QColor(150, 170, 140), QColor(70, 80, 62));
    PaintGlow(p, QPointF(250, 20), 140, QColor(255, 250, 220, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 44, 32));
    p.drawRect(QRectF(0, 200, kW, kH - 200));
    PaintTable(p, Desk(), seed);
}

// A cloakroom token: a flat rounded tag with a hole and its number, lying
// on the desk at `centre`, turned by `angle` degrees.
void PaintToken(QPainter& p, const QPointF& centre, double angle, int number, const QColor& colour,
                bool cracked = false) {
    p.save();
    p.translate(centre);
    p.scale(1.0, 0.55);  // lying flat, seen at a slant
    p.rotate(angle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(QRectF(-15, -19, 34, 42), 8, 8);
    p.setBrush(colour);
    p.setPen(QPen(colour.darker(160), 1.5));
    p.drawRoundedRect(QRectF(-17, -22, 34, 42), 8, 8);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(0, -14), 3.5, 3.5);
    p.setPen(QColor(20, 20, 20));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(-17, -8, 34, 24), Qt::AlignCenter, QString::number(number));
    if (cracked) {
        p.setPen(QPen(QColor(30, 20, 10), 1.6));
        QPainterPath crack;
        crack.moveTo(-17, 4);
        crack.lineTo(-6, 0);
        crack.lineTo(2, 8);
        crack.lineTo(17, 2);
        p.setBrush(Qt::NoBrush);
        p.drawPath(crack);
    }
    p.restore();
}

// A motion trail behind a struck piece.
void PaintTrail(QPainter& p, const QPointF& from, const QPointF& to) {
    QLinearGradient g(from, to);
    g.setColorAt(0, QColor(255, 255, 255, 0));
    g.setColorAt(1, QColor(255, 255, 255, 150));
    p.setPen(QPen(QBrush(g), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

void PaintYear(QPainter& p, const QString& years) {
    PaintGildedText(p, years, QPointF(kW / 2, 30), 26, true, 100, kW - 20);
}

QImage FirstYear() {
    QImage image = NewCanvas(kPeriodPictureWidth, kPeriodPictureHeight, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintClassroom(p, 1997);
    const QPolygonF desk = Desk();
    PaintTrail(p, OnTable(desk, 0.15, 0.85), OnTable(desk, 0.38, 0.62));
    PaintToken(p, OnTable(desk, 0.42, 0.58), 12, 17, QColor(232, 226, 210));
    PaintToken(p, OnTable(desk, 0.62, 0.40), -20, 42, QColor(226, 210, 120));
    PaintToken(p, OnTable(desk, 0.80, 0.72), 35, 8, QColor(200, 222, 236));
    PaintYear(p, QStringLiteral("1997 – 1998"));
    PaintCaption(p, QStringLiteral("Первые номерки на парте"), QPointF(kW / 2, 224), 15,
                 QColor(255, 246, 220), true);
    PaintVignette(p, QRectF(0, 0, kW, kH), 90);
    return image;
}

QImage SecondYear() {
    QImage image = NewCanvas(kPeriodPictureWidth, kPeriodPictureHeight, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintClassroom(p, 1998);
    const QPolygonF desk = Desk();
    // The goal: two erasers at the far edge.
    p.setPen(QPen(QColor(120, 30, 30), 1));
    p.setBrush(QColor(230, 90, 90));
    p.drawRoundedRect(QRectF(OnTable(desk, 0.36, 0.10) - QPointF(12, 6), QSizeF(24, 12)), 3, 3);
    p.setBrush(QColor(90, 140, 230));
    p.drawRoundedRect(QRectF(OnTable(desk, 0.64, 0.10) - QPointF(12, 6), QSizeF(24, 12)), 3, 3);
    // The coin on its way between them.
    const QPointF coin = OnTable(desk, 0.5, 0.32);
    PaintTrail(p, OnTable(desk, 0.52, 0.62), coin);
    p.setPen(QPen(QColor(120, 90, 20), 1.5));
    p.setBrush(QColor(226, 190, 80));
    p.drawEllipse(coin, 9, 5);
    PaintToken(p, OnTable(desk, 0.52, 0.70), 5, 23, QColor(232, 226, 210));
    PaintToken(p, OnTable(desk, 0.20, 0.80), -30, 31, QColor(226, 210, 120), true);
    PaintYear(p, QStringLiteral("1998 – 1999"));
    PaintCaption(p, QStringLiteral("Футбольная Вемба"), QPointF(kW / 2, 224), 15,
                 QColor(255, 246, 220), true);
    PaintVignette(p, QRectF(0, 0, kW, kH), 90);
    return image;
}

QImage ThirdYear() {
    QImage image = NewCanvas(kPeriodPictureWidth, kPeriodPictureHeight, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintBackdrop(p, QRectF(0, 0, kW, kH), QColor(70, 80, 62), QColor(50, 40, 30));
    // The brick wall the desk is pushed against.
    Grain grain(1999);
    for (int row = 0; row < 7; ++row)
        for (int col = -1; col < 9; ++col) {
            const double x = col * 40 + (row % 2) * 20;
            const double y = row * 12;
            const int shade = static_cast<int>(grain.Next() * 30);
            p.setPen(QPen(QColor(200, 190, 170), 1));
            p.setBrush(QColor(150 + shade, 70 + shade / 2, 50));
            p.drawRect(QRectF(x, y, 38, 11));
        }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 44, 32));
    p.drawRect(QRectF(0, 200, kW, kH - 200));
    const QPolygonF desk = Desk();
    PaintTable(p, desk, 1999);
    // A strike off the wall: in, bounce, out.
    const QPointF start = OnTable(desk, 0.25, 0.80);
    const QPointF wall = OnTable(desk, 0.48, 0.04);
    const QPointF end = OnTable(desk, 0.72, 0.45);
    p.setPen(QPen(QColor(255, 255, 255, 170), 2, Qt::DashLine));
    p.drawLine(start, wall);
    p.drawLine(wall, end);
    PaintPuck(p, end, 16, 7, 6, PieceColour(1));
    PaintPuck(p, OnTable(desk, 0.80, 0.36), 16, 7, 6, PieceColour(2));
    PaintPuck(p, start, 18, 8, 7, PieceColour(3));
    PaintYear(p, QStringLiteral("1999 – 2000"));
    PaintCaption(p, QStringLiteral("Пристеночная Вемба"), QPointF(kW / 2, 224), 15,
                 QColor(255, 246, 220), true);
    PaintVignette(p, QRectF(0, 0, kW, kH), 90);
    return image;
}

QImage FourthYear() {
    QImage image = NewCanvas(kPeriodPictureWidth, kPeriodPictureHeight, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintBackdrop(p, QRectF(0, 0, kW, kH), QColor(16, 40, 26), QColor(6, 16, 10));
    PaintGlow(p, QPointF(kW / 2, 110), 150, QColor(255, 220, 140, 90));
    const QPolygonF desk = Desk();
    PaintTable(p, desk, 2000);
    // The club's own pieces, one of every colour, in a ring.
    for (int i = 0; i < 8; ++i) {
        const double a = i * 2 * 3.14159265358979 / 8;
        const double u = 0.5 + 0.30 * std::cos(a);
        const double v = 0.52 + 0.30 * std::sin(a);
        PaintPuck(p, OnTable(desk, u, v), 15, 6.5, 6, PieceColour(i + 1));
    }
    // The star of the new games, over the table.
    QPolygonF star;
    for (int k = 0; k < 10; ++k) {
        const double r = k % 2 == 0 ? 14 : 6;
        const double a = -3.14159265358979 / 2 + k * 3.14159265358979 / 5;
        star << QPointF(kW / 2 + r * std::cos(a), 61 + r * std::sin(a));
    }
    p.setPen(QPen(QColor(120, 80, 10), 1.5));
    p.setBrush(QColor(255, 214, 90));
    p.drawPolygon(star);
    PaintYear(p, QStringLiteral("2000 – 2001"));
    PaintCaption(p, QStringLiteral("Свои Вембы и новые игры"), QPointF(kW / 2, 224), 15,
                 QColor(255, 246, 220), true);
    PaintVignette(p, QRectF(0, 0, kW, kH), 70);
    return image;
}

}  // namespace

QImage PaintPeriodPicture(int period) {
    switch (period) {
        case 1: return SecondYear();
        case 2: return ThirdYear();
        case 3: return FourthYear();
        default: return FirstYear();
    }
}

}  // namespace zel::media
