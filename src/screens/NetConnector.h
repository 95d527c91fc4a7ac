#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zel {

// What the screens ask of the connection between the two computers of a
// network match. The program implements it over its network link; the
// tests answer it without a network. What the other computer says comes
// back later, through the screens (GameScreens' network calls).
class NetConnector {
public:
    virtual ~NetConnector() = default;
    // Opens `port` for the other computer to join; "" when it is open, else
    // the whole message that says why not.
    virtual std::string Listen(std::uint16_t port) = 0;
    // The addresses the other computer can reach this one at.
    virtual std::vector<std::string> LocalAddresses() = 0;
    // Starts joining the game at address:port, introducing the players of
    // this computer by `names`.
    virtual void Connect(const std::string& address, std::uint16_t port,
                         const std::vector<std::string>& names) = 0;
    // Stops listening and drops any connection; the other computer is told
    // this one left.
    virtual void Close() = 0;

    // A connection to the other computer is open and agreed.
    virtual bool Linked() const { return false; }
    // This computer hosts the match (else it joined one).
    virtual bool Hosting() const { return false; }
    // The results screen's "НАЧАТЬ ВЕМБУ ОПЯТЬ!": ask the other computer, or
    // answer its question. False when the link cannot carry it now.
    virtual bool AskRestart() { return false; }
    virtual bool AnswerRestart(bool yes) {
        (void)yes;
        return false;
    }
};

}  // namespace zel
