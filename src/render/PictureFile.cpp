#include "render/PictureFile.h"

#include <QFileInfo>
#include <QImageReader>

namespace zel::render {

QImage ReadPicture(const QString& path, QString& error) {
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral("рисунок не найден: ") + path;
        return {};
    }
    QImageReader reader(path);
    const QSize size = reader.size();
    // A reader that cannot tell the size first is held by Qt's own
    // allocation limit instead.
    if (size.isValid() &&
        (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
         static_cast<long long>(size.width()) * size.height() > kMaxPicturePixels)) {
        error = QStringLiteral("слишком большой рисунок: ") + path;
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        error = QStringLiteral("рисунок не читается: ") + path + " (" + reader.errorString() + ")";
        return {};
    }
    if (static_cast<long long>(image.width()) * image.height() > kMaxPicturePixels) {
        error = QStringLiteral("слишком большой рисунок: ") + path;
        return {};
    }
    return image;
}

}  // namespace zel::render
