#include <cmath>

#include <gtest/gtest.h>

#include "render/DetailLevel.h"
#include "render/GameDataFiles.h"
#include "render/LowDetailSphere.h"
#include "render/MeshBuilder.h"
#include "render/RenderError.h"

namespace zel::render {
namespace {

std::shared_ptr<MeshBuilder> LabelBall() {
    auto ball = MeshBuilder::Create();
    ball->LoadX(std::string(ZEL_TEST_APP_PATH) + files::kAimMarker);
    return ball;
}

// Whether (b - a) x (c - a), the front side of a face, points away from the
// mesh's origin.
bool FacesOutward(const MeshBuilder& m, const MeshFace& f) {
    const auto& v = m.Vertices();
    const Vec3& a = v[static_cast<std::size_t>(f.corners[0].vertex)];
    const Vec3& b = v[static_cast<std::size_t>(f.corners[1].vertex)];
    const Vec3& c = v[static_cast<std::size_t>(f.corners[2].vertex)];
    return Dot(Cross(b - a, c - a), a + b + c) > 0;
}

// The stand-in for the label ball: eight faces shown from outside as the
// ball's are, lit like a ball (normals straight out), in the ball's colour,
// and on average as large on the screen (equal surface areas).
TEST(LowDetailSphere, LooksLikeTheBallOnAverageWithEightOutwardFaces) {
    const auto ball = LabelBall();
    ASSERT_GT(ball->FaceCount(), 8);
    for (const MeshFace& f : ball->Faces()) ASSERT_TRUE(FacesOutward(*ball, f));

    const auto far = LowDetailSphere(*ball);
    EXPECT_EQ(far->FaceCount(), 8);
    EXPECT_EQ(far->Vertices().size(), 6u);
    EXPECT_NEAR(SurfaceArea(*far), SurfaceArea(*ball), 1e-9 * SurfaceArea(*ball));
    const Colour& want = ball->Faces().front().colour;
    for (const MeshFace& f : far->Faces()) {
        EXPECT_TRUE(FacesOutward(*far, f));
        EXPECT_EQ(f.colour.r, want.r);
        EXPECT_EQ(f.colour.g, want.g);
        EXPECT_EQ(f.colour.b, want.b);
        for (const FaceCorner& c : f.corners) {
            const Vec3 out = Normalized(far->Vertices()[static_cast<std::size_t>(c.vertex)]);
            EXPECT_NEAR(Dot(c.normal, out), 1.0, 1e-12);
        }
    }
    // Sized to the ball, not to a unit sphere: the ball's corners are 2
    // units out, the octahedron's a little farther so its flat faces cover
    // as much.
    EXPECT_GT(BoundingRadius(*far), BoundingRadius(*ball));
    EXPECT_LT(BoundingRadius(*far), 1.25 * BoundingRadius(*ball));

    EXPECT_THROW(LowDetailSphere(*MeshBuilder::Create()), RenderError);
}

// A camera looking down +z with w = z: a copy at distance z of radius r is
// r * 100 / z pixels in a 200-pixel-high viewport.
GlMatrix LookingDownZ() {
    GlMatrix m{};
    m[0] = 1;   // x
    m[5] = 1;   // y
    m[10] = 1;  // depth
    m[11] = 1;  // w = z
    return m;
}

DrawInstance At(double z, double scale = 1) {
    DrawInstance d;
    d.rows = {static_cast<float>(scale), 0, 0, 0, 0, static_cast<float>(scale), 0, 0, 0, 0, static_cast<float>(scale),
              static_cast<float>(z)};
    return d;
}

DrawBatch DotBatch(std::vector<DrawInstance> copies) {
    DrawBatch b;
    b.mesh = MeshBuilder::Create();
    b.mesh->AddVertex({1, 0, 0});  // radius 1
    b.distant = MeshBuilder::Create();
    b.distantBelowPixels = 3;
    b.instances = std::move(copies);
    return b;
}

// One choice per batch, made by the copy largest on the screen: a single
// dot close to the camera brings the full mesh back for all of them.
TEST(DetailLevel, TheLargestCopyOnTheScreenDecidesForTheWholeBatch) {
    const GlMatrix vp = LookingDownZ();
    DrawBatch b = DotBatch({At(100), At(50), At(80)});
    EXPECT_DOUBLE_EQ(LargestScreenRadius(vp, 200, 200, b.instances, 1), 2.0);
    EXPECT_EQ(MeshToDraw(b, vp, 200, 200), b.distant);

    b.instances.push_back(At(20));  // 5 pixels
    EXPECT_EQ(MeshToDraw(b, vp, 200, 200), b.mesh);
    // Each copy's own scale counts.
    b.instances = {At(100, 2)};
    EXPECT_DOUBLE_EQ(LargestScreenRadius(vp, 200, 200, b.instances, 1), 2.0);
    b.instances = {At(100, 4)};
    EXPECT_EQ(MeshToDraw(b, vp, 200, 200), b.mesh);
    // A bigger viewport shows the same copy bigger.
    b.instances = {At(50)};
    EXPECT_EQ(MeshToDraw(b, vp, 200, 200), b.distant);
    EXPECT_EQ(MeshToDraw(b, vp, 400, 400), b.mesh);
}

// Copies at or behind the eye are never seen and do not count; a batch
// without a stand-in keeps its own mesh however small its copies are.
TEST(DetailLevel, UnseenCopiesDoNotCountAndABatchWithoutStandInKeepsItsMesh) {
    const GlMatrix vp = LookingDownZ();
    DrawBatch b = DotBatch({At(100), At(-1), At(0)});
    EXPECT_DOUBLE_EQ(LargestScreenRadius(vp, 200, 200, b.instances, 1), 1.0);
    EXPECT_EQ(MeshToDraw(b, vp, 200, 200), b.distant);

    b.distant.reset();
    EXPECT_EQ(MeshToDraw(b, vp, 200, 200), b.mesh);
}

}  // namespace
}  // namespace zel::render
