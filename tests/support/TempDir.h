#pragma once
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace zel::test {

// A fresh directory under the system's temp folder, removed with everything
// in it when the object goes out of scope. Each test makes its own, so tests
// never share files and can run in parallel processes.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        for (int i = 0; i < 1000; ++i) {
            auto p = base / ("zel-test-" + std::to_string(::getpid()) + "-" +
                             std::to_string(counter++));
            std::error_code ec;
            if (std::filesystem::create_directory(p, ec)) {
                path_ = p;
                break;
            }
        }
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) {
            // Tests may have taken write permission away; give it back first.
            std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
            std::filesystem::remove_all(path_, ec);
        }
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of `name` inside the directory, as a string.
    std::string File(const std::string& name) const { return (path_ / name).string(); }

    // Writes `bytes` exactly as given to `name` and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string p = File(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

    // The whole content of a file as bytes ("" when it cannot be read).
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

}  // namespace zel::test
