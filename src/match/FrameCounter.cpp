#include "match/FrameCounter.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QString>

#include "match/OverlayPainter.h"

namespace zel::match {

namespace {
constexpr double kWindow = 1.0;        // seconds the figures are taken over
constexpr double kRefresh = 0.5;       // seconds between two changes of the text
constexpr std::size_t kMaxPasses = 4096;  // a bound even for a clock that stands still
constexpr int kMargin = 20;            // pixels from the right edge, as the left lines keep
constexpr int kTop = 10;               // the top row of the overlay
}  // namespace

std::string FrameCounterText(int framesPerSecond, double frameMs) {
    const long tenths = std::lround(std::max(0.0, frameMs) * 10);
    return std::to_string(std::max(0, framesPerSecond)) + " к/с · " + std::to_string(tenths / 10) + "," +
           std::to_string(tenths % 10) + " мс";
}

void FrameCounter::Toggle() {
    visible_ = !visible_;
    if (visible_ && !passes_.empty()) Refresh(passes_.back().start);
}

void FrameCounter::AddPass(double start, double work) {
    if (!std::isfinite(start) || !std::isfinite(work)) return;
    passes_.push_back({start, std::max(0.0, work)});
    while (!passes_.empty() && (passes_.front().start <= start - kWindow || passes_.size() > kMaxPasses))
        passes_.pop_front();
    if (start - shownAt_ >= kRefresh || start < shownAt_) Refresh(start);
}

void FrameCounter::Refresh(double now) {
    shownAt_ = now;
    if (passes_.empty()) return;
    double sum = 0;
    for (const Pass& p : passes_) sum += p.work;
    // The passes kept began within the last second: n starts span n - 1
    // intervals.
    const double span = now - passes_.front().start;
    const double n = static_cast<double>(passes_.size());
    const double perSecond = passes_.size() < 2 || span <= 0 ? n : (n - 1) / span;
    text_ = FrameCounterText(static_cast<int>(std::lround(perSecond)), sum / static_cast<double>(passes_.size()) * 1000);
}

OverlayText FrameCounter::Line(int screenW, OverlayColour pen) const {
    OverlayText line;
    line.Text = text_;
    line.Font = kOverlayRegular;
    line.Colour = pen;
    const QFontMetrics fm(OverlayFontFor(line.Font));
    line.X = std::max(0, screenW - kMargin - fm.horizontalAdvance(QString::fromStdString(text_)));
    line.Y = kTop;
    return line;
}

}  // namespace zel::match
