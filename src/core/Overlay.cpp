#include "core/Overlay.h"

#include "core/MatchTexts.h"

namespace zel {

std::vector<OverlayText> Overlay::Compose(const MatchState& s) {
    std::vector<OverlayText> lines;
    auto draw = [&](std::string text, int x, int y, OverlayFont font) {
        lines.push_back(OverlayText{std::move(text), x, y, colour_, font});
    };

    if (IsSet(s.Win.ParamsFixed)) draw(texts::kParamsFixed, 20, 10, kOverlayRegular);
    if (!IsSet(s.NamesOn)) draw(texts::kNamesHidden, 280, 10, kOverlayRegular);
    if (IsSet(s.UseRoom)) colour_ = kOverlayRoom;

    // A CurG outside the table (a damaged saved game) shows no name rather
    // than reading past the participants.
    std::string name;
    if (s.CurG >= 1 && s.CurG <= kRecordCount) name = s.Vembas[s.CurG].R;
    draw(texts::kWhoseTurn + name, 20, s.ScreenH - 70, kOverlayRegular);
    draw(s.StatusText, 20, s.ScreenH - 40, kOverlayRegular);
    if (IsSet(s.Win.ExitAsked))
        draw(s.Win.PromptText, s.Win.PromptX + 1, s.Win.PromptY + 1, kOverlayPrompt);
    return lines;
}

}  // namespace zel
