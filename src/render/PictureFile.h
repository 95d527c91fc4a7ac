#pragma once
#include <QImage>
#include <QString>

namespace zel::render {

// Reads a picture file (GIF, BMP, PNG, JPEG through Qt's readers) for any
// screen or texture of the game. The size the file declares is checked
// before a single pixel is allocated: no side beyond kMaxPictureSide, no
// more than kMaxPicturePixels in all, and no more than the file's bytes can
// hold (MaxPicturePixelsFor), so a damaged or hostile header cannot make the
// game allocate gigabytes, nor a 70-byte file a hundred megabytes. A picture
// that cannot be used gives a null image and `error` says why (in Russian,
// with the reader's words).
inline constexpr int kMaxPictureSide = 8192;
inline constexpr long long kMaxPicturePixels = 16LL * 1024 * 1024;
// No format we read packs much more than a thousand pixels into one byte
// (deflate's best is 1032 to 1); a picture of up to a megapixel is always
// let through, whatever its file's size.
inline constexpr long long kMaxPixelsPerFileByte = 1100;
inline constexpr long long kAlwaysAllowedPixels = 1024LL * 1024;
// The most pixels a file of `fileBytes` may declare.
constexpr long long MaxPicturePixelsFor(long long fileBytes) {
    const long long byBytes = fileBytes > kMaxPicturePixels / kMaxPixelsPerFileByte
                                  ? kMaxPicturePixels
                                  : fileBytes * kMaxPixelsPerFileByte;
    const long long bound = byBytes > kAlwaysAllowedPixels ? byBytes : kAlwaysAllowedPixels;
    return bound < kMaxPicturePixels ? bound : kMaxPicturePixels;
}
QImage ReadPicture(const QString& path, QString& error);

}  // namespace zel::render
