#pragma once
#include <memory>
#include <vector>

#include "labels/NameLabelLayout.h"
#include "render/InstancedVisual.h"
#include "render/SceneSlots.h"

namespace zel {
struct MatchState;
}

namespace zel::match {

// The participants' name labels in the match scene: one dot of the shared
// label sphere (gamedata/mesh/ball.x scaled by 0.03) for every lit glyph
// cell of every label, all drawn by one instanced visual on the scene root
// (by an eight-faced stand-in of the sphere while every dot is a speck on
// the screen).
// The dots do not follow the pieces: each show places them where the
// piece frames stand at that moment, and they stay there until the next
// show. The kernel decides when to show and hide (strike, rest, F3).
class NameLabelVisual {
public:
    // Builds the dot list from the participants' names, loads the shared
    // sphere from the program folder and shows the labels at once, so they
    // are there from the first frame. Throws render::RenderError when the
    // sphere cannot be loaded or the scene has no root; nothing is shown then.
    void Build(const MatchState& s, render::SceneSlots& z);
    // Places every dot over its piece as the piece frame stands now and puts
    // the labels into the scene (once, however often it is called). Dots of
    // a piece that has no frame are left out.
    void Show(render::SceneSlots& z);
    // Takes the labels out of the scene; nothing happens when they are out.
    void Hide();
    // Forgets the scene of the last build (it was shut down).
    void Clear();

    // The dots in build order: dot n is element n - 1.
    const std::vector<labels::LabelDot>& Dots() const { return dots_; }
    // The visual the dots are drawn by; null before a build.
    const std::shared_ptr<render::InstancedVisual>& Visual() const { return visual_; }
    // Whether the labels are in the scene now.
    bool Shown() const { return !holder_.expired(); }

private:
    std::vector<labels::LabelDot> dots_;                // every lit cell, in build order
    std::shared_ptr<render::InstancedVisual> visual_;   // one copy of the sphere per dot
    std::weak_ptr<render::Frame> holder_;               // the root showing it; empty while hidden
};

}  // namespace zel::match
