#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include <QImage>

namespace zel::render {

// A picture to put on faces, held in main memory as 8-bit RGBA with its top
// row first. The GPU copy is made by the device when a face using it is
// drawn; the picture itself never changes after loading.
class Texture {
public:
    // Reads a .bmp (or any picture Qt's image readers know). Throws
    // RenderError FileNotFound or BadPicture.
    static std::shared_ptr<Texture> Load(const std::string& path);
    // A texture from pixels already in memory (tests, generated pictures).
    static std::shared_ptr<Texture> FromImage(const QImage& image);

    const QImage& Image() const { return image_; }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }

private:
    QImage image_;  // RGBA8888, top row first
};

}  // namespace zel::render
