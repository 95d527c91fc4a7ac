#pragma once
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "match/MatchWindow.h"
#include "net/NetSession.h"
#include "screens/NetConnector.h"

class QObject;

namespace zel {

class NetLink;
struct MatchState;
struct SettingsStore;
class Dialogs;
namespace screens {
class GameScreens;
}

// The program's network play: the one link to the other computer (a
// NetLink), opened by the network screen and kept from the handshake to the
// end of the last match, and the routing of what it says:
//  - before a match: the guest's arrival takes the host to the setup
//    screen, the host's answer tells the guest's network screen; the host's
//    set-up starts the match on the guest;
//  - during a match: everything is handed to the match window, pass by pass
//    (MatchOptions);
//  - after a match: "НАЧАТЬ ВЕМБУ ОПЯТЬ!" asks and answers, and an agreed
//    restart starts the match on both;
//  - a connection that ends outside a match is said on the screen that shows.
// What arrives is acted on from the event loop, never inside the link's own
// signal, so a match never runs within it.
class NetPlay : public NetConnector {
public:
    NetPlay(MatchState& s, SettingsStore& store, Dialogs& d);
    ~NetPlay() override;
    NetPlay(const NetPlay&) = delete;
    NetPlay& operator=(const NetPlay&) = delete;

    // The screens it opens and tells; set once before the link is used.
    void SetScreens(screens::GameScreens* screens) { screens_ = screens; }
    // Tests shorten the silence timeout and the keep-alive; before Listen/Connect.
    void SetTimeouts(int silenceMs, int keepAliveMs);

    // --- NetConnector -------------------------------------------------------
    std::string Listen(std::uint16_t port) override;
    std::vector<std::string> LocalAddresses() override;
    void Connect(const std::string& address, std::uint16_t port,
                 const std::vector<std::string>& names) override;
    void Close() override;
    bool Linked() const override;
    bool Hosting() const override;
    bool AskRestart() override;
    bool AnswerRestart(bool yes) override;

    // A match is about to run from the filled state. The host of a linked
    // game sends the set-up and takes it as the guest will; both sides then
    // get what the match window needs for its network side. Empty options
    // for a match of this computer alone.
    match::MatchNetOptions BeginMatch();
    // The match window has closed.
    void MatchClosed();

    // The link, while there is one (tests).
    NetLink* Link() { return link_.get(); }

private:
    std::unique_ptr<NetLink> MakeLink(NetRole role, std::vector<std::string> names);
    void Adopt(std::unique_ptr<NetLink> link);
    void OnEvent(const NetEvent& e);
    void Act(const NetEvent& e);
    void RestartAsked();
    void RestartAgreed();
    void Flush();
    // Drops the link (later: it may be inside its own signal).
    void DropLink();

    MatchState& s_;
    SettingsStore& store_;
    Dialogs& d_;
    screens::GameScreens* screens_ = nullptr;
    std::unique_ptr<QObject> context_;  // what runs later runs while this lives
    std::unique_ptr<NetLink> link_;
    std::deque<NetEvent> matchEvents_;  // for the match window, oldest first
    bool inMatch_ = false;              // a network match runs or is about to
    int silenceMs_ = 0;                 // 0: the link's own timeouts
    int keepAliveMs_ = 0;
};

}  // namespace zel
