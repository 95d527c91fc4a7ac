#pragma once
#include <string>
#include <vector>

#include <QImage>

namespace zel::media {

// The opening slide show and the splash window's waiting picture.
inline constexpr int kSlideWidth = 640;
inline constexpr int kSlideHeight = 480;

// One slide: its picture file under gamedata/splash/ and its time on screen.
struct Slide {
    std::string FileName;  // relative to gamedata/splash/
    int Milliseconds;      // 1..32767
    QImage Picture;        // kSlideWidth x kSlideHeight
};

// The slides in showing order: the maker, the table, the strike, the title.
std::vector<Slide> MakeSlides();

// The script splash.qorbex for `slides`: the header "[MerovaneVistrel]",
// then each picture's name and time, every line ended by CR LF.
std::string SlideScript(const std::vector<Slide>& slides);

// gamedata/zel2.gif: the title over the table, with room at the bottom for
// the label "Подождите...".
QImage PaintWaitingPicture();

}  // namespace zel::media
