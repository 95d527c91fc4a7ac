#pragma once
#include <QImage>
#include <QString>

namespace zel::render {

// Reads a picture file (GIF, BMP, PNG, JPEG through Qt's readers) for any
// screen or texture of the game. The size the file declares is checked
// before a single pixel is allocated: no side beyond kMaxPictureSide and no
// more than kMaxPicturePixels in all, so a damaged or hostile header cannot
// make the game allocate gigabytes. A picture that cannot be used gives a
// null image and `error` says why (in Russian, with the reader's words).
inline constexpr int kMaxPictureSide = 8192;
inline constexpr long long kMaxPicturePixels = 16LL * 1024 * 1024;
QImage ReadPicture(const QString& path, QString& error);

}  // namespace zel::render
