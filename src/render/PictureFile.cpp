#include "render/PictureFile.h"

#include <QFileInfo>
#include <QImageReader>

namespace zel::render {

QImage ReadPicture(const QString& path, QString& error) {
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral("рисунок не найден: ") + path;
        return {};
    }
    const long long maxPixels = MaxPicturePixelsFor(QFileInfo(path).size());
    QImageReader reader(path);
    // A reader that cannot tell the size first (Qt's BMP reader on some
    // damaged headers) is held by the allocation limit instead: four bytes a
    // pixel, in whole megabytes.
    reader.setAllocationLimit(static_cast<int>((maxPixels * 4 + (1 << 20) - 1) >> 20));
    const QSize size = reader.size();
    if (size.isValid() &&
        (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
         static_cast<long long>(size.width()) * size.height() > maxPixels)) {
        error = QStringLiteral("слишком большой рисунок: ") + path;
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        error = QStringLiteral("рисунок не читается: ") + path + " (" + reader.errorString() + ")";
        return {};
    }
    if (static_cast<long long>(image.width()) * image.height() > maxPixels) {
        error = QStringLiteral("слишком большой рисунок: ") + path;
        return {};
    }
    return image;
}

}  // namespace zel::render
