#include "frontend/GameStyle.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include "frontend/GameTheme.h"

namespace zel::theme {
namespace {

// The side of a check box or radio ring, as a share of the text's line
// height: a little less than a capital letter with its descent.
constexpr double kIndicatorShare = 0.85;

// The font the indicator stands beside: the widget's, else the option's.
int LineHeight(const QStyleOption* option, const QWidget* widget) {
    if (widget) return widget->fontMetrics().height();
    if (option) return option->fontMetrics.height();
    return 16;
}

// A square of side `side` centred in `r`.
QRectF Square(const QRect& r, double side) {
    return QRectF(r.x() + (r.width() - side) / 2.0, r.y() + (r.height() - side) / 2.0, side, side);
}

// The border of an indicator: bright with the focus, dim when disabled.
QColor BorderFor(const QStyleOption* option) {
    if (!(option->state & QStyle::State_Enabled)) return ColourOf(Colour::DisabledBorder);
    if (option->state & QStyle::State_HasFocus) return ColourOf(Colour::Focus);
    return ColourOf(Colour::Frame);
}

// The mark inside an indicator.
QColor MarkFor(const QStyleOption* option) {
    return option->state & QStyle::State_Enabled ? ColourOf(Colour::Focus)
                                                 : ColourOf(Colour::DisabledText);
}

void DrawCheckBox(const QStyleOption* option, QPainter* p) {
    const QRectF box = Square(option->rect, std::min(option->rect.width(), option->rect.height()));
    const double line = std::max(1.0, box.width() / 9.0);
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(QPen(BorderFor(option), line));
    p->setBrush(option->state & QStyle::State_Sunken ? ColourOf(Colour::ButtonPressed)
                                                     : ColourOf(Colour::Field));
    const QRectF inner = box.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    p->drawRoundedRect(inner, box.width() / 6.0, box.width() / 6.0);
    const double w = inner.width();
    if (option->state & QStyle::State_NoChange) {
        // Greyed: a bar across, neither ticked nor empty.
        p->setPen(Qt::NoPen);
        p->setBrush(MarkFor(option));
        p->drawRect(QRectF(inner.x() + w * 0.22, inner.center().y() - w * 0.1, w * 0.56, w * 0.2));
    } else if (option->state & QStyle::State_On) {
        QPen tick(MarkFor(option), std::max(1.5, w * 0.16));
        tick.setCapStyle(Qt::RoundCap);
        tick.setJoinStyle(Qt::RoundJoin);
        p->setPen(tick);
        p->setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(inner.x() + w * 0.2, inner.y() + w * 0.52);
        path.lineTo(inner.x() + w * 0.42, inner.y() + w * 0.74);
        path.lineTo(inner.x() + w * 0.8, inner.y() + w * 0.26);
        p->drawPath(path);
    }
    p->restore();
}

void DrawRadio(const QStyleOption* option, QPainter* p) {
    const QRectF ring = Square(option->rect, std::min(option->rect.width(), option->rect.height()));
    const double line = std::max(1.0, ring.width() / 9.0);
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(QPen(BorderFor(option), line));
    p->setBrush(option->state & QStyle::State_Sunken ? ColourOf(Colour::ButtonPressed)
                                                     : ColourOf(Colour::Field));
    p->drawEllipse(ring.adjusted(line / 2, line / 2, -line / 2, -line / 2));
    if (option->state & QStyle::State_On) {
        p->setPen(Qt::NoPen);
        p->setBrush(MarkFor(option));
        const double d = ring.width() * 0.28;
        p->drawEllipse(ring.adjusted(d, d, -d, -d));
    }
    p->restore();
}

void DrawFocusFrame(const QStyleOption* option, QPainter* p) {
    p->save();
    p->setPen(QPen(ColourOf(Colour::Focus), 1, Qt::DotLine));
    p->setBrush(Qt::NoBrush);
    p->drawRect(option->rect.adjusted(0, 0, -1, -1));
    p->restore();
}

}  // namespace

GameStyle::GameStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
    setObjectName(QString::fromLatin1(kName));
}

void GameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    switch (element) {
        case PE_IndicatorCheckBox:
            DrawCheckBox(option, painter);
            return;
        case PE_IndicatorRadioButton:
            DrawRadio(option, painter);
            return;
        case PE_FrameFocusRect:
            DrawFocusFrame(option, painter);
            return;
        default:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

int GameStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return static_cast<int>(std::lround(LineHeight(option, widget) * kIndicatorShare));
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QPalette GameStyle::standardPalette() const { return Palette(); }

}  // namespace zel::theme
