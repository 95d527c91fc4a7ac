#pragma once
#include "render/GlFunctions.h"

namespace zel::render {

struct ChannelLevels;

// Vertex attribute slots shared by the program and the vertex arrays.
enum GpuAttribute : GLuint {
    kAttrPosition = 0,
    kAttrNormal = 1,
    kAttrTexCoord = 2,
    kAttrColour = 3,
    kAttrEmissive = 4,
    kAttrInstanceRow0 = 5,  // three rows of the instance's 3x4 placement
    kAttrInstanceRow1 = 6,
    kAttrInstanceRow2 = 7,
    kAttrInstanceTint = 8,
};

// The one shading program of the scene: per-vertex (Gouraud) lighting by
// the ambient light and up to kMaxPointLights point lights, face colour
// times light plus emissive, times the texture in the textured variant,
// rounded to the levels of a 16- or 8-bit display mode when asked to. Owns the
// GL program; its uniform locations are looked up once here.
class GpuProgram {
public:
    // Compiles and links; throws RenderError ShaderFailed with the log.
    // `levels`: the variant that rounds to these levels per channel (all
    // zero: full colour, no rounding); `textured`: the variant that
    // multiplies by the texture on unit 0.
    GpuProgram(GlFunctions& gl, const ChannelLevels& levels, bool textured);
    ~GpuProgram();
    GpuProgram(const GpuProgram&) = delete;
    GpuProgram& operator=(const GpuProgram&) = delete;

    GLuint Id() const { return program_; }

    // Uniform locations (-1 when the driver dropped an unused one).
    struct Locations {
        GLint viewProjection = -1;  // mat4 scene -> clip
        GLint ambient = -1;         // vec3 sum of ambient lights
        GLint lightCount = -1;      // int number of point lights used
        GLint lightPosition = -1;   // vec3[] scene positions
        GLint lightColour = -1;     // vec3[] intensities
        GLint texture = -1;         // sampler2D on unit 0 (textured variant)
    };
    const Locations& Uniforms() const { return loc_; }

private:
    GlFunctions& gl_;    // the device's functions; the context outlives us
    GLuint program_ = 0; // the linked program
    Locations loc_;      // looked up after linking
};

}  // namespace zel::render
