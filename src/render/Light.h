#pragma once
#include <memory>

#include "render/Colour.h"

namespace zel::render {

// A light added to a frame. Ambient light lights every face alike; a point
// light shines from its frame's origin in all directions without falling off
// with distance, and lights each vertex by the cosine between its normal and
// the direction to the light (Gouraud shading interpolates the result).
class Light {
public:
    enum class Kind { Ambient, Point };

    static std::shared_ptr<Light> CreateAmbient(const Colour& colour) {
        return std::make_shared<Light>(Kind::Ambient, colour);
    }
    static std::shared_ptr<Light> CreatePoint(const Colour& colour) {
        return std::make_shared<Light>(Kind::Point, colour);
    }

    Light(Kind kind, const Colour& colour) : kind_(kind), colour_(colour) {}
    Kind GetKind() const { return kind_; }
    const Colour& GetColour() const { return colour_; }
    void SetColour(const Colour& colour) { colour_ = colour; }

private:
    Kind kind_;       // how the light reaches a face
    Colour colour_;   // its intensity per channel
};

}  // namespace zel::render
