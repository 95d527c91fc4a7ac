#pragma once
#include <chrono>
#include <streambuf>

namespace zel::fuzz {

// A trace stream that keeps nothing but the longest time between two of its
// writes. The simulator writes one trace block per physics tick, so this is
// the longest tick of a run (with the trace formatting, a little more).
class TickClock : public std::streambuf {
public:
    TickClock() : last_(std::chrono::steady_clock::now()) {}
    double WorstMs() const { return worst_ms_; }

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        Tick();
        return n;
    }
    int_type overflow(int_type c) override {
        Tick();
        return traits_type::not_eof(c);
    }

private:
    void Tick() {
        const auto now = std::chrono::steady_clock::now();
        const double ms = std::chrono::duration<double, std::milli>(now - last_).count();
        if (ms > worst_ms_) worst_ms_ = ms;
        last_ = now;
    }
    std::chrono::steady_clock::time_point last_;
    double worst_ms_ = 0;
};

}  // namespace zel::fuzz
