#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zel::render {

// What a frame or a batch looked like, as bytes: two equal signatures draw
// the same pixels.
using Signature = std::vector<std::uint8_t>;

// Appends the bytes of a plain value to a signature.
template <typename T>
void AddToSignature(Signature& s, const T& value) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
    s.insert(s.end(), p, p + sizeof(T));
}

// Which end of the draw order can be kept from one frame to the next. The
// batches drawn last are the room and the table, drawn after everything
// standing on them; they fill most of the picture and do not change while
// the pieces move, so the device keeps their pixels and depths in a layer
// of their own and starts each frame from it (StaticLayer).
//
// Each frame the device gives the signature of the frame as a whole
// (camera, viewport, clear colour, lights, picture options) and of every
// batch in draw order. Batches are matched from the end of the order, so a
// batch appearing or going at the front moves nothing. The answer is how
// many batches at the end have stayed the same for kSettleFrames frames
// running under an unchanged frame: a batch that changed recently is
// likely to change again, and rebuilding the layer costs more than a frame
// drawn in full.
class StaticTail {
public:
    static constexpr int kSettleFrames = 3;

    std::size_t Update(const Signature& frame, const std::vector<Signature>& batches);
    // Forgets everything: the next frames start settling afresh.
    void Reset();

private:
    Signature frame_;                // the last frame's own signature
    std::vector<Signature> last_;    // the last frame's batches, draw order
    std::vector<int> sameFor_;       // frames each of them has stayed the same
};

}  // namespace zel::render
