#include "render/SceneMessages.h"

#include "render/SceneTexts.h"

namespace zel::render {

std::string DeviceFailureMessage(const RenderError& e) {
    const std::string nl = kNewLine;
    return std::string(texts::kDeviceErrorStart) + std::to_string(e.Number) + " " + e.Description +
           texts::kDeviceErrorSourceSeparator + e.Source + texts::kDeviceErrorAdvice + nl + nl +
           texts::kDeviceErrorStep1 + nl + texts::kDeviceErrorStep2 + nl + texts::kDeviceErrorStep3 + nl + nl +
           texts::kDeviceErrorSupport;
}

std::string SceneFailureMessage(const RenderError& e) {
    return std::string(texts::kSceneErrorStart) + std::to_string(e.Number) + " " + e.Description +
           texts::kSceneErrorFiles + kNewLine + texts::kSceneErrorQuestion;
}

}  // namespace zel::render
