#include "screens/NetworkScreenModel.h"

#include <utility>

#include "screens/NetworkTexts.h"

namespace zel {
namespace {

namespace t = screens::texts;

void Refuse(Dialogs& d, const char* text) { Tell(d, text, MsgIcon::Information); }

std::string Joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) {
        if (!out.empty()) out += ", ";
        out += item;
    }
    return out;
}

}  // namespace

void NetworkScreenModel::Open(const NetSettings& remembered) {
    Cancel();
    hostPort_ = remembered.HostPort;
    address_ = remembered.Address;
    port_ = remembered.Port;
}

bool NetworkScreenModel::Host(NetSettings& remember, Dialogs& d) {
    if (!Choosing()) return false;
    const std::optional<std::uint16_t> port = ParsePort(hostPort_);
    if (!port) {
        Refuse(d, t::kNetBadPort);
        return false;
    }
    const std::string failure = net_.Listen(*port);
    if (!failure.empty()) {
        net_.Close();
        Tell(d, failure, MsgIcon::Critical);
        return false;
    }
    remember.HostPort = hostPort_;
    const std::vector<std::string> addresses = net_.LocalAddresses();
    addresses_ = std::string(t::kNetListenAddresses) +
                 (addresses.empty() ? std::string(t::kNetNoAddress) : Joined(addresses)) +
                 texts::kNewLine + t::kNetListenPort + std::to_string(*port);
    status_ = t::kNetWaiting;
    state_ = NetScreenState::Hosting;
    return true;
}

bool NetworkScreenModel::Join(NetSettings& remember, const std::vector<std::string>& names, Dialogs& d) {
    if (!Choosing()) return false;
    if (!UsableAddress(address_)) {
        Refuse(d, t::kNetBadAddress);
        return false;
    }
    const std::optional<std::uint16_t> port = ParsePort(port_);
    if (!port) {
        Refuse(d, t::kNetBadPort);
        return false;
    }
    remember.Address = address_;
    remember.Port = port_;
    status_ = std::string(t::kNetConnecting) + address_ + ":" + port_ + t::kNetConnectingEnd;
    state_ = NetScreenState::Joining;
    net_.Connect(address_, *port, names);
    return true;
}

bool NetworkScreenModel::GuestArrived(std::vector<std::string> names) {
    if (state_ != NetScreenState::Hosting) return false;
    guestNames_ = std::move(names);
    status_ = t::kNetGuestArrived + Joined(guestNames_);
    state_ = NetScreenState::GuestArrived;
    return true;
}

bool NetworkScreenModel::Connected() {
    if (state_ != NetScreenState::Joining) return false;
    status_ = t::kNetJoined;
    state_ = NetScreenState::Joined;
    return true;
}

bool NetworkScreenModel::Failed(const std::string& message, Dialogs& d) {
    if (Choosing()) return false;
    Cancel();
    Tell(d, message, MsgIcon::Critical);
    return true;
}

void NetworkScreenModel::Cancel() {
    if (!Choosing()) net_.Close();
    state_ = NetScreenState::Choosing;
    status_.clear();
    addresses_.clear();
    guestNames_.clear();
}

}  // namespace zel
