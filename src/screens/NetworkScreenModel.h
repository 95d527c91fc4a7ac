#pragma once
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "screens/NetConnector.h"
#include "settings/NetSettings.h"

namespace zel {

// Where the network screen stands.
enum class NetScreenState {
    Choosing,      // nothing open: "Создать игру" or "Подключиться"
    Hosting,       // this computer listens and waits for the other one
    Joining,       // this computer is connecting to the other one
    Joined,        // connected as the guest; the host sets the match up
    GuestArrived,  // hosting, and the other computer has joined
};

// The network screen frmNet without a window: the port box of the host, the
// address and port boxes of the guest, the status line and which controls
// can be used. It opens the connection through a NetConnector and hears its
// outcome through GuestArrived, Connected and Failed. The boxes start from
// what zel.ini remembers, and a host or join that goes out writes them back
// there (the settings are saved with the others).
class NetworkScreenModel {
public:
    explicit NetworkScreenModel(NetConnector& net) : net_(net) {}

    // The screen is shown: nothing open, the boxes from `remembered`.
    void Open(const NetSettings& remembered);

    const std::string& HostPortText() const { return hostPort_; }
    const std::string& AddressText() const { return address_; }
    const std::string& PortText() const { return port_; }
    void SetHostPortText(std::string text) { hostPort_ = std::move(text); }
    void SetAddressText(std::string text) { address_ = std::move(text); }
    void SetPortText(std::string text) { port_ = std::move(text); }

    // "Создать игру": a port the box does not hold refuses with a message; a
    // port that cannot be opened shows the connector's message. Otherwise
    // the screen waits, showing this computer's addresses and the port, and
    // the port is remembered in `remember`. Only while choosing.
    bool Host(NetSettings& remember, Dialogs& d);
    // "Подключиться": an unusable address or port refuses with a message;
    // otherwise the connection starts with this computer's `names`, and the
    // address and port are remembered in `remember`. Only while choosing.
    bool Join(NetSettings& remember, const std::vector<std::string>& names, Dialogs& d);

    // The connection's outcome. GuestArrived (hosting): the other computer
    // joined with its players' names; the host goes on to set the match up.
    // Connected (joining): the host took this computer. Failed: the message
    // is shown and the screen is back to choosing. Each is ignored in a
    // state it does not belong to, and reports whether it was taken.
    bool GuestArrived(std::vector<std::string> names);
    bool Connected();
    bool Failed(const std::string& message, Dialogs& d);

    // "< Назад" (and Esc) and leaving the screen: whatever is open closes.
    void Cancel();

    NetScreenState State() const { return state_; }
    // The status line as it reads now ("" while choosing).
    const std::string& Status() const { return status_; }
    // The host's line of addresses and port ("" unless hosting).
    const std::string& Addresses() const { return addresses_; }
    // The names the other computer gave (after GuestArrived).
    const std::vector<std::string>& GuestNames() const { return guestNames_; }
    // The two commands and the boxes can be used only while choosing.
    bool Choosing() const { return state_ == NetScreenState::Choosing; }

private:
    NetConnector& net_;                    // the link to the other computer
    NetScreenState state_ = NetScreenState::Choosing;
    std::string hostPort_;                 // txtHostPort
    std::string address_;                  // txtAddress
    std::string port_;                     // txtPort
    std::string status_;                   // lblStatus
    std::string addresses_;                // lblAddresses
    std::vector<std::string> guestNames_;  // the other computer's players
};

}  // namespace zel
