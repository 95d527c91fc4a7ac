#pragma once
#include <QImage>

namespace zel::media {

// The chronicle's pictures of the four school years, gamedata/xron/xron0.gif
// to xron3.gif, each kPeriodPictureWidth x kPeriodPictureHeight:
//  0 (1997-1998) a school desk with cloakroom number tokens, the first pieces;
//  1 (1998-1999) the football variant: a coin between two erasers, a cracked token;
//  2 (1999-2000) the wall variant: the desk pushed against a brick wall;
//  3 (2000-2001) the club's own plastic pieces, each of its colour, under a star.
inline constexpr int kPeriodPictureWidth = 320;
inline constexpr int kPeriodPictureHeight = 240;

QImage PaintPeriodPicture(int period);

}  // namespace zel::media
