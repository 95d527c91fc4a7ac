#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zel {

// The fields of a message body as NetCodec.h describes them: big-endian
// integers, texts with a 2-byte length, numbers as their shortest decimal.
class FieldWriter {
public:
    void U8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void I16(std::int16_t v);
    void I32(std::int32_t v);
    // Texts longer than 65535 bytes are cut there (the reader refuses them anyway).
    void Text(std::string_view t);
    void Number(double v);
    const std::string& Bytes() const { return out_; }

private:
    std::string out_;
};

// Reads fields in order and holds each to its bounds. The first failure
// stops the reader: every later call fails too, and Error() says in the
// player's words which field was wrong.
class FieldReader {
public:
    explicit FieldReader(std::string_view body) : in_(body) {}

    bool U8(std::uint8_t& v, std::uint8_t lo, std::uint8_t hi, const char* what);
    bool I16(std::int16_t& v, std::int16_t lo, std::int16_t hi, const char* what);
    bool I32(std::int32_t& v, std::int32_t lo, std::int32_t hi, const char* what);
    bool Flag(std::int16_t& v, const char* what);  // -1 or 0
    // UTF-8 of minBytes..maxBytes bytes; with `oneLine` no control characters.
    bool Text(std::string& v, std::size_t minBytes, std::size_t maxBytes, bool oneLine,
              const char* what);
    // A finite number within [-bound, bound], written exactly as FormatDouble writes it.
    bool Number(double& v, double bound, const char* what);
    // Every byte used: trailing bytes are an error.
    bool End();

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }
    // Stops the reader for a rule between fields (the first failure stays).
    bool Fail(const char* what, const char* why);

private:
    bool Take(std::size_t n, std::string_view& out, const char* what);

    std::string_view in_;
    std::size_t at_ = 0;
    std::string error_;
};

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view t);

}  // namespace zel
