// Arbitrary bytes as an INI text: the reader must not fail, must honour its
// length cap, and a value written with safe names must read back, before and
// after a round through the text.
#include "catalogue/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// A value the reading rules give back unchanged.
std::string SafeValue(std::string_view text) {
    std::string value;
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\0')
            value += c;
    while (!value.empty() && static_cast<unsigned char>(value.back()) <= ' ')
        value.pop_back();
    while (!value.empty() && static_cast<unsigned char>(value.front()) <= ' ')
        value.erase(0, 1);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value.insert(0, "x");
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tsy::TIniFile ini(text);
    for (std::string_view section : ini.SectionNames()) {
        for (const std::string& key : ini.ReadSection(section)) {
            Check(ini.ValueExists(section, key));
            Check(ini.ReadString(section, key, "").size() <= text.size());
        }
        ini.ReadInteger(section, "maxid", 0);
    }

    const std::string value = SafeValue(text.substr(size / 2));
    ini.WriteString("Main", "MaxID", value);
    ini.WriteInteger("001", "catid", static_cast<std::int32_t>(size));
    Check(ini.ReadString("main", "maxid", "<none>") == value);
    const tsy::TIniFile again(ini.Text());
    Check(again.ReadString("MAIN", "maxid", "<none>") == value);
    Check(again.ReadInteger("001", "CatID", -1) == static_cast<std::int32_t>(size));
    Check(ini.EraseSection("main"));
    return 0;
}
