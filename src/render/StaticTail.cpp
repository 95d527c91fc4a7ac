#include "render/StaticTail.h"

#include <algorithm>

namespace zel::render {

std::size_t StaticTail::Update(const Signature& frame, const std::vector<Signature>& batches) {
    const bool sameFrame = frame == frame_;
    std::vector<int> sameFor(batches.size(), 1);
    if (sameFrame) {
        // From the end: batch k from the end now against k from the end then.
        const std::size_t common = std::min(batches.size(), last_.size());
        for (std::size_t k = 1; k <= common; ++k) {
            const std::size_t now = batches.size() - k;
            const std::size_t then = last_.size() - k;
            if (batches[now] == last_[then]) sameFor[now] = std::min(sameFor_[then] + 1, kSettleFrames);
        }
    }
    frame_ = frame;
    last_ = batches;
    sameFor_ = std::move(sameFor);

    std::size_t tail = 0;
    while (tail < sameFor_.size() && sameFor_[sameFor_.size() - 1 - tail] >= kSettleFrames) ++tail;
    return tail;
}

void StaticTail::Reset() {
    frame_.clear();
    last_.clear();
    sameFor_.clear();
}

}  // namespace zel::render
