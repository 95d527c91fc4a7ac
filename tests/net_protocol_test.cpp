// The network protocol's reader: every message reads back as written, in
// chunks of any size; anything malformed, truncated, oversized or out of
// range gives one clear text and no message.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/ProgramVersion.h"
#include "net/NetCodec.h"
#include "net/NetDecoder.h"
#include "net/NetFields.h"
#include "net/NetLimits.h"
#include "net/NetTexts.h"

namespace zel {
namespace {

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

RestingStateMsg SampleRest() {
    RestingStateMsg m;
    m.Turn = 7;
    RestingState& r = m.State;
    for (int i = 1; i <= kRecordCount; ++i) {
        VembaRecord& v = r.Vembas[i];
        v.Xpos = 100.25 + i / 3.0;
        v.Ypos = -0.0;
        v.Xvec = 0;
        v.u = std::numeric_limits<double>::denorm_min();
        v.Phi = -3.0 * i / 7.0;
        v.Life = i % 2 ? kTrue : kFalse;
        v.Number = static_cast<std::int16_t>(i);
        v.R = i == 1 ? "Игрок один" : "";
        v.RMod = 3;
        v.RM = 2;
        r.LeftTable[i].Known = i == 2;
        r.LeftTable[i].OutX = -1;
    }
    r.Vembas[10].Xpos = -1000000;  // a wall, a million units beyond the table
    r.CurNG = 2;
    r.CurG = 3;
    r.WhoSgin[1] = 2;
    r.CurSgin = 1;
    r.Winner = -1;
    return m;
}

std::vector<NetMessage> SampleMessages() {
    ReplayStepRecord step{-12.5, 33.0625, 301.1, 99.9, 0};
    return {
        HelloMsg{kNetLimits.ProtocolVersion, kBuildNumber, {"Анна", "Борис"}},
        RefuseMsg{"Другая версия игры: ..."},
        MatchSetupMsg{"[general]\r\nNum=3\r\n[game]\r\n", 3, {false, false, true, false}},
        AimMsg{2, -40.5, -10, 1.25, 36},
        StrikeMsg{4, 2, step},
        SampleRest(),
        RestartAskMsg{},
        RestartAnswerMsg{true},
        KeepAliveMsg{},
        ByeMsg{},
    };
}

// A frame around an arbitrary body, with its length set to fit.
std::string Frame(const std::string& body) {
    std::string f;
    const auto n = static_cast<std::uint32_t>(body.size());
    for (int s = 24; s >= 0; s -= 8) f.push_back(static_cast<char>((n >> s) & 0xFF));
    return f + body;
}

std::string Body(const NetMessage& m) { return EncodeFrame(m).substr(4); }

// Decodes one whole frame; the error text when it fails.
std::string DecodeError(const std::string& frame) {
    NetDecoder d;
    d.Feed(frame);
    if (d.Next()) return "";
    return d.Error();
}

TEST(NetProtocol, EveryMessageReadsBackAsWritten) {
    for (const NetMessage& m : SampleMessages()) {
        NetDecoder d;
        d.Feed(EncodeFrame(m));
        const std::optional<NetMessage> back = d.Next();
        ASSERT_TRUE(back) << m.index() << ": " << d.Error();
        EXPECT_EQ(back->index(), m.index());
        EXPECT_EQ(EncodeFrame(*back), EncodeFrame(m)) << "message " << m.index();
        EXPECT_EQ(d.Pending(), 0u);
    }
}

TEST(NetProtocol, RestingStateNumbersKeepEveryBit) {
    NetDecoder d;
    d.Feed(EncodeFrame(SampleRest()));
    const auto back = d.Next();
    ASSERT_TRUE(back) << d.Error();
    const RestingState& r = std::get<RestingStateMsg>(*back).State;
    const RestingState& want = SampleRest().State;
    EXPECT_TRUE(SameBits(r.Vembas[1].Ypos, -0.0));
    EXPECT_TRUE(SameBits(r.Vembas[5].u, std::numeric_limits<double>::denorm_min()));
    EXPECT_TRUE(SameBits(r.Vembas[4].Xpos, want.Vembas[4].Xpos));
    EXPECT_EQ(r.Vembas[1].R, "Игрок один");
    EXPECT_EQ(RestingStateDifference(want, r), "");
}

TEST(NetProtocol, BytesInAnyChunksGiveTheSameMessages) {
    std::string stream;
    for (const NetMessage& m : SampleMessages()) stream += EncodeFrame(m);
    for (std::size_t chunk : {1u, 2u, 3u, 7u, 64u, 1000u}) {
        NetDecoder d;
        std::vector<std::string> got;
        for (std::size_t at = 0; at < stream.size(); at += chunk) {
            d.Feed(std::string_view(stream).substr(at, chunk));
            while (auto m = d.Next()) got.push_back(EncodeFrame(*m));
        }
        ASSERT_FALSE(d.Failed()) << d.Error();
        ASSERT_EQ(got.size(), SampleMessages().size()) << "chunk " << chunk;
        for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], EncodeFrame(SampleMessages()[i]));
    }
}

