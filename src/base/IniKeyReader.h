#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/IniLookup.h"

namespace zel {

// Reads the keys of one section of an open INI file with the conversions the
// settings and match files use, and remembers the first conversion that
// failed. After a failure the checked reads give 0 and keep the first
// description, so a loader can read on and decide once, or stop at once.
// The descriptions are the texts a load-failure message shows.
//
// A reader told to KeepGoing never fails as a whole: each unusable value is
// noted in Skipped() and flagged for the caller (TakeSkip), who gives that
// key its fallback and reads on. The settings file uses this, so one bad
// key costs only that key and not every name and mass beside it.
class IniKeyReader {
public:
    IniKeyReader(const IniFile& file, std::string section);

    // From now on a failure is noted per key instead of stopping the reader.
    void KeepGoing() { keepGoing_ = true; }

    // The value text as the key lookup finds it; "" when the key is missing.
    std::string Text(const std::string& key) const;

    // The value's numeric prefix; text without a number gives 0. Never fails.
    double Number(const std::string& key) const;

    // The numeric prefix taken to 16 bits; a value that does not fit is a
    // failure and gives 0.
    std::int16_t Int16(const std::string& key);

    // The whole value as a 16-bit number, or nothing when it is not one.
    // Never recorded as a failure: callers keep their old value instead.
    std::optional<std::int16_t> StrictInt16(const std::string& key) const;

    // A check box's state (numeric prefix): 0, 1 or 2; any other number is a
    // failure and gives 0.
    std::int16_t BoxState(const std::string& key);

    // Records a failure found by the caller (the first one is kept).
    void Fail(std::string description);

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

    // True once after a read that KeepGoing skipped (the caller then uses
    // its fallback for that key); always false for a stopping reader.
    bool TakeSkip() { return std::exchange(skipped_now_, false); }
    // The descriptions of every skipped value, in reading order.
    const std::vector<std::string>& Skipped() const { return skipped_; }

    // A value quoted for a failure description, shortened when long.
    static std::string Quote(const std::string& value);

private:
    const IniFile& file_;   // the open file the keys are looked up in
    std::string section_;   // the section whose keys are read
    std::string error_;     // the first failure; "" while every read went well
    bool keepGoing_ = false;             // failures are noted per key, see KeepGoing
    bool skipped_now_ = false;           // the last failure is not yet taken by TakeSkip
    std::vector<std::string> skipped_;   // descriptions of the skipped values
};

}  // namespace zel
