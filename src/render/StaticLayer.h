#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "render/GlFunctions.h"
#include "render/StaticTail.h"

namespace zel::render {

class MeshBuilder;

// The kept end of the draw order (see StaticTail): the picture and depths
// the room and the table leave behind, drawn once and copied into the
// picture at the start of each frame that has them unchanged. A frame from
// the layer is the frame drawn in full, pixel for pixel:
//  - the layer is cleared and drawn exactly as the picture would be;
//  - the batches drawn after the copy come earlier in the draw order, so at
//    equal depth they must win over the kept ones, as they did when drawn
//    first. Sealing moves every depth the kept batches wrote one step
//    farther (24-bit steps), so "nearer than the kept depth" of the depth
//    test becomes "no farther than the depth the kept batch drew".
// Owns its framebuffer and textures; the context must be current when it
// is used or destroyed.
class StaticLayer {
public:
    // Throws RenderError TargetFailed when the framebuffer is incomplete.
    StaticLayer(GlFunctions& gl, int width, int height);
    ~StaticLayer();
    StaticLayer(const StaticLayer&) = delete;
    StaticLayer& operator=(const StaticLayer&) = delete;

    // Whether the layer holds the batches of `key` drawn from `meshes`
    // (each still alive: a freed mesh's address may come back as another).
    bool Holds(const Signature& key, const std::vector<std::shared_ptr<MeshBuilder>>& meshes) const;
    // Binds the layer to be drawn into; what it held is forgotten.
    void BeginDrawing();
    // After drawing into the rectangle (OpenGL rows, bottom first): moves
    // its depths as above and remembers what it now holds.
    void Seal(int x, int y, int w, int h, Signature key, const std::vector<std::shared_ptr<MeshBuilder>>& meshes);
    // Copies the rectangle's colours and depths into framebuffer `target`
    // (same size, same formats).
    void CopyTo(GLuint target, int x, int y, int w, int h) const;

private:
    GlFunctions& gl_;                              // the device's functions
    GLuint fbo_ = 0;                               // the framebuffer
    GLuint colour_ = 0;                            // its colour texture
    GLuint depth_ = 0;                             // its depth texture (written back when sealing)
    Signature key_;                                // what it holds; empty: nothing
    std::vector<std::weak_ptr<MeshBuilder>> meshes_;  // the meshes it was drawn from
    std::vector<std::uint32_t> depths_;            // sealing's buffer, kept between seals
};

// One 24-bit depth step farther, as glReadPixels gives depth in 32 bits and
// glTexSubImage takes it back (the 24-bit value in the top bits, repeated
// below): the cleared far value stays as it is.
std::uint32_t OneDepthStepFarther(std::uint32_t depth32);

}  // namespace zel::render
