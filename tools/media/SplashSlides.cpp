#include "SplashSlides.h"

#include <cmath>
#include <numbers>

#include <QPainter>

#include "Painting.h"

namespace zel::media {
namespace {

constexpr double kW = kSlideWidth;
constexpr double kH = kSlideHeight;

// The table as the room's camera sees it.
QPolygonF RoomTable() {
    QPolygonF top;
    top << QPointF(150, 205) << QPointF(490, 205) << QPointF(600, 392) << QPointF(40, 392);
    return top;
}

// Puck size at depth v (0 far, 1 near) of the room's table.
void PuckOnTable(QPainter& p, const QPolygonF& top, double u, double v, int participant,
                 double scale = 1.0) {
    const double rx = (11.0 + 9.0 * v) * scale;
    PaintPuck(p, OnTable(top, u, v), rx, rx * (0.38 + 0.12 * v), rx * 0.42,
              PieceColour(participant));
}

void PaintRoom(QPainter& p) {
    PaintBackdrop(p, QRectF(0, 0, kW, kH), QColor(22, 14, 10), QColor(60, 36, 20));
    // The lamp's cone over the table.
    QPolygonF cone;
    cone << QPointF(300, 0) << QPointF(340, 0) << QPointF(600, 400) << QPointF(40, 400);
    QLinearGradient beam(0, 0, 0, 400);
    beam.setColorAt(0.0, QColor(255, 236, 180, 90));
    beam.setColorAt(1.0, QColor(255, 236, 180, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(beam);
    p.drawPolygon(cone);
    PaintGlow(p, QPointF(320, 12), 70, QColor(255, 240, 200, 200));
}

// The start positions of eight pieces: corners first, then the long sides.
void PaintStartPositions(QPainter& p, const QPolygonF& top) {
    const double spots[8][2] = {{0.07, 0.12}, {0.93, 0.88}, {0.07, 0.88}, {0.93, 0.12},
                                {0.07, 0.33}, {0.93, 0.67}, {0.07, 0.67}, {0.93, 0.33}};
    // Far pieces first, so nearer ones overlap them.
    int order[8] = {0, 3, 4, 7, 5, 6, 1, 2};
    for (int k : order) PuckOnTable(p, top, spots[k][0], spots[k][1], k + 1);
}

QImage MakerSlide() {
    QImage image = NewCanvas(kSlideWidth, kSlideHeight, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintBackdrop(p, QRectF(0, 0, kW, kH), QColor(4, 6, 18), QColor(10, 16, 44));
    PaintGlow(p, QPointF(320, 230), 300, QColor(60, 90, 180, 110));
    // Rays from behind the name.
    for (int i = 0; i < 24; ++i) {
        const double a = i * 2 * std::numbers::pi / 24;
        QPolygonF ray;
        ray << QPointF(320, 230) << QPointF(320 + 420 * std::cos(a - 0.05), 230 + 420 * std::sin(a - 0.05))
            << QPointF(320 + 420 * std::cos(a + 0.05), 230 + 420 * std::sin(a + 0.05));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 150, 255, 14));
        p.drawPolygon(ray);
    }
    PaintGildedText(p, QStringLiteral("MEROVANE"), QPointF(320, 222), 64, false, 118);
    p.setPen(QPen(QColor(240, 196, 80), 2));
    p.drawLine(QPointF(190, 266), QPointF(450, 266));
    PaintCaption(p, QStringLiteral("представляет"), QPointF(320, 298), 24, QColor(220, 226, 255), true);
    PaintVignette(p, QRectF(0, 0, kW, kH), 200);
    return image;
}

QImage TableSlide() {
    QImage image = NewCanvas(kSlideWidth, kSlideHeight, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintRoom(p);
    const QPolygonF top = RoomTable();
    PaintTable(p, top, 11);
    PaintStartPositions(p, top);
    PaintCaption(p, QStringLiteral("До восьми игроков за одним столом"), QPointF(320, 444), 26,
                 QColor(255, 236, 190));
    PaintVignette(p, QRectF(0, 0, kW, kH), 170);
    return image;
}

QImage StrikeSlide() {
    QImage image = NewCanvas(kSlideWidth, kSlideHeight, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Close to the cloth: the baize fills the picture.
    QPolygonF top;
    top << QPointF(-120, 60) << QPointF(760, 60) << QPointF(900, 520) << QPointF(-260, 520);
    PaintBackdrop(p, QRectF(0, 0, kW, kH), QColor(14, 10, 8), QColor(30, 20, 12));
    PaintTable(p, top, 23);

    // The struck piece's trail: fading copies along its path.
    const QPointF from(110, 380), to(330, 270);
    for (int i = 0; i < 7; ++i) {
        const double t = i / 7.0;
        const QPointF at = from + (to - from) * t;
        QColor ghost = PieceColour(1);
        ghost.setAlpha(static_cast<int>(25 + 30 * t));
        p.setPen(Qt::NoPen);
        p.setBrush(ghost);
        p.drawEllipse(at, 48, 22);
    }
    PaintPuck(p, QPointF(440, 215), 46, 21, 18, PieceColour(3));
    PaintPuck(p, to, 52, 24, 20, PieceColour(1));
    // The spark where they meet.
    const QPointF hit(388, 240);
    PaintGlow(p, hit, 70, QColor(255, 250, 210, 220));
    p.setPen(QPen(QColor(255, 255, 235, 230), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 10; ++i) {
        const double a = i * 2 * std::numbers::pi / 10 + 0.2;
        const double r1 = 14, r2 = (i % 2 == 0) ? 52 : 34;
        p.drawLine(hit + QPointF(r1 * std::cos(a), r1 * std::sin(a)),
                   hit + QPointF(r2 * std::cos(a), r2 * std::sin(a)));
    }
    PaintPuck(p, QPointF(560, 360), 50, 23, 19, PieceColour(2));
    PaintCaption(p, QStringLiteral("Щелчок — и Вемба летит!"), QPointF(320, 444), 28,
                 QColor(255, 236, 190));
    PaintVignette(p, QRectF(0, 0, kW, kH), 190);
    return image;
}

// The title screen, shared by the last slide and the waiting picture.
QImage TitlePicture(double titleY, bool withSubtitle) {
    QImage image = NewCanvas(kSlideWidth, kSlideHeight, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintRoom(p);
    const QPolygonF top = RoomTable();
    PaintTable(p, top, 37);
    PuckOnTable(p, top, 0.18, 0.30, 3);
    PuckOnTable(p, top, 0.80, 0.22, 2);
    PuckOnTable(p, top, 0.55, 0.55, 6);
    PuckOnTable(p, top, 0.30, 0.80, 1, 1.15);
    PuckOnTable(p, top, 0.74, 0.86, 8, 1.15);
    // Darken behind the title so it stands out.
    QLinearGradient shade(0, titleY - 90, 0, titleY + 90);
    shade.setColorAt(0.0, QColor(0, 0, 0, 0));
    shade.setColorAt(0.5, QColor(0, 0, 0, 120));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, titleY - 90, kW, 180), shade);
    PaintGildedText(p, QStringLiteral("КОРВАЛО II"), QPointF(320, titleY - 18), 78);
    PaintGildedText(p, QStringLiteral("ВАНТОРИКС"), QPointF(320, titleY + 52), 40, true, 130);
    if (withSubtitle)
        PaintCaption(p, QStringLiteral("игра Вембного Клуба"), QPointF(320, 448), 22,
                     QColor(255, 236, 190), true);
    PaintVignette(p, QRectF(0, 0, kW, kH), 160);
    return image;
}

}  // namespace

std::vector<Slide> MakeSlides() {
    std::vector<Slide> slides;
    slides.push_back({"merovane.png", 1800, MakerSlide()});
    slides.push_back({"table.png", 2000, TableSlide()});
    slides.push_back({"strike.png", 2000, StrikeSlide()});
    slides.push_back({"title.png", 2800, TitlePicture(150, true)});
    return slides;
}

std::string SlideScript(const std::vector<Slide>& slides) {
    std::string script = "[MerovaneVistrel]\r\n";
    for (const Slide& s : slides) script += s.FileName + "\r\n" + std::to_string(s.Milliseconds) + "\r\n";
    return script;
}

QImage PaintWaitingPicture() { return TitlePicture(130, false); }

}  // namespace zel::media
