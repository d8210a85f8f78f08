// Profile-file reading and rewriting on arbitrary bytes: nothing crashes, a write keeps every
// line it does not touch, and the written key reads back.
#include "platform/IniFile.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    auto lines = ParseIniLines(bytes);
    std::string joined;
    for (const auto& l : lines)
        joined += l.text + l.eol;
    FUZZ_CHECK(joined == bytes); // the line model loses nothing

    struct TempFile {
        std::string path;
        TempFile() {
            char tmpl[] = "/tmp/fuzz_inifile-XXXXXX";
            int fd = mkstemp(tmpl);
            if (fd >= 0) close(fd);
            path = tmpl;
        }
        ~TempFile() { unlink(path.c_str()); }
    };
    static const TempFile temp;
    const std::string& path = temp.path;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);

    TIniFile ini(path);
    for (const auto& s : ini.ReadSections()) {
        for (const auto& kv : ini.ReadSectionValues(s))
            (void)ini.ReadInteger(s, kv.first, 0);
    }
    FUZZ_CHECK(!ini.WriteString("Set", "FuzzKey", "value") ||
               ini.ReadString("Set", "FuzzKey", "") == "value");
    return 0;
}
