#include "render/Texture.h"

#include <filesystem>


#include "render/PictureFile.h"
#include "render/RenderError.h"

namespace zel::render {

namespace {
// Pictures beyond this size are refused rather than read: no game texture
// comes close, and a damaged header must not make us allocate gigabytes.
constexpr int kMaxTextureSide = kMaxPictureSide;
}  // namespace

std::shared_ptr<Texture> Texture::Load(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::u8path(path), ec)) {
        throw RenderError(RenderErrorCode::FileNotFound, "файл не найден: " + path);
    }
    QString error;
    const QImage image = ReadPicture(QString::fromStdString(path), error);
    if (image.isNull()) throw RenderError(RenderErrorCode::BadPicture, error.toStdString());
    return FromImage(image);
}

std::shared_ptr<Texture> Texture::FromImage(const QImage& image) {
    if (image.isNull() || image.width() > kMaxTextureSide || image.height() > kMaxTextureSide) {
        throw RenderError(RenderErrorCode::BadPicture, "рисунок пуст или слишком велик");
    }
    auto t = std::make_shared<Texture>();
    t->image_ = image.convertToFormat(QImage::Format_RGBA8888);
    return t;
}

}  // namespace zel::render
