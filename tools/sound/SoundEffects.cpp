#include "SoundEffects.h"

#include <vector>

#include "Synth.h"

namespace zel::soundgen {

namespace {

// Note pitches, Hz.
constexpr double kG4 = 392.00, kC5 = 523.25, kD5 = 587.33, kE5 = 659.26, kF4 = 349.23, kG5 = 783.99;
constexpr double kC6 = 1046.50, kE6 = 1318.51, kG6 = 1567.98;

// Ends of every sound: a quick fade in against clicks, a longer fade out so
// a cut-off tail does not click either.
constexpr double kFadeIn = 0.002;
constexpr double kFadeOut = 0.03;

// A tuned wooden bar: the overtones of a marimba bar are two and a little
// over three octaves above the note.
std::vector<Mode> Marimba(double f) { return {{f, 1.0, 0.35}, {4 * f, 0.3, 0.07}, {9.9 * f, 0.08, 0.02}}; }

// A small steel bar: bright and long, with the bar's inharmonic overtones.
std::vector<Mode> Glockenspiel(double f) { return {{f, 1.0, 0.8}, {2.76 * f, 0.35, 0.25}, {5.40 * f, 0.12, 0.08}}; }

// A hollow wooden block.
std::vector<Mode> WoodBlock(double f) { return {{f, 1.0, 0.05}, {2.57 * f, 0.45, 0.03}, {4.1 * f, 0.2, 0.015}}; }

// A piece set down on the table: a short, soft knock.
std::vector<Mode> TableKnock() { return {{180, 0.6, 0.06}, {420, 1.0, 0.04}, {1100, 0.4, 0.02}}; }

// Two hard pieces meeting: high, very short ringing.
std::vector<Mode> Clack(double scale) {
    return {{2100 * scale, 1.0, 0.018}, {3350 * scale, 0.7, 0.012}, {4900 * scale, 0.45, 0.008},
            {6300 * scale, 0.25, 0.005}};
}

// The leather tip of the cue on a piece; `scale` tunes it so the strikes
// do not all knock alike.
std::vector<Mode> CueTip(double scale) {
    return {{900 * scale, 0.7, 0.03}, {1500 * scale, 1.0, 0.02}, {2600 * scale, 0.5, 0.01}};
}

// The wooden wall along the table's edge.
std::vector<Mode> WallKnock() {
    return {{110, 0.8, 0.08}, {260, 1.0, 0.05}, {620, 0.5, 0.03}, {1500, 0.2, 0.012}};
}

// The contact noise that starts every knock.
void Click(StereoSignal& s, Noise& noise, double at, double centre, double gain, double pan) {
    AddNoiseBurst(s, noise, at, 0.02, centre, 0.9, gain, 0.0003, 0.0025, pan);
}

// The piece rushing away after a hard strike: a band of noise that sweeps
// up in pitch and across from one side to the other.
void Rush(StereoSignal& s, Noise& noise, double at, double lowHz, double fromPan, double toPan, double gain) {
    constexpr int kSteps = 6;
    for (int i = 0; i < kSteps; ++i) {
        const double k = static_cast<double>(i) / (kSteps - 1);
        AddNoiseBurst(s, noise, at + 0.06 * i, 0.3, lowHz + 160 * i, 0.8, gain * (1 - 0.5 * k), 0.04, 0.09,
                      fromPan + (toPan - fromPan) * k);
    }
}

StereoSignal Finish(StereoSignal s, double room, double peak) {
    if (room > 0) AddRoom(s, room, 1.0);
    FadeEdges(s, kFadeIn, kFadeOut);
    Normalize(s, peak);
    return s;
}

// Match start: a rising arpeggio on the marimba.
StereoSignal Vemba0() {
    StereoSignal s = StereoSignal::Silence(1.1);
    const double notes[4] = {kC5, kE5, kG5, kC6};
    for (int i = 0; i < 4; ++i) AddStrike(s, 0.02 + 0.12 * i, Marimba(notes[i]), i == 3 ? 1.0 : 0.7, -0.4 + 0.27 * i);
    return Finish(s, 0.18, 0.6);
}

// Match start: two pieces set down on the table, then a warm chord.
StereoSignal Vemba1() {
    StereoSignal s = StereoSignal::Silence(1.0);
    Noise noise(11);
    AddStrike(s, 0.02, TableKnock(), 0.8, -0.3);
    Click(s, noise, 0.02, 2500, 0.3, -0.3);
    AddStrike(s, 0.16, TableKnock(), 0.7, 0.3);
    Click(s, noise, 0.16, 2500, 0.25, 0.3);
    for (double f : {kG4, kD5, kG5}) AddStrike(s, 0.34, Marimba(f), 0.5, 0.0);
    return Finish(s, 0.2, 0.6);
}

// Match start: a bell-like "ding-dong" with a soft answer above.
StereoSignal Vemba2() {
    StereoSignal s = StereoSignal::Silence(1.2);
    AddStrike(s, 0.02, Glockenspiel(kE6), 0.8, -0.25);
    AddStrike(s, 0.28, Glockenspiel(kC6), 0.8, 0.25);
    AddStrike(s, 0.54, Glockenspiel(kG6), 0.4, 0.0);
    return Finish(s, 0.22, 0.55);
}

// Match start: three wood blocks in a little rhythm, then a low chord.
StereoSignal Vemba3() {
    StereoSignal s = StereoSignal::Silence(1.0);
    Noise noise(33);
    const double blocks[3] = {1400, 1050, 1400};
    for (int i = 0; i < 3; ++i) {
        AddStrike(s, 0.02 + 0.12 * i, WoodBlock(blocks[i]), 0.7, i == 1 ? 0.3 : -0.3);
        Click(s, noise, 0.02 + 0.12 * i, 3000, 0.15, 0.0);
    }
    AddStrike(s, 0.40, Marimba(kF4), 0.6, -0.1);
    AddStrike(s, 0.40, Marimba(kC5), 0.5, 0.1);
    return Finish(s, 0.18, 0.6);
}

// Full-power strike, the plain one: the cue's knock and the table's thud.
StereoSignal Poswinu0() {
    StereoSignal s = StereoSignal::Silence(0.5);
    Noise noise(40);
    AddStrike(s, 0.01, CueTip(1.0), 0.9, 0.0);
    AddStrike(s, 0.01, {{140, 0.5, 0.05}}, 0.8, 0.0);
    Click(s, noise, 0.01, 3500, 0.5, 0.0);
    return Finish(s, 0.1, 0.8);
}

// Full-power strike: the knock, then the piece rushes off to the right.
StereoSignal Poswinu1() {
    StereoSignal s = StereoSignal::Silence(0.8);
    Noise noise(41);
    AddStrike(s, 0.01, CueTip(0.85), 1.0, -0.2);
    Click(s, noise, 0.01, 3500, 0.6, -0.2);
    Rush(s, noise, 0.03, 600, -0.6, 0.7, 1.8);
    return Finish(s, 0.12, 0.8);
}

// Full-power strike: the piece rushes off to the left and clacks into
// another one far away.
StereoSignal Poswinu2() {
    StereoSignal s = StereoSignal::Silence(0.8);
    Noise noise(42);
    AddStrike(s, 0.01, CueTip(1.2), 1.0, 0.2);
    Click(s, noise, 0.01, 3500, 0.6, 0.2);
    Rush(s, noise, 0.03, 700, 0.6, -0.6, 1.6);
    AddStrike(s, 0.45, Clack(0.9), 0.35, -0.6);
    Click(s, noise, 0.45, 4200, 0.2, -0.6);
    return Finish(s, 0.15, 0.8);
}

// Full-power strike, the heavy one: a deep thump, a long low rush and the
// rattle of a piece bouncing off.
StereoSignal Poswinu3() {
    StereoSignal s = StereoSignal::Silence(0.9);
    Noise noise(43);
    AddStrike(s, 0.01, {{90, 1.0, 0.08}, {210, 0.7, 0.05}}, 1.0, 0.0);
    AddStrike(s, 0.01, CueTip(0.7), 0.7, 0.0);
    Click(s, noise, 0.01, 2500, 0.6, 0.0);
    Rush(s, noise, 0.04, 450, -0.2, 0.4, 1.6);
    const double rattle[3] = {0.50, 0.57, 0.62};
    for (int i = 0; i < 3; ++i) AddStrike(s, rattle[i], Clack(1.1), 0.3 - 0.08 * i, 0.5);
    return Finish(s, 0.15, 0.8);
}

// The crowd in the room: a swelling "у-а-а!" of many voices, a murmur
// under it, then applause.
StereoSignal Xruk() {
    StereoSignal s = StereoSignal::Silence(1.9);
    Noise noise(77);
    const Vowel u{320, 800, 2400, 90, 110, 160};
    const Vowel a{730, 1100, 2450, 110, 130, 170};
    constexpr int kVoices = 18;
    for (int v = 0; v < kVoices; ++v) {
        // Two voices in three are low ones.
        const double pitch = v % 3 == 2 ? noise.Between(190, 300) : noise.Between(95, 160);
        const double start = noise.Between(0.0, 0.25);
        const double length = noise.Between(1.1, 1.5);
        AddVoice(s, start, length, pitch, u, a, 1.0 / kVoices, noise.Between(-0.8, 0.8), noise.Between(4.5, 6.5),
                 noise.Between(0.2, 0.4), noise.Between(0.3, 0.5));
    }
    AddNoiseBurst(s, noise, 0.0, 1.9, 500, 0.8, 0.5, 0.4, 1.5, -0.2);
    AddNoiseBurst(s, noise, 0.0, 1.9, 650, 0.8, 0.5, 0.45, 1.4, 0.2);
    constexpr int kClaps = 40;
    for (int c = 0; c < kClaps; ++c) {
        AddNoiseBurst(s, noise, noise.Between(0.7, 1.7), 0.05, noise.Between(1200, 2200), 1.2,
                      noise.Between(0.6, 1.2), 0.0005, 0.012, noise.Between(-0.8, 0.8));
    }
    return Finish(s, 0.25, 0.7);
}

// Two pieces meeting: a double clack a few milliseconds apart.
StereoSignal TwoVembas() {
    StereoSignal s = StereoSignal::Silence(0.35);
    Noise noise(22);
    AddStrike(s, 0.01, Clack(1.0), 0.8, -0.15);
    AddStrike(s, 0.016, Clack(0.93), 0.7, 0.15);
    Click(s, noise, 0.01, 4500, 0.4, 0.0);
    return Finish(s, 0.12, 0.8);
}

// A piece against the wooden wall: a dull, rounded knock.
StereoSignal Stenka() {
    StereoSignal s = StereoSignal::Silence(0.5);
    Noise noise(99);
    AddStrike(s, 0.01, WallKnock(), 1.0, 0.0);
    Click(s, noise, 0.01, 1800, 0.3, 0.0);
    return Finish(s, 0.15, 0.8);
}

constexpr SoundEffect kEffects[] = {
    {"Vemba0.wav", Vemba0},     {"Vemba1.wav", Vemba1},     {"Vemba2.wav", Vemba2},
    {"Vemba3.wav", Vemba3},     {"Poswinu0.wav", Poswinu0}, {"Poswinu1.wav", Poswinu1},
    {"Poswinu2.wav", Poswinu2}, {"Poswinu3.wav", Poswinu3}, {"xruk.wav", Xruk},
    {"2vemby.wav", TwoVembas},  {"stenka.wav", Stenka},
};

}  // namespace

std::span<const SoundEffect> SoundEffects() { return kEffects; }

}  // namespace zel::soundgen
