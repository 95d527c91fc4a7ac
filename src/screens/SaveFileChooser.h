#pragma once
#include <string>

namespace zel::screens {

// What a save-file dialog is asked for.
struct SaveFileRequest {
    std::string Title;             // the dialog's caption
    std::string FilterName;        // the one filter entry's description
    std::string FilterPattern;     // its pattern, e.g. "*.sav"
    std::string DefaultExtension;  // as the game words it, e.g. "*.sav"
};

// The platform's save-file dialog, owned by the window that asks. The game
// shows a real file dialog; tests answer with a name of their own.
class SaveFileChooser {
public:
    virtual ~SaveFileChooser() = default;
    // The chosen path, "" when the person cancelled.
    virtual std::string ChooseSaveFile(const SaveFileRequest& request) = 0;
};

}  // namespace zel::screens
