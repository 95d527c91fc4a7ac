#pragma once
#include <QOpenGLFunctions_3_3_Core>

namespace zel::render {

// The OpenGL entry points the device uses: the 3.3 core profile, which has
// everything the scene needs (vertex arrays, instancing, framebuffers).
using GlFunctions = QOpenGLFunctions_3_3_Core;

}  // namespace zel::render
