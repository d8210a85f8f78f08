// Hex-dump container in the settings file and the named-property byte format.
#include "app/ObjectIni.h"

#include "platform/IniFile.h"
#include "platform/TextUtil.h"

#include <algorithm>

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string countKey(std::string_view ident) {
    return std::string(ident) + "_c";
}
std::string dataKey(std::string_view ident, int i) {
    return std::string(ident) + "_d" + std::to_string(i);
}

void putU32(std::string& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

bool getU32(std::string_view in, std::size_t& pos, std::uint32_t& v) {
    if (in.size() - pos < 4) return false;
    v = 0;
    for (int k = 0; k < 4; ++k)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[pos + k])) << (8 * k);
    pos += 4;
    return true;
}

} // namespace

std::vector<std::string> HexDumpLines(std::string_view bytes) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < bytes.size(); i += 32) {
        std::string line;
        for (std::size_t j = i; j < std::min(bytes.size(), i + 32); ++j) {
            auto b = static_cast<unsigned char>(bytes[j]);
            line += kHex[b >> 4];
            line += kHex[b & 15];
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string HexDumpBytes(std::string_view digits) {
    std::string out;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        int hi = hexValue(digits[i]), lo = hexValue(digits[i + 1]);
        out += static_cast<char>(hi < 0 || lo < 0 ? 0 : (hi << 4) | lo);
    }
    return out;
}

bool WriteObjectToIni(std::string_view bytes, TIniFile& ini, std::string_view section,
                      std::string_view ident) {
    const std::vector<std::string> lines = HexDumpLines(bytes);
    const int n = static_cast<int>(lines.size());
    ini.BeginUpdate();
    bool ok = true;
    // Data keys from the old count down to the new one go. The keys present are looked at rather
    // than counted down from the stored count, so a damaged count cannot run for ages.
    std::vector<std::pair<int, std::string>> stale;
    const std::string prefix = std::string(ident) + "_d";
    for (const std::string& key : ini.ReadSection(section)) {
        int i = 0;
        if (key.size() > prefix.size() && SameTextAscii(key.substr(0, prefix.size()), prefix) &&
            key[prefix.size()] != '+' && ParseDecimalInt(key.substr(prefix.size()), i) && i >= n)
            stale.emplace_back(i, key);
    }
    std::sort(stale.rbegin(), stale.rend());
    for (const auto& [i, key] : stale)
        if (ok) ok = ini.DeleteKey(section, key);
    if (ok && n == 0) ok = ini.DeleteKey(section, countKey(ident));
    if (ok && n > 0) ok = ini.WriteInteger(section, countKey(ident), n);
    for (int i = 0; ok && i < n; ++i)
        ok = ini.WriteString(section, dataKey(ident, i), lines[i]);
    bool written = ini.EndUpdate();
    return ok && written;
}

std::string ReadObjectFromIni(const TIniFile& ini, std::string_view section,
                              std::string_view ident) {
    std::string digits;
    const int n = ini.ReadInteger(section, countKey(ident), 0);
    // A missing line ends the dump (a damaged count cannot make this run for ages).
    for (int i = 0; i < n && ini.ValueExists(section, dataKey(ident, i)); ++i)
        digits += ini.ReadString(section, dataKey(ident, i), "");
    return HexDumpBytes(digits);
}

bool WriteObjectToIni(const TStreamable& obj, const std::string& iniPath, std::string_view section,
                      std::string_view ident) {
    TIniFile ini(iniPath);
    return WriteObjectToIni(obj.SaveToBytes(), ini, section, ident);
}

bool ReadObjectFromIni(TStreamable& obj, const std::string& iniPath, std::string_view section,
                       std::string_view ident) {
    TIniFile ini(iniPath);
    std::string bytes = ReadObjectFromIni(ini, section, ident);
    if (bytes.empty()) return false;
    obj.LoadFromBytes(bytes);
    return true;
}

void TPropertyWriter::PutName(std::string_view n, char type) {
    out_ += static_cast<char>(std::min<std::size_t>(n.size(), 255));
    out_ += n.substr(0, 255);
    out_ += type;
}

void TPropertyWriter::Int(std::string_view n, std::int32_t v) {
    PutName(n, 'i');
    putU32(out_, static_cast<std::uint32_t>(v));
}

void TPropertyWriter::Text(std::string_view n, std::string_view v) {
    PutName(n, 's');
    putU32(out_, static_cast<std::uint32_t>(v.size()));
    out_ += v;
}

TPropertyReader::TPropertyReader(std::string_view in) {
    std::size_t pos = 0;
    while (pos < in.size()) {
        std::size_t len = static_cast<unsigned char>(in[pos++]);
        if (in.size() - pos < len + 1) return;
        std::string n(in.substr(pos, len));
        pos += len;
        Value v{in[pos++], 0, {}};
        std::uint32_t u = 0;
        if (!getU32(in, pos, u)) return;
        if (v.type == 'i') {
            v.i = static_cast<std::int32_t>(u);
        } else if (v.type == 's') {
            if (in.size() - pos < u) return;
            v.s = std::string(in.substr(pos, u));
            pos += u;
        } else {
            return; // unknown type: the rest cannot be framed
        }
        props_.emplace(std::move(n), std::move(v));
    }
}

void TPropertyReader::Int(std::string_view n, std::int32_t& v) const {
    auto it = props_.find(n);
    if (it != props_.end() && it->second.type == 'i') v = it->second.i;
}

void TPropertyReader::Int(std::string_view n, int& v, int lo, int hi) const {
    std::int32_t t = v;
    Int(n, t);
    v = std::clamp<int>(t, lo, hi);
}

void TPropertyReader::Bool(std::string_view n, bool& v) const {
    std::int32_t t = v ? 1 : 0;
    Int(n, t);
    v = t != 0;
}

void TPropertyReader::Color(std::string_view n, std::uint32_t& v) const {
    std::int32_t t = static_cast<std::int32_t>(v);
    Int(n, t);
    v = static_cast<std::uint32_t>(t);
}

void TPropertyReader::Text(std::string_view n, std::string& v) const {
    auto it = props_.find(n);
    if (it != props_.end() && it->second.type == 's') v = it->second.s;
}
