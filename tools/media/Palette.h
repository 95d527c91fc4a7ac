#pragma once
#include <cstdint>
#include <vector>

#include <QImage>

namespace zel::media {

// An 8-bit picture: up to 256 colours and one palette index per pixel, as
// a GIF file stores it.
struct IndexedPicture {
    int Width = 0;                      // pixels per row
    int Height = 0;                     // rows
    std::vector<QRgb> Colours;          // the palette, 1 to 256 entries
    std::vector<std::uint8_t> Indexes;  // Width * Height palette indexes, row by row
};

// Reduces a picture to at most 256 colours. A picture that has no more
// keeps its colours exactly; otherwise a median-cut palette of its
// colours (weighted by how often they occur), then every pixel mapped to
// the nearest palette colour with Floyd-Steinberg error diffusion, so
// gradients stay smooth. Alpha is ignored (the picture is flattened on
// black). The same picture always gives the same result.
IndexedPicture ReduceTo256Colours(const QImage& picture);

}  // namespace zel::media
