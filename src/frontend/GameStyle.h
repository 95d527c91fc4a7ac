#pragma once
#include <QProxyStyle>

namespace zel::theme {

// The game's style: Qt's Fusion style with the parts that a style sheet
// cannot draw in the game's colours — the boxes of check boxes, the rings of
// radio buttons and the focus frame of list items — drawn in gold on the
// fields' green, and sized from the font rather than in fixed pixels, so they
// grow with the captions beside them. ApplyGameTheme puts it under the
// game's style sheet.
class GameStyle : public QProxyStyle {
public:
    // The style's object name, by which ApplyGameTheme finds it again.
    static constexpr const char* kName = "zel-game-style";

    GameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    QPalette standardPalette() const override;
};

}  // namespace zel::theme
