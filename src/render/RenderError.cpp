#include "render/RenderError.h"

#include <utility>

namespace zel::render {

RenderError::RenderError(RenderErrorCode code, std::string description, std::string source)
    : std::runtime_error(description),
      Code(code),
      Number(static_cast<int>(code)),
      Description(std::move(description)),
      Source(std::move(source)) {}

}  // namespace zel::render
