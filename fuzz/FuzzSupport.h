#pragma once
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/Dialogs.h"

namespace zel::fuzz {

// The fuzz input as text.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A folder of this process's own for the files the readers open (memory
// backed where the system has /dev/shm), made once and reused by every input.
inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::filesystem::path p = base / ("zel-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p, ec);
        return p;
    }();
    return folder;
}

// Writes the input to `name` in the scratch folder and gives its path.
inline std::string WriteInput(std::string_view bytes, const std::string& name) {
    const std::filesystem::path p = ScratchFolder() / name;
    std::filesystem::create_directories(p.parent_path());
    std::FILE* f = std::fopen(p.c_str(), "wb");
    if (!f) std::abort();  // the fuzzer's own folder must be writable
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
    std::fclose(f);
    return p.string();
}

// Answers every question with its first button, shows nothing.
class SilentDialogs : public Dialogs {
public:
    MsgAnswer Ask(const Message& m) override {
        ++asked;
        switch (m.Buttons) {
            case MsgButtons::YesNo:
            case MsgButtons::YesNoCancel:
                return MsgAnswer::Yes;
            default:
                return MsgAnswer::Ok;
        }
    }
    int asked = 0;  // how many messages the reader showed
};

// The slowest single input so far, printed when the fuzzer ends so the fuzz
// script can report it (libFuzzer itself reports only whole seconds).
class SlowestInput {
public:
    explicit SlowestInput(const char* what) : what_(what) {}
    ~SlowestInput() { std::fprintf(stderr, "zel-fuzz: slowest %s %.3f ms\n", what_, worst_ms_); }
    void Record(double ms) {
        if (ms > worst_ms_) worst_ms_ = ms;
    }

private:
    const char* what_;
    double worst_ms_ = 0;
};

// Times one scope into a SlowestInput.
class Timed {
public:
    explicit Timed(SlowestInput& into) : into_(into), start_(std::chrono::steady_clock::now()) {}
    ~Timed() {
        const auto d = std::chrono::steady_clock::now() - start_;
        into_.Record(std::chrono::duration<double, std::milli>(d).count());
    }

private:
    SlowestInput& into_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace zel::fuzz
