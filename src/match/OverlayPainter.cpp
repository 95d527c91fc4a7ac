#include "match/OverlayPainter.h"

#include <QPainter>
#include <QString>

#include "render/ColourDepth.h"

namespace zel::match {

namespace {

// Wide and tall enough for any line: a line's box only anchors its top-left corner.
constexpr int kUnbounded = 1 << 20;

// Screen points to pixels at the 96 dots per inch the picture sizes assume.
int PixelsForPoints(int points) { return (points * 96 + 36) / 72; }

}  // namespace

QFont OverlayFontFor(const OverlayFont& font) {
    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(PixelsForPoints(font.PointSize > 0 ? font.PointSize : kOverlayRegular.PointSize));
    f.setBold(font.Bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void PaintOverlay(QImage& picture, const std::vector<OverlayText>& lines) {
    if (picture.isNull() || lines.empty()) return;
    QPainter p(&picture);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    for (const OverlayText& line : lines) {
        p.setFont(OverlayFontFor(line.Font));
        p.setPen(QColor(line.Colour.R, line.Colour.G, line.Colour.B));
        // The line's box starts at its top-left corner; the text is never wrapped.
        const QRect box(line.X, line.Y, kUnbounded, kUnbounded);
        p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QString::fromStdString(line.Text));
    }
}

QImage OverlayImage(QSize size, const std::vector<OverlayText>& lines, int colourDepth) {
    if (size.isEmpty()) return {};
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    std::vector<OverlayText> shown = lines;
    for (OverlayText& line : shown) {
        const QRgb c = render::QuantiseColour(qRgb(line.Colour.R, line.Colour.G, line.Colour.B), colourDepth);
        line.Colour = {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                       static_cast<std::uint8_t>(qBlue(c))};
    }
    PaintOverlay(img, shown);
    return img;
}

}  // namespace zel::match
