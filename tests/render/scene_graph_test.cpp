#include <cmath>

#include <gtest/gtest.h>

#include "core/MatchState.h"
#include "physics/Contact.h"
#include "physics/Shapes.h"
#include "render/DrawList.h"
#include "render/Frame.h"
#include "render/InstancedVisual.h"
#include "render/Light.h"
#include "render/MeshBuilder.h"

namespace zel::render {
namespace {

void ExpectNear(const Vec3& a, const Vec3& b, double tol = 1e-9) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

std::shared_ptr<MeshBuilder> Triangle() {
    auto m = MeshBuilder::Create();
    const int a = m->AddVertex({0, 0, 0});
    const int b = m->AddVertex({0, 1, 0});
    const int c = m->AddVertex({1, 0, 0});
    m->AddFace({a, b, c}, {1, 1, 1, 1});
    return m;
}

// A piece frame turned by Phi and placed at the record must carry every
// shape circle's centre (mesh point (cx, 0, -cy) at mesh scale 0.1) to the
// scene point of the circle the physics computes.
TEST(RenderFrame, TurningByHeadingCarriesShapeCirclesWhereThePhysicsHasThem) {
    MatchState s;
    s.Shapes = InitShapes(20, 14, 11);
    VembaRecord rec;
    rec.RMod = 2;
    rec.Xpos = 123.5;
    rec.Ypos = 77.25;
    auto root = Frame::Create(nullptr);
    auto piece = Frame::Create(root);
    for (double phi : {0.0, 0.3, 1.5707963267948966, 2.8, -2.2, 31.0}) {
        rec.Phi = phi;
        piece->SetRotation({0, 1, 0}, phi);
        piece->SetPosition(root.get(), {rec.Xpos / 10, 0, -rec.Ypos / 10});
        const auto& shape = s.Shapes[2];
        for (int k = 1; k <= shape.Count; ++k) {
            const Circle& local = shape.Circles[static_cast<std::size_t>(k)];
            const Vec3 scene = piece->World().Apply({local.X * 0.1, 0, -local.Y * 0.1});
            const Circle world = GetWorldCircle(s, rec, k);
            EXPECT_NEAR(scene.x, world.X / 10, 1e-9) << "phi " << phi << " slot " << k;
            EXPECT_NEAR(scene.z, -world.Y / 10, 1e-9) << "phi " << phi << " slot " << k;
        }
    }
}

TEST(RenderFrame, PositionIsGivenInTheReferenceFramesCoordinates) {
    auto root = Frame::Create(nullptr);
    auto turned = Frame::Create(root);
    turned->SetRotation({0, 1, 0}, std::acos(-1.0) / 2);  // its x axis is the scene's -z
    turned->SetPosition(nullptr, {10, 0, 0});
    auto child = Frame::Create(turned);
    auto other = Frame::Create(root);

    // Null reference: relative to the parent.
    child->SetPosition(nullptr, {1, 2, 3});
    ExpectNear(child->Local().position, {1, 2, 3});
    ExpectNear(child->World().position, {10 + 3, 2, -1});

    // Another frame's coordinates: the same scene point whatever the parent.
    other->SetPosition(turned.get(), {1, 0, 0});
    ExpectNear(other->World().position, {10, 0, -1});
    child->SetPosition(root.get(), {5, 6, 7});
    ExpectNear(child->World().position, {5, 6, 7});
    ExpectNear(child->Position(root.get()), {5, 6, 7});
}

TEST(RenderFrame, RotationReplacesTheOldOneAndKeepsThePosition) {
    auto root = Frame::Create(nullptr);
    auto f = Frame::Create(root);
    f->SetPosition(nullptr, {4, 5, 6});
    f->SetRotation({0, 1, 0}, 1.0);
    f->SetRotation({0, 1, 0}, 0.25);
    ExpectNear(f->World().position, {4, 5, 6});
    ExpectNear(f->World().rotation.Column(0), {std::cos(0.25), 0, -std::sin(0.25)});

    // Adding turns further, about the frame's own axis.
    f->AddRotation({0, 1, 0}, 0.5);
    ExpectNear(f->World().rotation.Column(0), {std::cos(0.75), 0, -std::sin(0.75)});
    ExpectNear(f->World().position, {4, 5, 6});
}

TEST(RenderFrame, LookAtAimsTheZAxisWithoutRoll) {
    auto root = Frame::Create(nullptr);
    auto camera = Frame::Create(root);
    auto target = Frame::Create(root);
    camera->SetPosition(nullptr, {-40, 20, -10});
    target->SetPosition(nullptr, {30, -2, -20});
    camera->LookAt(*target, nullptr);
    const Mat3 r = camera->World().rotation;
    const Vec3 toTarget = Normalized(Vec3{70, -22, -10});
    ExpectNear(r.Column(2), toTarget);
    EXPECT_NEAR(r.Column(0).y, 0, 1e-12);  // the picture's horizon stays level
    EXPECT_GT(r.Column(1).y, 0);           // and the picture's top is up

    // Straight down and onto itself: defined orientations, no NaN.
    camera->SetPosition(nullptr, {30, 50, -20});
    camera->LookAt(*target, nullptr);
    for (int c = 0; c < 3; ++c) {
        const Vec3 axis = camera->World().rotation.Column(c);
        EXPECT_NEAR(Length(axis), 1, 1e-12);
    }
    const Mat3 before = camera->World().rotation;
    camera->SetPosition(nullptr, {30, -2, -20});
    camera->LookAt(*target, nullptr);
    EXPECT_EQ(camera->World().rotation.m, before.m);
}

TEST(RenderFrame, ChildOfAReleasedParentActsAsRoot) {
    auto root = Frame::Create(nullptr);
    auto parent = Frame::Create(root);
    parent->SetPosition(nullptr, {1, 1, 1});
    auto child = Frame::Create(parent);
    child->SetPosition(nullptr, {2, 0, 0});
    root.reset();
    parent.reset();
    ExpectNear(child->World().position, {2, 0, 0});
    child->SetPosition(child.get(), {1, 0, 0});
    ExpectNear(child->World().position, {3, 0, 0});
}

TEST(RenderFrame, VisualAttachedTwiceIsShownOnceAndDetachingAbsentOnesIsHarmless) {
    auto root = Frame::Create(nullptr);
    auto mesh = Triangle();
    root->AddVisual(mesh);
    root->AddVisual(mesh);
    EXPECT_EQ(root->Visuals().size(), 1u);
    root->DeleteVisual(mesh);
    root->DeleteVisual(mesh);
    EXPECT_TRUE(root->Visuals().empty());
    root->AddVisual(std::shared_ptr<MeshBuilder>());
    EXPECT_TRUE(root->Visuals().empty());
}

// Label dots: a thousand frames sharing one mesh are one batch, so the device
// draws them with one instanced call; an instanced set joins the same batch
// and brings its distant stand-in with it.
TEST(RenderDrawList, FramesSharingAMeshFormOneBatch) {
    auto root = Frame::Create(nullptr);
    auto dot = Triangle();
    auto other = Triangle();
    root->AddVisual(other);
    for (int i = 0; i < 1000; ++i) {
        auto f = Frame::Create(root);
        f->SetPosition(nullptr, {i * 0.1, 1.5, -1});
        f->AddVisual(dot);
    }
    auto set = InstancedVisual::Create(dot);
    for (int i = 0; i < 280; ++i) set->Add({{0, 0, i * 1.0}, 0.5, {1, 0, 0, 1}});
    auto far = Triangle();
    set->SetDistantMesh(far, 2.5);
    auto holder = Frame::Create(root);
    holder->SetPosition(nullptr, {0, 10, 0});
    holder->AddVisual(set);

    const DrawList list = CollectDrawList(*root);
    ASSERT_EQ(list.batches.size(), 2u);
    EXPECT_EQ(list.batches[0].mesh, other);
    EXPECT_EQ(list.batches[1].mesh, dot);
    ASSERT_EQ(list.batches[1].instances.size(), 1280u);
    // Frames in creation order; the instanced copies placed in their frame.
    EXPECT_FLOAT_EQ(list.batches[1].instances[1].rows[3], 0.1f);
    const DrawInstance& last = list.batches[1].instances.back();
    EXPECT_FLOAT_EQ(last.rows[0], 0.5f);
    EXPECT_FLOAT_EQ(last.rows[7], 10.0f);
    EXPECT_FLOAT_EQ(last.rows[11], 279.0f);
    EXPECT_FLOAT_EQ(last.tint[1], 0.0f);
    EXPECT_EQ(list.batches[1].distant, far);
    EXPECT_EQ(list.batches[1].distantBelowPixels, 2.5);
    EXPECT_EQ(list.batches[0].distant, nullptr);
}

TEST(RenderDrawList, LightsAreSummedAndPlacedInTheScene) {
    auto root = Frame::Create(nullptr);
    root->AddLight(Light::CreateAmbient({0.25f, 0.25f, 0.25f, 1}));
    auto lamp = Frame::Create(root);
    lamp->SetPosition(nullptr, {30, 80, -20});
    lamp->AddLight(Light::CreatePoint({1, 1, 1, 1}));
    lamp->AddLight(Light::CreateAmbient({0.25f, 0.5f, 0.25f, 1}));
    root->SetSceneBackground({0, 0, 0, 1});
    const DrawList list = CollectDrawList(*root);
    EXPECT_FLOAT_EQ(list.ambient.g, 0.75f);
    EXPECT_FLOAT_EQ(list.ambient.r, 0.5f);
    ASSERT_EQ(list.pointLights.size(), 1u);
    ExpectNear(list.pointLights[0].position, {30, 80, -20});
    EXPECT_TRUE(list.batches.empty());
}

}  // namespace
}  // namespace zel::render