TEST(NetProtocol, ATruncatedFrameWaitsWithoutAnError) {
    const std::string frame = EncodeFrame(SampleRest());
    NetDecoder d;
    d.Feed(frame.substr(0, frame.size() - 1));
    EXPECT_FALSE(d.Next());
    EXPECT_FALSE(d.Failed());
    d.Feed(frame.substr(frame.size() - 1));
    EXPECT_TRUE(d.Next());
}

TEST(NetProtocol, EveryShortenedBodyIsRefused) {
    // The length prefix claims the shortened body: the fields themselves run out.
    for (const NetMessage& m : SampleMessages()) {
        const std::string body = Body(m);
        for (std::size_t n = 2; n < body.size(); n += (body.size() > 400 ? 37 : 1)) {
            const std::string error = DecodeError(Frame(body.substr(0, n)));
            EXPECT_EQ(error.rfind(nettexts::kMalformed, 0), 0u)
                << "message " << m.index() << " cut to " << n << ": " << error;
        }
    }
}

TEST(NetProtocol, ALengthBeyondTheBoundIsRefusedBeforeTheBodyComes) {
    const std::uint32_t n = static_cast<std::uint32_t>(kNetLimits.MaxFrameBytes) + 1;
    std::string head;
    for (int s = 24; s >= 0; s -= 8) head.push_back(static_cast<char>((n >> s) & 0xFF));
    NetDecoder d;
    d.Feed(head);
    EXPECT_FALSE(d.Next());
    EXPECT_EQ(d.Error(), nettexts::kOversized);
    // Nothing after the error is read, not even a good message.
    d.Feed(EncodeFrame(KeepAliveMsg{}));
    EXPECT_FALSE(d.Next());
}

TEST(NetProtocol, AFrameAtTheBoundIsRead) {
    // A refusal reason is bounded far below the frame; an oversized text
    // field inside a frame of legal length is a malformed message, not a crash.
    const std::string reason(kNetLimits.MaxReasonBytes, 'x');
    EXPECT_EQ(DecodeError(EncodeFrame(RefuseMsg{reason})), "");
    EXPECT_NE(DecodeError(EncodeFrame(RefuseMsg{reason + "x"})), "");
}

TEST(NetProtocol, AnotherProtocolVersionSaysTheGameDiffers) {
    std::string body = Body(HelloMsg{1, kBuildNumber, {}});
    body[0] = static_cast<char>(kNetLimits.ProtocolVersion + 1);
    EXPECT_EQ(DecodeError(Frame(body)), nettexts::kOtherProtocol);
}

TEST(NetProtocol, UnknownTypesEmptyBodiesAndTrailingBytesAreMalformed) {
    std::string unknown = Body(KeepAliveMsg{});
    unknown[1] = 42;
    EXPECT_NE(DecodeError(Frame(unknown)).find("неизвестный вид сообщения 42"), std::string::npos);
    EXPECT_EQ(DecodeError(Frame("")).rfind(nettexts::kMalformed, 0), 0u);
    EXPECT_EQ(DecodeError(Frame(Body(ByeMsg{}) + "x")).rfind(nettexts::kMalformed, 0), 0u);
    EXPECT_EQ(DecodeError(Frame(Body(RestartAnswerMsg{true}) + "\x01")).rfind(nettexts::kMalformed, 0), 0u);
}

