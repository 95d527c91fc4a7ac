#include "RenderTestSupport.h"

#include <algorithm>
#include <limits>

#include "physics/Contact.h"

namespace zel::test {

std::vector<Circle> ShapeCircles(const MatchState& s, const VembaRecord& rec) {
    std::vector<Circle> out;
    const auto& shape = s.Shapes[static_cast<std::size_t>(rec.RMod)];
    for (int k = 1; k <= shape.Count; ++k) out.push_back(GetWorldCircle(s, rec, k));
    return out;
}

double DistanceToCircles(const std::vector<Circle>& circles, double x, double y) {
    double best = std::numeric_limits<double>::infinity();
    for (const Circle& c : circles) best = std::min(best, std::hypot(x - c.X, y - c.Y) - c.Rad);
    return best;
}

ShapeMismatch CompareMask(const QImage& img, const TopView& v, const std::function<bool(int, int)>& drawn,
                          const std::function<double(double, double)>& distance, double tolerance) {
    ShapeMismatch m;
    for (int row = 0; row < img.height(); ++row) {
        for (int col = 0; col < img.width(); ++col) {
            const double d = distance(v.TableX(col), v.TableY(row));
            if (std::abs(d) <= tolerance) continue;
            const bool on = drawn(col, row);
            if (d < 0) {
                ++m.inside;
                if (!on) ++m.darkInside;
            } else if (on) {
                ++m.litOutside;
            }
        }
    }
    return m;
}

}  // namespace zel::test
