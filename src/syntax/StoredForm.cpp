// The stored form of a colouring definition: "TFNT", a version byte, the number of records, then
// records of a name, a 32-bit payload length and the payload (integers little-endian). Colour
// items are named "c:" + item, strings "s:" + name, Booleans "b:" + name. Unknown names are
// skipped, so later versions can add settings; every read is bounds-checked.
#include "syntax/Fountain.h"

#include <cstring>

namespace {

constexpr char kMagic[4] = {'T', 'F', 'N', 'T'};
constexpr std::uint8_t kVersion = 1;

class Writer {
  public:
    void U8(std::uint8_t v) { out.push_back(static_cast<char>(v)); }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            U8(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void Str(std::string_view s) {
        U32(static_cast<std::uint32_t>(s.size()));
        out.append(s);
    }
    void Color(const TFountainColor& c) {
        U32(c.BkColor());
        U32(c.Color());
        U8(c.Style());
    }
    // A record: its name, then a payload written by f, preceded by its length.
    template <class F> void Record(std::string_view name, F&& f) {
        ++records;
        U8(static_cast<std::uint8_t>(name.size()));
        out.append(name);
        size_t at = out.size();
        U32(0);
        f();
        std::uint32_t len = static_cast<std::uint32_t>(out.size() - at - 4);
        for (int i = 0; i < 4; ++i)
            out[at + static_cast<size_t>(i)] = static_cast<char>(len >> (8 * i));
    }
    std::string out;
    std::uint32_t records = 0;
};

class Reader {
  public:
    explicit Reader(std::string_view b) : in(b) {}
    bool ok = true;
    bool AtEnd() const { return pos >= in.size(); }
    std::uint8_t U8() {
        if (pos + 1 > in.size()) return Fail(), 0;
        return static_cast<std::uint8_t>(in[pos++]);
    }
    std::uint32_t U32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(U8()) << (8 * i);
        return v;
    }
    std::string_view Bytes(size_t n) {
        if (n > in.size() - pos) return Fail(), std::string_view();
        std::string_view r = in.substr(pos, n);
        pos += n;
        return r;
    }
    std::string Str() { return std::string(Bytes(U32())); }
    std::vector<std::string> List() {
        std::vector<std::string> v;
        std::uint32_t n = U32();
        for (std::uint32_t i = 0; i < n && ok; ++i)
            v.push_back(Str());
        return v;
    }
    void Color(TFountainColor& c) {
        TColor bk = U32(), fg = U32();
        TFontStyles st = U8();
        if (!ok) return;
        c.SetBkColor(bk);
        c.SetColor(fg);
        c.SetStyle(st);
    }
    void Fail() { ok = false; }

  private:
    std::string_view in;
    size_t pos = 0;
};

} // namespace

std::vector<TFountain::NamedColor> TFountain::ColorItems() {
    return {{"Reserve", &reserve_}};
}

std::string TFountain::SaveToBytes() const {
    auto& self = const_cast<TFountain&>(*this); // the item tables are shared with the dialog
    Writer w;
    w.out.append(kMagic, 4);
    w.U8(kVersion);
    w.U32(0); // record count, filled in below
    w.Record("Brackets", [&] {
        w.U32(static_cast<std::uint32_t>(brackets_->Count()));
        for (int i = 0; i < brackets_->Count(); ++i) {
            const TFountainBracketItem& b = brackets_->Items(i);
            w.Str(b.LeftBracket());
            w.Str(b.RightBracket());
            w.Color(b.ItemColor());
        }
    });
    w.Record("ReserveWordList", [&] {
        w.U32(static_cast<std::uint32_t>(reserveWords_.size()));
        for (const auto& s : reserveWords_)
            w.Str(s);
    });
    w.Record("FileExtList", [&] {
        w.U32(static_cast<std::uint32_t>(fileExts_.size()));
        for (const auto& s : fileExts_)
            w.Str(s);
    });
    for (const auto& item : self.ColorItems()) {
        const TFountainColor* c = item.second;
        w.Record(std::string("c:") + item.first, [&] { w.Color(*c); });
    }
    for (const auto& item : self.StringFields()) {
        const std::string* s = item.second;
        w.Record(std::string("s:") + item.first, [&] { w.Str(*s); });
    }
    for (const auto& item : self.BoolFields()) {
        const bool* b = item.second;
        w.Record(std::string("b:") + item.first, [&] { w.U8(*b ? 1 : 0); });
    }
    for (int i = 0; i < 4; ++i)
        w.out[5 + static_cast<size_t>(i)] = static_cast<char>(w.records >> (8 * i));
    return w.out;
}

bool TFountain::TryLoadFromBytes(std::string_view bytes) {
    if (bytes.size() < 5 || std::memcmp(bytes.data(), kMagic, 4) != 0 || bytes[4] == 0)
        return false;
    std::unique_ptr<TFountain> tmp = CreateEmpty();
    auto colors = tmp->ColorItems();
    auto strings = tmp->StringFields();
    auto bools = tmp->BoolFields();
    Reader r(bytes.substr(5));
    std::uint32_t records = r.U32();
    for (std::uint32_t k = 0; k < records && r.ok; ++k) {
        std::string name(r.Bytes(r.U8()));
        std::uint32_t len = r.U32();
        std::string_view payload = r.Bytes(len);
        if (!r.ok) break;
        Reader p(payload);
        if (name == "Brackets") {
            std::uint32_t n = p.U32();
            if (n > TFountainBracketCollection::MaxItems) return false;
            for (std::uint32_t i = 0; i < n && p.ok; ++i) {
                TFountainBracketItem& b = tmp->Brackets().Add();
                b.SetLeftBracket(p.Str());
                b.SetRightBracket(p.Str());
                p.Color(b.ItemColor());
            }
        } else if (name == "ReserveWordList") {
            tmp->SetReserveWordList(p.List());
        } else if (name == "FileExtList") {
            tmp->SetFileExtList(p.List());
        } else {
            std::string_view key = std::string_view(name).substr(std::min<size_t>(2, name.size()));
            if (name.starts_with("c:"))
                for (auto& [n, c] : colors)
                    if (key == n) p.Color(*c);
            if (name.starts_with("s:"))
                for (auto& [n, s] : strings)
                    if (key == n) *s = p.Str();
            if (name.starts_with("b:"))
                for (auto& [n, b] : bools)
                    if (key == n) *b = p.U8() != 0;
        }
        if (!p.ok) return false;
    }
    if (!r.ok || !r.AtEnd()) return false;
    Assign(*tmp);
    return true;
}
