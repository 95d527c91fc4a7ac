#include "render/DetailLevel.h"

#include <algorithm>
#include <cmath>

#include "render/MeshBuilder.h"

namespace zel::render {

double BoundingRadius(const MeshBuilder& mesh) {
    double r = 0;
    for (const Vec3& v : mesh.Vertices()) r = std::max(r, Length(v));
    return r;
}

double LargestScreenRadius(const GlMatrix& vp, int width, int height, const std::vector<DrawInstance>& instances,
                           double meshRadius) {
    // Column-major: row i of the matrix is vp[i], vp[4 + i], vp[8 + i], vp[12 + i].
    auto rowLength = [&](int i) { return std::hypot(vp[i], vp[4 + i], vp[8 + i]); };
    // Pixels per scene unit across the line of sight, times w.
    const double across = std::max(rowLength(0) * width / 2.0, rowLength(1) * height / 2.0);
    double largest = 0;
    for (const DrawInstance& d : instances) {
        const double x = d.rows[3], y = d.rows[7], z = d.rows[11];
        const double w = vp[3] * x + vp[7] * y + vp[11] * z + vp[15];
        if (!(w > 0)) continue;
        // The copy's even scale is the length of any row of its rotation.
        const double scale = std::hypot(d.rows[0], d.rows[1], d.rows[2]);
        largest = std::max(largest, meshRadius * scale * across / w);
    }
    return largest;
}

const std::shared_ptr<MeshBuilder>& MeshToDraw(const DrawBatch& batch, const GlMatrix& vp, int width, int height) {
    if (!batch.distant || !batch.mesh) return batch.mesh;
    const double radius = LargestScreenRadius(vp, width, height, batch.instances, BoundingRadius(*batch.mesh));
    return radius < batch.distantBelowPixels ? batch.distant : batch.mesh;
}

}  // namespace zel::render
