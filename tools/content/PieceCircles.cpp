#include "PieceCircles.h"

#include <utility>

namespace zel::content {
namespace {

constexpr double kVembaRadius = 20;
constexpr double kBodyRadius = 14;

}  // namespace

std::vector<PieceCircle> PieceCirclesOf(int model) {
    const double r = kVembaRadius;
    const double b = kBodyRadius;
    std::vector<PieceCircle> c;
    switch (model) {
        case 0:  // a round head with a tail circle behind it
            c = {{0, 0, r}, {0, -b, b}};
            break;
        case 1: {  // a body column and two fins
            for (int k = 10; k >= 1; --k) c.push_back({0, -b * (k / 10.0), b});
            c.push_back({0, 0, b});
            for (double side : {-1.0, 1.0}) {
                for (int k = 1; k <= 4; ++k) c.push_back({side * b * k / 5.0, b * k / 5.0, b * (5 - k) / 5.0});
            }
            break;
        }
        case 2:  // a round centre with four diagonal arms: a rounded square
            c.push_back({0, 0, r});
            for (auto [sx, sy] : {std::pair{-1.0, 1.0}, {1.0, 1.0}, {-1.0, -1.0}, {1.0, -1.0}}) {
                for (int k = 1; k <= 4; ++k) c.push_back({sx * r * k / 5.0, sy * r * k / 5.0, r * (5 - k) / 5.0});
            }
            break;
        case 3:  // a plain disc
            c = {{0, 0, r}};
            break;
        default:
            break;
    }
    return c;
}

}  // namespace zel::content
