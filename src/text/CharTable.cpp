// Codes of the user-defined area and the unassigned rows for one document's extra characters.
#include "text/CharTable.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr unsigned kLeads[] = {0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7,
                               0xF8, 0xF9, 0x85, 0x86, 0xEB, 0xEC, 0xEF};
constexpr unsigned kTrails = 188; // 0x40..0x7E, 0x80..0xFC

int leadIndex(unsigned lead) {
    for (unsigned i = 0; i < sizeof kLeads / sizeof kLeads[0]; ++i)
        if (kLeads[i] == lead) return static_cast<int>(i);
    return -1;
}

unsigned codeOf(std::size_t index) {
    const unsigned lead = kLeads[index / kTrails];
    unsigned t = static_cast<unsigned>(index % kTrails) + 0x40;
    if (t >= 0x7F) ++t;
    return lead << 8 | t;
}

long indexOf(unsigned code) {
    const int li = leadIndex(code >> 8);
    const unsigned t = code & 0xFF;
    if (li < 0 || t < 0x40 || t > 0xFC || t == 0x7F) return -1;
    return static_cast<long>(li) * kTrails + (t > 0x7F ? t - 0x41 : t - 0x40);
}

} // namespace

std::size_t TCharTable::Capacity() {
    return sizeof kLeads / sizeof kLeads[0] * kTrails;
}

bool TCharTable::IsTableCode(unsigned code) {
    return indexOf(code) >= 0;
}

unsigned TCharTable::Find(char32_t ch) const {
    auto it = FByChar.find(ch);
    return it == FByChar.end() ? 0 : it->second;
}

const TCharTableEntry* TCharTable::Entry(unsigned code) const {
    const long i = indexOf(code);
    if (i < 0 || static_cast<std::size_t>(i) >= byIndex_.size()) return nullptr;
    const TCharTableEntry& e = byIndex_[static_cast<std::size_t>(i)];
    return (e.ch || !e.bytes.empty()) ? &e : nullptr;
}

unsigned TCharTable::nextFree() {
    while (next_ < byIndex_.size()) {
        const TCharTableEntry& e = byIndex_[next_];
        if (!e.ch && e.bytes.empty()) return static_cast<unsigned>(next_);
        ++next_;
    }
    return static_cast<unsigned>(byIndex_.size());
}

unsigned TCharTable::give(TCharTableEntry e) {
    const std::size_t i = nextFree();
    if (i >= Capacity()) return 0;
    if (i == byIndex_.size())
        byIndex_.push_back(std::move(e));
    else {
        byIndex_[i] = std::move(e);
        --free_;
    }
    ++next_;
    return codeOf(i);
}

unsigned TCharTable::CodeFor(char32_t ch) {
    if (unsigned c = Find(ch)) return c;
    const unsigned c = give({ch, {}});
    if (c) FByChar.emplace(ch, c);
    return c;
}

unsigned TCharTable::CodeForBytes(std::string_view bytes) {
    auto it = byBytes_.find(bytes);
    if (it != byBytes_.end()) return it->second;
    const unsigned c = give({0, std::string(bytes)});
    if (c) byBytes_.emplace(std::string(bytes), c);
    return c;
}

// Sets the entry at a free index; false when the index is taken or the character or bytes
// already have a code.
bool TCharTable::put(std::size_t at, TCharTableEntry e) {
    if (at < byIndex_.size() && (byIndex_[at].ch || !byIndex_[at].bytes.empty())) return false;
    if (e.ch ? FByChar.count(e.ch) > 0 : byBytes_.count(e.bytes) > 0) return false;
    if (at >= byIndex_.size()) {
        free_ += at + 1 - byIndex_.size();
        byIndex_.resize(at + 1);
    }
    const unsigned code = codeOf(at);
    if (e.ch)
        FByChar.emplace(e.ch, code);
    else
        byBytes_.emplace(e.bytes, code);
    byIndex_[at] = std::move(e);
    --free_;
    return true;
}

std::string TCharTable::Save() const {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    out.reserve(Size() * 12);
    const auto putHex = [&](unsigned v) {
        char buf[8];
        int n = 0;
        do {
            buf[n++] = hex[v & 15];
            v >>= 4;
        } while (v);
        while (n)
            out += buf[--n];
    };
    for (std::size_t i = 0; i < byIndex_.size(); ++i) {
        const TCharTableEntry& e = byIndex_[i];
        if (!e.ch && e.bytes.empty()) continue;
        if (!out.empty()) out += ';';
        putHex(codeOf(i));
        out += '=';
        if (e.ch) {
            putHex(static_cast<unsigned>(e.ch));
        } else {
            out += '#';
            for (unsigned char c : e.bytes) {
                out += hex[c >> 4];
                out += hex[c & 15];
            }
        }
    }
    return out;
}

bool TCharTable::Restore(std::string_view text) {
    const auto number = [](std::string_view s, unsigned long max, unsigned long& v) {
        if (s.empty() || s.size() > 8) return false;
        v = 0;
        for (char c : s) {
            const int d = std::isxdigit(static_cast<unsigned char>(c))
                              ? (std::isdigit(static_cast<unsigned char>(c))
                                     ? c - '0'
                                     : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10)
                              : -1;
            if (d < 0) return false;
            v = v * 16 + static_cast<unsigned long>(d);
        }
        return v <= max;
    };
    TCharTable t;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view item = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t eq = item.find('=');
        unsigned long code = 0, ch = 0;
        if (eq == std::string_view::npos || !number(item.substr(0, eq), 0xFFFF, code)) return false;
        const long index = indexOf(static_cast<unsigned>(code));
        if (index < 0) return false;
        TCharTableEntry e;
        const std::string_view value = item.substr(eq + 1);
        if (!value.empty() && value[0] == '#') {
            if (value.size() < 3 || value.size() % 2 == 0) return false;
            for (std::size_t k = 1; k < value.size(); k += 2) {
                unsigned long b = 0;
                if (!number(value.substr(k, 2), 0xFF, b)) return false;
                e.bytes.push_back(static_cast<char>(b));
            }
        } else {
            if (!number(value, 0x10FFFF, ch) || ch == 0 || (ch >= 0xD800 && ch <= 0xDFFF))
                return false;
            e.ch = static_cast<char32_t>(ch);
        }
        if (!t.put(static_cast<std::size_t>(index), std::move(e))) return false;
    }
    *this = std::move(t);
    return true;
}

void TCharTable::AdoptPlainCodes(std::string_view s) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        const unsigned char lead = static_cast<unsigned char>(s[i]);
        if (!IsDBCSLeadByte(lead)) continue;
        const unsigned code =
            static_cast<unsigned>(lead) << 8 | static_cast<unsigned char>(s[i + 1]);
        ++i;
        const long index = indexOf(code);
        if (index < 0 || Entry(code)) continue;
        const std::size_t at = static_cast<std::size_t>(index);
        if (at >= byIndex_.size()) {
            free_ += at + 1 - byIndex_.size();
            byIndex_.resize(at + 1);
        }
        TCharTableEntry e;
        if (const char32_t ch = Cp932CodeChar(code))
            e.ch = ch;
        else
            e.bytes.assign(s.substr(i - 1, 2));
        if (e.ch) {
            // A character can have one code only; a second plain code for it stays bytes.
            if (FByChar.count(e.ch)) continue;
            FByChar.emplace(e.ch, code);
        } else
            byBytes_.emplace(e.bytes, code);
        byIndex_[at] = std::move(e);
        --free_;
    }
    next_ = 0;
}
