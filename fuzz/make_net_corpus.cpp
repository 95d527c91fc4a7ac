// Writes the seed corpus of fuzz_net_messages: whole conversations as each
// side hears them, in the first byte's chunk sizes, plus a few damaged ones.
//   make_net_corpus fuzz/corpus/fuzz_net_messages
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "core/ProgramVersion.h"
#include "net/NetCodec.h"
#include "net/NetLimits.h"

namespace {

void Write(const std::string& dir, const std::string& name, char first, const std::string& bytes) {
    std::ofstream(dir + "/" + name, std::ios::binary) << first << bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_net_corpus DIR\n";
        return 2;
    }
    using namespace zel;
    const std::string dir = argv[1];
    const std::string hello = EncodeFrame(HelloMsg{kNetLimits.ProtocolVersion, kBuildNumber, {"Анна"}});
    MatchSetupMsg setup;
    setup.Header = "[general]\r\nNum=2\r\nMaxX=600\r\nMaxY=400\r\n[game]\r\n";
    setup.Num = 2;
    setup.GuestPlays[2] = true;
    const ReplayStepRecord step{-30.5, 12.25, 140, 200, 0};
    RestingStateMsg rest;
    for (int i = 1; i <= kRecordCount; ++i) {
        rest.State.Vembas[i].Xpos = 100 + i;
        rest.State.Vembas[i].Number = static_cast<std::int16_t>(i);
    }
    rest.State.Vembas[1].R = "Анна";

    // What the host hears from a guest playing participant 2.
    const std::string toHost = hello + EncodeFrame(KeepAliveMsg{}) + EncodeFrame(AimMsg{2, -40, -10, 0.5, 0}) +
                               EncodeFrame(AimMsg{2, -40, -10, 0.5, 30}) + EncodeFrame(StrikeMsg{0, 2, step}) +
                               EncodeFrame(RestartAskMsg{}) + EncodeFrame(RestartAnswerMsg{true}) + EncodeFrame(ByeMsg{});
    // What the guest hears from the host.
    rest.Turn = 0;
    const std::string toGuest = hello + EncodeFrame(setup) + EncodeFrame(AimMsg{1, 1, 2, 3, 0}) +
                                EncodeFrame(StrikeMsg{0, 1, step}) + EncodeFrame(rest) +
                                EncodeFrame(RefuseMsg{"Другая версия игры"}) + EncodeFrame(ByeMsg{});
    Write(dir, "host-whole", 0x7E, toHost);
    Write(dir, "host-bytewise", 0x00, toHost);
    Write(dir, "guest-whole", 0x7F, toGuest);
    Write(dir, "guest-bytewise", 0x01, toGuest);
    Write(dir, "guest-chunks-5", 0x09, toGuest);
    Write(dir, "host-truncated", 0x7E, toHost.substr(0, toHost.size() / 2));
    Write(dir, "host-oversized", 0x7E, hello + std::string("\x00\x02\x00\x01\x01\x01", 6));
    Write(dir, "host-other-version", 0x7E, std::string("\x00\x00\x00\x02\x02\x01", 6));
    Write(dir, "guest-out-of-turn", 0x7F, hello + EncodeFrame(rest));
    Write(dir, "guest-bad-number", 0x7F,
          hello + EncodeFrame(setup) + std::string("\x00\x00\x00\x0A\x01\x04\x00\x01\x00\x03nan", 14));
    return 0;
}
