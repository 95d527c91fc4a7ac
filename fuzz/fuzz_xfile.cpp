// Meshes (*.x) through the game's loader and the importer behind it.
#include "FuzzSupport.h"
#include "render/RenderError.h"
#include "render/XFileLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string path = zel::fuzz::WriteInput(zel::fuzz::Bytes(data, size), "input.x");
    try {
        (void)zel::render::LoadXFile(path);
    } catch (const zel::render::RenderError&) {
        // A refused file is the expected outcome for most inputs.
    }
    return 0;
}
