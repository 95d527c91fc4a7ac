// The one INI key lookup and the key conversions every file goes through.
#include "FuzzSupport.h"
#include "base/IniKeyReader.h"
#include "base/IniLookup.h"
#include "base/TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    zel::IniFile f;
    f.OpenText(zel::DecodeFileText(zel::fuzz::Bytes(data, size)));
    static const char* const kSections[] = {"zelset", "general", "R1", "KOMANDA", "", "ЗАПИСЬ"};
    static const char* const kKeys[] = {"R0", "RM0", "MaxX", "Sound", "Ftr", "chk0", "Xpos", "u", "Имя"};
    for (const char* section : kSections) {
        zel::IniKeyReader strict(f, section);
        zel::IniKeyReader lenient(f, section);
        lenient.KeepGoing();
        for (const char* key : kKeys) {
            (void)f.GetIniValue(section, key);
            (void)strict.Int16(key);
            (void)strict.BoxState(key);
            (void)strict.Number(key);
            (void)strict.StrictInt16(key);
            (void)lenient.BoxState(key);
            (void)lenient.TakeSkip();
        }
    }
    return 0;
}
