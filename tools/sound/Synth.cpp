#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace zel::soundgen {

namespace {

const double kPi = 4 * std::atan(1.0);

// Equal-power panning: the left and right gains of a position -1..1.
void PanGains(double pan, double& left, double& right) {
    const double p = std::clamp(pan, -1.0, 1.0);
    const double angle = (p + 1) * kPi / 4;
    left = std::cos(angle);
    right = std::sin(angle);
}

std::size_t FrameAt(double seconds) {
    return seconds <= 0 ? 0 : static_cast<std::size_t>(seconds * kSampleRate + 0.5);
}

// Loudness of a formant peak at `f`: a resonance of centre `c` and width `b`.
double Peak(double f, double c, double b) {
    const double d = (f - c) / b;
    return 1 / (1 + d * d);
}

// Feedback comb filter of the room.
struct Comb {
    std::vector<double> line;  // delay line
    std::size_t pos = 0;       // where the next sample goes
    double feedback = 0;       // share of the echo fed back
    double damp = 0;           // high frequencies lost per echo
    double low = 0;            // state of the damping filter
    double Step(double x) {
        const double y = line[pos];
        low = y * (1 - damp) + low * damp;
        line[pos] = x + low * feedback;
        pos = (pos + 1) % line.size();
        return y;
    }
};

// All-pass diffuser of the room.
struct AllPass {
    std::vector<double> line;  // delay line
    std::size_t pos = 0;       // where the next sample goes
    double Step(double x) {
        const double delayed = line[pos];
        const double y = -x + delayed;
        line[pos] = x + delayed * 0.5;
        pos = (pos + 1) % line.size();
        return y;
    }
};

std::vector<double> Reverberate(const std::vector<double>& in, double size, std::size_t spread) {
    const double combMs[4] = {29.7, 37.1, 41.1, 43.7};
    const double allPassMs[2] = {5.0, 1.7};
    std::vector<Comb> combs(4);
    for (int i = 0; i < 4; ++i) {
        const auto n = static_cast<std::size_t>(combMs[i] * size * kSampleRate / 1000) + spread + 1;
        combs[static_cast<std::size_t>(i)].line.assign(n, 0.0);
        combs[static_cast<std::size_t>(i)].feedback = 0.72;
        combs[static_cast<std::size_t>(i)].damp = 0.35;
    }
    std::vector<AllPass> passes(2);
    for (int i = 0; i < 2; ++i) {
        const auto n = static_cast<std::size_t>(allPassMs[i] * kSampleRate / 1000) + spread / 4 + 1;
        passes[static_cast<std::size_t>(i)].line.assign(n, 0.0);
    }
    std::vector<double> out(in.size());
    for (std::size_t k = 0; k < in.size(); ++k) {
        double y = 0;
        for (Comb& c : combs) y += c.Step(in[k]);
        y /= 4;
        for (AllPass& p : passes) y = p.Step(y);
        out[k] = y;
    }
    return out;
}

}  // namespace

double Noise::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    // The top 53 bits as a fraction in [0, 1), then to [-1, 1).
    const double unit = static_cast<double>(state_ >> 11) / 9007199254740992.0;
    return unit * 2 - 1;
}

BandPass::BandPass(double centre, double q) {
    const double w = 2 * kPi * centre / kSampleRate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    b0_ = alpha / a0;
    b2_ = -alpha / a0;
    a1_ = -2 * std::cos(w) / a0;
    a2_ = (1 - alpha) / a0;
}

