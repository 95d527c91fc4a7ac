#include "render/GpuProgram.h"

#include <string>

#include "render/ColourDepth.h"
#include "render/DrawList.h"
#include "render/RenderError.h"
#include "render/ShaderCompile.h"

namespace zel::render {

namespace {

const char* const kVertexBody = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aTexCoord;
layout(location = 3) in vec4 aColour;
layout(location = 4) in vec3 aEmissive;
layout(location = 5) in vec4 aRow0;
layout(location = 6) in vec4 aRow1;
layout(location = 7) in vec4 aRow2;
layout(location = 8) in vec4 aTint;

uniform mat4 uViewProjection;
uniform vec3 uAmbient;
uniform int uLightCount;
uniform vec3 uLightPosition[MAX_LIGHTS];
uniform vec3 uLightColour[MAX_LIGHTS];

out vec4 vColour;
out vec2 vTexCoord;

void main() {
    vec4 p = vec4(aPosition, 1.0);
    vec3 world = vec3(dot(aRow0, p), dot(aRow1, p), dot(aRow2, p));
    vec3 n = vec3(dot(aRow0.xyz, aNormal), dot(aRow1.xyz, aNormal), dot(aRow2.xyz, aNormal));
    float len = length(n);
    n = len > 0.0 ? n / len : vec3(0.0);
    vec3 light = uAmbient;
    for (int i = 0; i < uLightCount; ++i) {
        vec3 toLight = uLightPosition[i] - world;
        float d = length(toLight);
        float lambert = d > 0.0 ? max(dot(n, toLight / d), 0.0) : 0.0;
        light += uLightColour[i] * lambert;
    }
    vec4 base = aColour * aTint;
    vColour = vec4(clamp(base.rgb * light + aEmissive, 0.0, 1.0), base.a);
    vTexCoord = aTexCoord;
    gl_Position = uViewProjection * vec4(world, 1.0);
}
)";

// Textured and untextured faces have programs of their own: a software
// rasteriser may run both sides of a branch on a uniform, so one program
// with a texture switch would sample a texture for every fragment of the
// room's plain floor and ceiling and of the pieces too.
//
// The colour-depth rounding of the 16- and 8-bit modes is done here, on each
// fragment as it is written, so the picture needs no pass of its own: the
// same nearest-level rounding as the CPU quantiser (ColourDepth), with the
// levels compiled in. Its whole-number divisions are written as floors of
// products that give exactly the same numbers (see Quantise): two float
// multiply-adds and floors per channel, about a millisecond of an 8-bit
// scene drawn in full on a software rasteriser, where the integer
// divisions took 40 % more. Only the rounding variant has it: a software
// rasteriser runs a branch on a uniform for every fragment whichever way it
// goes.
const char* const kFragmentBody = R"(
in vec4 vColour;
in vec2 vTexCoord;
#ifdef TEXTURED
uniform sampler2D uTexture;
#endif
out vec4 fragColour;

#ifdef QUANTISE
vec3 Quantise(vec3 c) {
    const vec3 top = vec3(TOP_RED, TOP_GREEN, TOP_BLUE);  // levels - 1
    // The 8-bit value the colour buffer would store: nearest, a tie to even.
    // (Perspective interpolation across a huge clipped face, the room's, can
    // step a little outside 0..1, hence the clamp.)
    vec3 v = roundEven(clamp(c, 0.0, 1.0) * 255.0);
    // The CPU's level (v * top + 127) / 255 in whole numbers is
    // floor((v * top + 127.5) / 255): no whole number lies between the two
    // sums. That quotient is at least 0.5 / 255 away from a whole number,
    // far beyond any float rounding, so the floor is exact.
    vec3 level = floor(v * (top / 255.0) + 0.5);
    // The CPU's shown value (level * 255 + top / 2) / top is
    // floor(level * 255 / top + 0.5) for odd top (levels are powers of two),
    // exact for the same reason.
    return floor(level * (255.0 / top) + 0.5) * (1.0 / 255.0);
}
#endif

void main() {
    vec4 c = vColour;
#ifdef TEXTURED
    c *= texture(uTexture, vTexCoord);
#endif
#ifdef QUANTISE
    c.rgb = Quantise(c.rgb);
#endif
    fragColour = c;
}
)";

}  // namespace

GpuProgram::GpuProgram(GlFunctions& gl, const ChannelLevels& levels, bool textured) : gl_(gl) {
    const std::string vertex =
        "#version 330 core\n#define MAX_LIGHTS " + std::to_string(kMaxPointLights) + "\n" + kVertexBody;
    const GLuint vs = CompileShader(gl_, GL_VERTEX_SHADER, vertex.c_str(), "шейдер");
    GLuint fs = 0;
    try {
        std::string fragment = "#version 330 core\n";
        if (levels.Red != 0) {
            fragment += "#define QUANTISE\n#define TOP_RED " + std::to_string(levels.Red - 1) +
                        ".0\n#define TOP_GREEN " + std::to_string(levels.Green - 1) + ".0\n#define TOP_BLUE " +
                        std::to_string(levels.Blue - 1) + ".0\n";
        }
        if (textured) fragment += "#define TEXTURED\n";
        fragment += kFragmentBody;
        fs = CompileShader(gl_, GL_FRAGMENT_SHADER, fragment.c_str(), "шейдер");
    } catch (...) {
        gl_.glDeleteShader(vs);
        throw;
    }
    program_ = gl_.glCreateProgram();
    gl_.glAttachShader(program_, vs);
    gl_.glAttachShader(program_, fs);
    gl_.glLinkProgram(program_);
    gl_.glDeleteShader(vs);
    gl_.glDeleteShader(fs);
    GLint ok = 0;
    gl_.glGetProgramiv(program_, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        gl_.glGetProgramInfoLog(program_, sizeof log - 1, nullptr, log);
        gl_.glDeleteProgram(program_);
        throw RenderError(RenderErrorCode::ShaderFailed, std::string("шейдер не связан: ") + log, "OpenGL");
    }
    loc_.viewProjection = gl_.glGetUniformLocation(program_, "uViewProjection");
    loc_.ambient = gl_.glGetUniformLocation(program_, "uAmbient");
    loc_.lightCount = gl_.glGetUniformLocation(program_, "uLightCount");
    loc_.lightPosition = gl_.glGetUniformLocation(program_, "uLightPosition");
    loc_.lightColour = gl_.glGetUniformLocation(program_, "uLightColour");
    loc_.texture = gl_.glGetUniformLocation(program_, "uTexture");
}

GpuProgram::~GpuProgram() {
    if (program_) gl_.glDeleteProgram(program_);
}

}  // namespace zel::render
