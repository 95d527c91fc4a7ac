#include "MediaFiles.h"

#include <QBuffer>
#include <QByteArray>

#include "ChroniclePictures.h"
#include "Emblems.h"
#include "GifWriter.h"
#include "SplashSlides.h"

namespace zel::media {
namespace {

std::string Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

}  // namespace

std::vector<MediaFile> MakeMediaFiles() {
    std::vector<MediaFile> files;
    const std::vector<Slide> slides = MakeSlides();
    files.push_back({"gamedata/splash/splash.qorbex", SlideScript(slides)});
    for (const Slide& s : slides) files.push_back({"gamedata/splash/" + s.FileName, Png(s.Picture)});
    files.push_back({"gamedata/zel2.gif", EncodeGif(PaintWaitingPicture())});
    files.push_back({"gamedata/logo.gif", EncodeGif(PaintLogo())});
    files.push_back({"gamedata/pic/smallgerb.gif", EncodeGif(PaintCoatOfArms(96, 112))});
    files.push_back({"gamedata/pic/biggerb.gif", EncodeGif(PaintCoatOfArms(360, 420))});
    files.push_back({"gamedata/pic/korvalo2.png", Png(PaintIcon(256))});
    for (int period = 0; period < 4; ++period)
        files.push_back({"gamedata/xron/xron" + std::to_string(period) + ".gif",
                         EncodeGif(PaintPeriodPicture(period))});
    return files;
}

}  // namespace zel::media
