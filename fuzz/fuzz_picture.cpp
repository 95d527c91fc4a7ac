// Pictures (GIF, BMP, PNG, JPEG) as the screens and the textures read them.
#include <QCoreApplication>
#include <QString>

#include "FuzzSupport.h"
#include "render/PictureFile.h"
#include "render/RenderError.h"
#include "render/Texture.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The picture formats are plug-ins, found through the application object.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string path = zel::fuzz::WriteInput(zel::fuzz::Bytes(data, size), "input.gif");
    QString error;
    const QImage image = zel::render::ReadPicture(QString::fromStdString(path), error);
    if (image.isNull()) return 0;
    try {
        (void)zel::render::Texture::FromImage(image);
    } catch (const zel::render::RenderError&) {
    }
    return 0;
}
