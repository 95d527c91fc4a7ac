#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>

#include <Qt>

class QWidget;

namespace zel {

// The game's screens and the hand-over between them. Every screen is a
// top-level window registered here under a name with the code that makes
// it; it is made the first time it is asked for and then lives, hidden when
// not shown, until the navigator goes (the program's end). A screen that
// opens another hides itself and gives the new one its own window state:
// normal, minimised or maximised.
class ScreenNavigator {
public:
    using Factory = std::function<std::unique_ptr<QWidget>()>;

    ScreenNavigator();
    ~ScreenNavigator();
    ScreenNavigator(const ScreenNavigator&) = delete;
    ScreenNavigator& operator=(const ScreenNavigator&) = delete;

    // Registers the maker of screen `name`, replacing a maker registered
    // before; a screen already made stays as it is.
    void Register(const std::string& name, Factory make);
    // The screen, made on first use; null for a name nobody registered or a
    // maker that made nothing.
    QWidget* Screen(const std::string& name);
    template <class T>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(Screen(name));
    }
    // The screen if it has been made, else null; never makes it.
    QWidget* Existing(const std::string& name) const;

    // Hides `from`, gives `to` the window state of `from` and shows it.
    // Either may be null: without `from` the target keeps its own state.
    static void HandOver(QWidget* from, QWidget* to);
    // The part of a window state that goes over to the next screen:
    // minimised, maximised or full screen (activity is the window
    // system's own affair).
    static Qt::WindowStates CarriedState(Qt::WindowStates state);

private:
    std::map<std::string, Factory> makers_;                   // how each screen is made
    std::map<std::string, std::unique_ptr<QWidget>> screens_;  // the screens made so far
};

}  // namespace zel
