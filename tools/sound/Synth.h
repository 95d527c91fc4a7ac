#pragma once
#include <cstdint>
#include <vector>

#include "StereoSignal.h"

namespace zel::soundgen {

// Deterministic white noise (xorshift), so every build writes the same files.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ULL) {}
    // Uniform in [-1, 1).
    double Next();
    // Uniform in [lo, hi).
    double Between(double lo, double hi) { return lo + (hi - lo) * (Next() + 1) / 2; }

private:
    std::uint64_t state_;  // never 0
};

// One ringing mode of a struck object: a sine that dies away exponentially.
struct Mode {
    double Freq;   // Hz
    double Amp;    // relative amplitude
    double Decay;  // seconds for the amplitude to fall to 1/e
};

// A two-pole band-pass filter (peak gain 1 at the centre frequency).
class BandPass {
public:
    BandPass(double centre, double q);
    double Step(double x);

private:
    double b0_, b2_, a1_, a2_;             // coefficients, normalised by a0
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;  // past inputs and outputs
};

// Adds the modes of an object struck at `start` seconds, at `pan` (-1 left,
// 0 centre, 1 right). `attack` seconds of rise keep the onset from clicking.
void AddStrike(StereoSignal& s, double start, const std::vector<Mode>& modes, double gain, double pan,
               double attack = 0.0015);

// Adds a burst of band-passed noise (two filter sections, so the band is
// clean) at `start`: it rises over `attack`
// seconds and dies away with the time constant `decay`, over `length`.
void AddNoiseBurst(StereoSignal& s, Noise& noise, double start, double length, double centre, double q,
                   double gain, double attack, double decay, double pan);

// A vowel as three formants: centre frequencies and widths, Hz.
struct Vowel {
    double F1, F2, F3;  // formant centres
    double B1, B2, B3;  // formant widths
};

// One voice of a crowd: a sung vowel at `pitch` Hz from `start` for
// `length` seconds, gliding from one vowel to another, with a slow vibrato
// and a soft swell in and out.
void AddVoice(StereoSignal& s, double start, double length, double pitch, const Vowel& from, const Vowel& to,
              double gain, double pan, double vibratoHz, double swellIn, double swellOut);

// A small room around the sound: a short, bright reverberation mixed in
// at `mix`, a little different in each ear.
void AddRoom(StereoSignal& s, double mix, double size);

// Short fades at both ends, so the sound starts and ends on silence.
void FadeEdges(StereoSignal& s, double fadeIn, double fadeOut);

// Scales the signal so its loudest sample is `peak`.
void Normalize(StereoSignal& s, double peak);

}  // namespace zel::soundgen