double BandPass::Step(double x) {
    const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void AddStrike(StereoSignal& s, double start, const std::vector<Mode>& modes, double gain, double pan, double attack) {
    double left = 0, right = 0;
    PanGains(pan, left, right);
    const std::size_t first = FrameAt(start);
    for (const Mode& m : modes) {
        // Modes above the highest frequency the files hold would fold back.
        if (m.Freq <= 0 || m.Freq >= kSampleRate * 0.45 || m.Decay <= 0) continue;
        const std::size_t length = std::min(s.Frames() - std::min(first, s.Frames()),
                                            static_cast<std::size_t>(m.Decay * 8 * kSampleRate));
        for (std::size_t k = 0; k < length; ++k) {
            const double t = static_cast<double>(k) / kSampleRate;
            const double rise = attack > 0 ? std::min(1.0, t / attack) : 1.0;
            const double v = gain * m.Amp * rise * std::exp(-t / m.Decay) * std::sin(2 * kPi * m.Freq * t);
            s.Left[first + k] += v * left;
            s.Right[first + k] += v * right;
        }
    }
}

void AddNoiseBurst(StereoSignal& s, Noise& noise, double start, double length, double centre, double q,
                   double gain, double attack, double decay, double pan) {
    double left = 0, right = 0;
    PanGains(pan, left, right);
    // Two sections in a row: one alone leaves too much hiss far from the band.
    BandPass filter(centre, q);
    BandPass again(centre, q);
    const std::size_t first = FrameAt(start);
    const std::size_t n = std::min(FrameAt(length), s.Frames() - std::min(first, s.Frames()));
    for (std::size_t k = 0; k < n; ++k) {
        const double t = static_cast<double>(k) / kSampleRate;
        const double rise = attack > 0 ? std::min(1.0, t / attack) : 1.0;
        const double env = rise * std::exp(-t / decay);
        const double v = gain * env * again.Step(filter.Step(noise.Next()));
        s.Left[first + k] += v * left;
        s.Right[first + k] += v * right;
    }
}

void AddVoice(StereoSignal& s, double start, double length, double pitch, const Vowel& from, const Vowel& to,
              double gain, double pan, double vibratoHz, double swellIn, double swellOut) {
    double left = 0, right = 0;
    PanGains(pan, left, right);
    const std::size_t first = FrameAt(start);
    const std::size_t n = std::min(FrameAt(length), s.Frames() - std::min(first, s.Frames()));
    constexpr int kMaxHarmonics = 40;
    constexpr double kTopFrequency = 4500;
    constexpr std::size_t kBlock = 64;  // formant weights change slowly
    std::vector<double> weights(kMaxHarmonics + 1, 0.0);
    double phase = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const double t = static_cast<double>(k) / kSampleRate;
        const double glide = length > 0 ? t / length : 0;
        const double f0 = pitch * (1 + 0.012 * std::sin(2 * kPi * vibratoHz * t)) * (1 - 0.06 * glide);
        if (k % kBlock == 0) {
            const double f1 = from.F1 + (to.F1 - from.F1) * glide;
            const double f2 = from.F2 + (to.F2 - from.F2) * glide;
            const double f3 = from.F3 + (to.F3 - from.F3) * glide;
            const double b1 = from.B1 + (to.B1 - from.B1) * glide;
            const double b2 = from.B2 + (to.B2 - from.B2) * glide;
            const double b3 = from.B3 + (to.B3 - from.B3) * glide;
            for (int h = 1; h <= kMaxHarmonics; ++h) {
                const double f = h * f0;
                weights[static_cast<std::size_t>(h)] =
                    f < kTopFrequency ? (Peak(f, f1, b1) + 0.6 * Peak(f, f2, b2) + 0.25 * Peak(f, f3, b3)) / h : 0;
            }
        }
        phase += 2 * kPi * f0 / kSampleRate;
        if (phase > 2 * kPi) phase -= 2 * kPi;
        double v = 0;
        for (int h = 1; h <= kMaxHarmonics; ++h) {
            const double w = weights[static_cast<std::size_t>(h)];
            if (w != 0) v += w * std::sin(h * phase);
        }
        const double in = swellIn > 0 ? std::min(1.0, t / swellIn) : 1.0;
        const double out = swellOut > 0 ? std::min(1.0, (length - t) / swellOut) : 1.0;
        const double env = std::max(0.0, in) * std::max(0.0, out);
        const double y = gain * env * env * v;
        s.Left[first + k] += y * left;
        s.Right[first + k] += y * right;
    }
}

void AddRoom(StereoSignal& s, double mix, double size) {
    const std::vector<double> left = Reverberate(s.Left, size, 0);
    const std::vector<double> right = Reverberate(s.Right, size, 23);
    for (std::size_t k = 0; k < s.Frames(); ++k) {
        s.Left[k] += mix * left[k];
        s.Right[k] += mix * right[k];
    }
}

void FadeEdges(StereoSignal& s, double fadeIn, double fadeOut) {
    const std::size_t n = s.Frames();
    const std::size_t in = std::min(n, FrameAt(fadeIn));
    const std::size_t out = std::min(n, FrameAt(fadeOut));
    for (std::size_t k = 0; k < in; ++k) {
        const double g = static_cast<double>(k) / static_cast<double>(in);
        s.Left[k] *= g;
        s.Right[k] *= g;
    }
    for (std::size_t k = 0; k < out; ++k) {
        // The very last frame is silent.
        const double g = static_cast<double>(k) / static_cast<double>(out);
        s.Left[n - 1 - k] *= g;
        s.Right[n - 1 - k] *= g;
    }
}

void Normalize(StereoSignal& s, double peak) {
    double top = 0;
    for (std::size_t k = 0; k < s.Frames(); ++k) top = std::max({top, std::abs(s.Left[k]), std::abs(s.Right[k])});
    if (top <= 0) return;
    const double g = peak / top;
    for (std::size_t k = 0; k < s.Frames(); ++k) {
        s.Left[k] *= g;
        s.Right[k] *= g;
    }
}

}  // namespace zel::soundgen
