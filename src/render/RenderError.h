#pragma once
#include <stdexcept>
#include <string>

namespace zel::render {

// The 3D layer's error numbers. The game's failure messages print the
// number, the description and the source, so each failure the layer can
// report has its own number here and nowhere else.
enum class RenderErrorCode : int {
    NoApplication = 1001,    // no Qt GUI application exists to own a context
    ContextFailed = 1002,    // the OpenGL 3.3 core context could not be created
    DisplayMode = 1003,      // width, height or colour depth not usable
    TargetFailed = 1004,     // the off-screen framebuffer could not be made
    ShaderFailed = 1005,     // the shading program did not compile or link
    NoDevice = 1006,         // an operation needs a device and there is none
    FileNotFound = 1010,     // a mesh or picture file does not exist
    BadMeshFile = 1011,      // the .x file could not be read as a mesh
    BadPicture = 1012,       // the picture file could not be read
    NoObject = 1020,         // a frame or mesh slot is empty
    BadArgument = 1021,      // a number out of range or not finite
    EmptyMesh = 1022,        // a bounding box of a mesh without vertices
    DivisionByZero = 1023,   // a scale derived from a zero extent
    Internal = 1099,         // anything else that went wrong (out of memory...)
};

// One failure of the 3D layer: the number and description the messages show,
// and the component that raised it (the "source").
struct RenderError : std::runtime_error {
    RenderError(RenderErrorCode code, std::string description, std::string source = "zelrender");

    RenderErrorCode Code;     // which failure
    int Number;               // the number shown to the user
    std::string Description;  // what went wrong, in the user's language
    std::string Source;       // the component that failed
};

}  // namespace zel::render
