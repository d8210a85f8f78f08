// Profile files on arbitrary bytes: the line model keeps every byte, a written key reads back.
#include "platform/IniFile.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string joined;
    for (const auto& l : ParseIniLines(bytes))
        joined += l.text + l.eol;
    FUZZ_CHECK(joined == bytes); // the line model loses nothing

    struct TempFile { // one file for the whole run, removed at its end
        char path[32] = "/tmp/fuzz_inifile-XXXXXX";
        TempFile() { close(mkstemp(path)); }
        ~TempFile() { unlink(path); }
    };
    static const TempFile temp;
    std::ofstream(temp.path, std::ios::binary) << bytes;

    TIniFile ini(temp.path);
    for (const auto& s : ini.ReadSections())
        for (const auto& kv : ini.ReadSectionValues(s))
            (void)ini.ReadInteger(s, kv.first, 0);
    FUZZ_CHECK(!ini.WriteString("Set", "FuzzKey", "value") ||
               ini.ReadString("Set", "FuzzKey", "") == "value");
    return 0;
}
