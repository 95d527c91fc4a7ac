#pragma once
#include <QImage>

namespace zel::media {

// gamedata/logo.gif: the game's logo for the about window, 220 by 130.
QImage PaintLogo();

// The club's coat of arms at `width` x `height`: a shield quartered in
// green and gold with a piece at its heart under a crown of three stars,
// and (when there is room) the ribbon "ВЕМБНЫЙ КЛУБ". The menu shows a
// thumbnail; the full-size picture is gamedata/pic/biggerb.gif.
QImage PaintCoatOfArms(int width, int height);

// The program's icon, `size` pixels square: two pieces on a round table.
QImage PaintIcon(int size);

}  // namespace zel::media