TEST(NetProtocol, FieldsBeyondWhatTheGameReachesAreRefused) {
    auto refused = [](const NetMessage& m) { return !DecodeError(EncodeFrame(m)).empty(); };
    EXPECT_TRUE(refused(AimMsg{9, 0, 0, 0, 0}));       // no participant 9
    EXPECT_TRUE(refused(AimMsg{0, 0, 0, 0, 0}));
    EXPECT_TRUE(refused(AimMsg{1, 0, 0, 0, 101}));     // power beyond the keys
    EXPECT_TRUE(refused(AimMsg{1, 1e6, 0, 0, 0}));     // camera beyond any table
    EXPECT_TRUE(refused(AimMsg{1, 0, 0, 2e6, 0}));
    EXPECT_FALSE(refused(AimMsg{1, 1e5, -1e5, -1e6, 100}));
    EXPECT_TRUE(refused(MatchSetupMsg{"[general]", 9, {}}));
    EXPECT_TRUE(refused(MatchSetupMsg{"", 2, {}}));
    EXPECT_TRUE(refused(HelloMsg{1, kBuildNumber, {std::string(kNetLimits.MaxNameBytes + 1, 'a')}}));
    EXPECT_TRUE(refused(HelloMsg{1, kBuildNumber, {""}}));
    EXPECT_TRUE(refused(HelloMsg{1, kBuildNumber, {"два\r\nстроки"}}));
    EXPECT_TRUE(refused(HelloMsg{1, kBuildNumber, {"\xC3\x28"}}));  // not UTF-8
    EXPECT_TRUE(refused(HelloMsg{1, kBuildNumber, std::vector<std::string>(9, "a")}));

    RestingStateMsg life = SampleRest();
    life.State.Vembas[2].Life = 5;
    EXPECT_TRUE(refused(life));
    RestingStateMsg spin = SampleRest();
    spin.State.Vembas[3].u = 3;  // more than twice the strongest strike's turn
    EXPECT_TRUE(refused(spin));
    RestingStateMsg wall = SampleRest();
    wall.State.Vembas[2].RMod = 6;  // a wall never moves
    wall.State.Vembas[2].u = 0.5;
    EXPECT_TRUE(refused(wall));
    wall.State.Vembas[2].u = 0;
    wall.State.Vembas[2].Xvec = wall.State.Vembas[2].Yvec = 0;
    EXPECT_FALSE(refused(wall));
    RestingStateMsg striker = SampleRest();
    striker.State.CurG = 9;
    EXPECT_TRUE(refused(striker));
}

TEST(NetProtocol, NumbersMustBeWrittenAsTheSavedGamesWriteThem) {
    // The reason is the bits: "1.50", "1e5" or "nan" would leave the two
    // sides to their own readings of a number.
    for (const char* text : {"1.50", "01", "1e5", "nan", "inf", "+1", " 1", "1.", "", "0x10"}) {
        FieldWriter w;
        w.U8(kNetLimits.ProtocolVersion);
        w.U8(4);  // Aim
        w.I16(1);
        w.Text(text);
        w.Number(0);
        w.Number(0);
        w.I16(0);
        EXPECT_EQ(DecodeError(Frame(w.Bytes())).rfind(nettexts::kMalformed, 0), 0u) << text;
    }
}

TEST(NetProtocol, AStrikeCarriesTheReplayFilesStepTextExactly) {
    const ReplayStepRecord r{-0.0, 99.5, 123.456, -7, 0};
    const auto back = ParseStepText(FormatReplayStep(r));
    ASSERT_TRUE(back);
    EXPECT_TRUE(SameBits(back->Xvec, -0.0));
    EXPECT_EQ(back->Yvec, 99.5);
    EXPECT_EQ(back->X, 123.456);
    EXPECT_EQ(back->G, 0);
    for (const char* bad : {"Xvec=1\r\nYvec=1\r\nX=1\r\nY=1\r\n",                 // no G
                            "Xvec=1\r\nYvec=1\r\nX=1\r\nY=1\r\nG=0\r\nG=0\r\n",   // one line too many
                            "Yvec=1\r\nXvec=1\r\nX=1\r\nY=1\r\nG=0\r\n",          // out of order
                            "Xvec=1\nYvec=1\nX=1\nY=1\nG=0\n",                    // not CR LF
                            "Xvec=200\r\nYvec=0\r\nX=1\r\nY=1\r\nG=0\r\n",        // beyond full power
                            "Xvec=1\r\nYvec=1\r\nX=1\r\nY=1\r\nG=101\r\n",
                            "Xvec=1\r\nYvec=1\r\nX=1e9\r\nY=1\r\nG=0\r\n"})
        EXPECT_FALSE(ParseStepText(bad)) << bad;
}

TEST(NetProtocol, UtfCheckRefusesOverlongFormsAndSurrogates) {
    EXPECT_TRUE(IsUtf8("Вемба"));
    EXPECT_FALSE(IsUtf8("\xC0\x80"));          // overlong NUL
    EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(IsUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(IsUtf8("\xD0"));              // cut short
}

}  // namespace
}  // namespace zel
