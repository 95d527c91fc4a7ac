#include <cstdlib>
#include <string>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include "GifWriter.h"
#include "frontend/SlideShowPlayer.h"
#include "base/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

QImage ReadGif(const std::string& bytes) {
    QByteArray data = QByteArray::fromStdString(bytes);
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "gif");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

TEST(MediaGif, PictureWithFewColoursReadsBackExactly) {
    // Scattered colours make long code runs rare, so the string table fills
    // and is cleared many times over.
    QImage picture(300, 211, QImage::Format_RGB32);
    std::uint32_t seed = 7;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int c = static_cast<int>(seed >> 24);
            picture.setPixel(x, y, qRgb(c, 255 - c, (c * 7) & 255));
        }
    const QImage back = ReadGif(media::EncodeGif(picture));
    ASSERT_EQ(back.size(), picture.size());
    EXPECT_EQ(back, picture);

    QImage two(5, 3, QImage::Format_RGB32);
    two.fill(qRgb(10, 20, 30));
    two.setPixel(4, 2, qRgb(200, 100, 0));
    EXPECT_EQ(ReadGif(media::EncodeGif(two)), two);
}

TEST(MediaGif, GradientKeepsItsColoursClose) {
    QImage picture(256, 160, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x, y, (x + y) / 2));
    const QImage back = ReadGif(media::EncodeGif(picture));
    ASSERT_EQ(back.size(), picture.size());
    double error = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb a = picture.pixel(x, y), b = back.pixel(x, y);
            error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                     std::abs(qBlue(a) - qBlue(b));
        }
    EXPECT_LT(error / (3.0 * picture.width() * picture.height()), 4.0);
}

// The generated show, played as the game plays it, with real pictures.
class PictureLoadingView : public SlideShowView {
public:
    int Shown = 0;
    int Menu = 0;
    int Armed = 0;
    bool ShowSlidePicture(const std::string& path, std::string& error) override {
        QImageReader reader(QString::fromStdString(path));
        if (reader.read().isNull()) {
            error = reader.errorString().toStdString();
            return false;
        }
        ++Shown;
        return true;
    }
    void ProcessEvents() override {}
    void ArmSlideTimer(int ms) override { Armed = ms; }
    void DisarmSlideTimer() override { Armed = 0; }
    void HideSlideBox() override {}
    void StopSound(int) override {}
    void ShowWaitingScreen(const std::string&) override {}
    void HandOverToMenu() override { ++Menu; }
};

TEST(MediaContent, GeneratedShowPlaysToItsEnd) {
    test::TempDir logDir;
    test::FakeDialogs dialogs;
    ErrorLog log(logDir.Path().string());
    PictureLoadingView view;
    SlideShowPlayer player(view, dialogs, log);
    player.StartMedia(ZEL_GAMEDATA_ROOT);
    for (int ticks = 0; ticks < 20 && view.Menu == 0; ++ticks) {
        ASSERT_GT(view.Armed, 0);
        player.SlideTimerTick();
    }
    EXPECT_GE(view.Shown, 3);
    EXPECT_EQ(view.Menu, 1);
    EXPECT_TRUE(dialogs.Messages.empty()) << dialogs.LastText();
}

TEST(MediaContent, PicturesNamedGifAreGifAndLoad) {
    for (const char* name : {"gamedata/zel2.gif", "gamedata/logo.gif", "gamedata/pic/smallgerb.gif",
                             "gamedata/pic/biggerb.gif", "gamedata/pic/korvalo2.png",
                             "gamedata/xron/xron0.gif", "gamedata/xron/xron1.gif",
                             "gamedata/xron/xron2.gif", "gamedata/xron/xron3.gif"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(ZEL_GAMEDATA_ROOT) + name;
        QImageReader reader(QString::fromStdString(path));
        const std::string format = reader.format().toStdString();
        EXPECT_EQ(format, std::string(name).substr(std::string(name).rfind('.') + 1));
        EXPECT_FALSE(reader.read().isNull());
    }
    for (const char* page : {"gamedata/help/index.html", "gamedata/help/links.htm", "gamedata/help/voc.htm",
                             "gamedata/xron/xron.dat"})
        EXPECT_TRUE(FileExists(std::string(ZEL_GAMEDATA_ROOT) + page)) << page;
}

}  // namespace
}  // namespace zel
