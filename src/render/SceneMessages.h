#pragma once
#include <string>

#include "core/SharedTexts.h"
#include "render/RenderError.h"

namespace zel::render {

// Lines of multi-line messages end in CR LF, as every message of the game.
using zel::texts::kNewLine;

// "DirectX вернул ошибку: <number> <description>; <source>. Для устранения..."
// with the three numbered steps and the support line.
std::string DeviceFailureMessage(const RenderError& e);

// "Ошибка при создании сцены: <number> <description>. Возможно ..." and the
// question whether to go on.
std::string SceneFailureMessage(const RenderError& e);

}  // namespace zel::render
