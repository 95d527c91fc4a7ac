#include "render/IndexedGeometry.h"

#include <array>
#include <cstring>
#include <unordered_map>

namespace zel::render {

namespace {

using VertexBits = std::array<std::uint32_t, kGeometryStride>;

// FNV-1a over the vertex's bits: equal bits, equal hash.
struct VertexHash {
    std::size_t operator()(const VertexBits& v) const {
        std::uint64_t h = 1469598103934665603ull;
        for (std::uint32_t w : v) {
            h ^= w;
            h *= 1099511628211ull;
        }
        return static_cast<std::size_t>(h);
    }
};

}  // namespace

IndexedGeometry IndexGeometry(const MeshGeometry& geometry) {
    IndexedGeometry out;
    out.parts = geometry.parts;
    const int corners = geometry.VertexCount();
    out.indices.reserve(static_cast<std::size_t>(corners));
    std::unordered_map<VertexBits, std::uint32_t, VertexHash> seen;
    seen.reserve(static_cast<std::size_t>(corners));
    for (int i = 0; i < corners; ++i) {
        const float* v = geometry.vertexData.data() + static_cast<std::size_t>(i) * kGeometryStride;
        VertexBits bits;
        std::memcpy(bits.data(), v, sizeof bits);
        const auto next = static_cast<std::uint32_t>(out.VertexCount());
        const auto [it, added] = seen.try_emplace(bits, next);
        if (added) out.vertexData.insert(out.vertexData.end(), v, v + kGeometryStride);
        out.indices.push_back(it->second);
    }
    return out;
}

}  // namespace zel::render
