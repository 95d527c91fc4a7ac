#pragma once
#include <string>

#include <QImage>

#include "Palette.h"

namespace zel::media {

// A GIF89a file of one picture: the palette as its global colour table
// (padded to a power of two), LZW-compressed pixel indexes, no
// transparency, no animation. Qt reads GIF but cannot write it; the game's
// pictures named .gif are written by this.
std::string EncodeGif(const IndexedPicture& picture);

// The picture reduced to 256 colours (ReduceTo256Colours) and encoded.
std::string EncodeGif(const QImage& picture);

}  // namespace zel::media
