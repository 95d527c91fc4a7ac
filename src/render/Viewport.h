#pragma once
#include <memory>

#include "render/SceneMath.h"

namespace zel::render {

class Frame;

// What a camera sees: the camera frame (looking along its z axis with its y
// axis up), the rectangle of the device's picture it fills, and the depth
// range between the front and back clipping distances.
class Viewport {
public:
    enum class Projection { Perspective, Orthographic };

    // Throws RenderError BadArgument for an empty rectangle or no camera.
    Viewport(std::shared_ptr<Frame> camera, int x, int y, int width, int height);

    const std::shared_ptr<Frame>& Camera() const { return camera_; }
    int X() const { return x_; }
    int Y() const { return y_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Distances must satisfy 0 < front < back (perspective) or front < back
    // (orthographic); throws RenderError BadArgument otherwise.
    void SetFront(double front);
    void SetBack(double back);
    double Front() const { return front_; }
    double Back() const { return back_; }
    // Perspective: half the picture's longer side at unit distance (0.5
    // gives about 53 degrees across). Orthographic: half the longer side in
    // scene units. Must be positive.
    void SetField(double field);
    double Field() const { return field_; }
    void SetProjection(Projection p) { projection_ = p; }
    Projection GetProjection() const { return projection_; }

    // Camera coordinates (x right, y up, z forward) of a scene point.
    Vec3 ToCamera(const Vec3& world) const;
    // Where a scene point lands in the viewport, in pixels from the
    // rectangle's top-left corner; false when it is behind the camera.
    bool Project(const Vec3& world, double& px, double& py) const;
    // The scene-to-clip matrix for the camera's current placement.
    GlMatrix ViewProjection() const;

private:
    void HalfExtents(double& hx, double& hy) const;

    std::shared_ptr<Frame> camera_;  // the eye
    int x_, y_, width_, height_;     // rectangle in device pixels
    double front_ = 1.0;             // nearest distance drawn
    double back_ = 100.0;            // farthest distance drawn
    double field_ = 0.5;             // see SetField
    Projection projection_ = Projection::Perspective;  // how depth shrinks the picture
};

}  // namespace zel::render
