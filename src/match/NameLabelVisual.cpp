#include "match/NameLabelVisual.h"

#include <cstddef>

#include "core/MatchState.h"
#include "render/Frame.h"
#include "render/LowDetailSphere.h"
#include "render/MeshBuilder.h"
#include "render/RenderError.h"

namespace zel::match {

namespace {

// Frame positions go to the scene in single precision.
double Single(double x) { return static_cast<double>(static_cast<float>(x)); }

// Dots smaller than this radius on the screen are drawn as octahedra: at
// the match camera's distance a dot is one or two pixels across, where the
// eight faces look no different from twenty, and a software rasteriser
// spends most of the labels' time on the faces. Within three pixels the
// octahedron's outline stays within about half a pixel of the ball's;
// close-ups show the ball itself.
constexpr double kFewFacesBelowPixels = 3;

}  // namespace

void NameLabelVisual::Build(const MatchState& s, render::SceneSlots& z) {
    Hide();
    dots_.clear();
    visual_.reset();
    if (!z.SceneRoot) throw render::RenderError(render::RenderErrorCode::NoObject, "объект сцены не создан");
    dots_ = labels::BuildNameLabelDots(s);
    auto sphere = render::MeshBuilder::Create();
    sphere->LoadX(s.AppPath + labels::kLabelDotMesh);
    sphere->Scale(labels::kLabelDotScale, labels::kLabelDotScale, labels::kLabelDotScale);
    auto distant = render::LowDetailSphere(*sphere);
    visual_ = render::InstancedVisual::Create(std::move(sphere));
    visual_->SetDistantMesh(std::move(distant), kFewFacesBelowPixels);
    visual_->Reserve(dots_.size());
    Show(z);
}

void NameLabelVisual::Show(render::SceneSlots& z) {
    if (!visual_ || !z.SceneRoot) return;
    visual_->Clear();
    for (const labels::LabelDot& dot : dots_) {
        if (dot.Participant < 1 || dot.Participant >= static_cast<int>(z.VembaFrames.size())) continue;
        const auto& piece = z.VembaFrames[static_cast<std::size_t>(dot.Participant)];
        if (!piece) continue;
        const render::Vec3 at = piece->World().Apply({dot.Offset.X, dot.Offset.Y, dot.Offset.Z});
        render::InstancedVisual::Instance copy;
        copy.position = {Single(at.x), Single(at.y), Single(at.z)};
        visual_->Add(copy);
    }
    const auto holder = holder_.lock();
    if (holder != z.SceneRoot) {
        if (holder) holder->DeleteVisual(visual_);
        z.SceneRoot->AddVisual(visual_);
        holder_ = z.SceneRoot;
    }
}

void NameLabelVisual::Hide() {
    if (const auto holder = holder_.lock()) holder->DeleteVisual(visual_);
    holder_.reset();
}

void NameLabelVisual::Clear() {
    Hide();
    visual_.reset();
    dots_.clear();
}

}  // namespace zel::match
