// Colouring definitions and the base tokenizer with its row walk.
#include "syntax/Fountain.h"

#include <algorithm>
#include <array>

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string LowerCopy(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = LowerAscii(c);
    return r;
}

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
bool IsAlpha(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsWordChar(unsigned char c) {
    return IsDigit(c) || IsAlpha(c) || c == '_';
}
bool IsKanjiLead(unsigned char c) {
    return (c >= 0x88 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool IsHiraganaTrail(unsigned char t) {
    return t >= 0x9F && t <= 0xF1;
}
bool IsLongMarkTrail(unsigned char t) {
    return t == 0x5B || t == 0x7C;
}
bool IsLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool InRange(unsigned char c, int lo, int hi) {
    return c >= lo && c <= hi;
}

using ByteSet = std::array<bool, 256>;

ByteSet MakeSet(std::string_view extra) {
    ByteSet s{};
    for (int c = 0; c < 256; ++c)
        s[static_cast<size_t>(c)] = IsWordChar(static_cast<unsigned char>(c)) && c != '_';
    for (char c : extra)
        s[static_cast<unsigned char>(c)] = true;
    return s;
}

// Letters and digits plus the listed symbols.
const ByteSet kUrlChars = MakeSet("#%&+-./:=?_~");
const ByteSet kMailChars = MakeSet("!$%&*,-./;=?@^_~");

ByteSet MakeTable(bool (*f)(unsigned char)) {
    ByteSet s{};
    for (int c = 0; c < 256; ++c)
        s[static_cast<size_t>(c)] = f(static_cast<unsigned char>(c));
    return s;
}
const ByteSet kWordChars = MakeTable(IsWordChar);
const ByteSet kKanjiLeads = MakeTable(IsKanjiLead);

// What the first byte of a token starts when no language routine takes it.
enum : std::uint8_t { bcSymbol, bcTab, bcDigit, bcWord, bcLead, bcHalfKana };
std::array<std::uint8_t, 256> MakeByteClasses() {
    std::array<std::uint8_t, 256> a{};
    for (int i = 0; i < 256; ++i) {
        auto c = static_cast<unsigned char>(i);
        a[static_cast<size_t>(i)] = c == 9                     ? bcTab
                                    : IsDigit(c)               ? bcDigit
                                    : IsAlpha(c) || c == '_'   ? bcWord
                                    : IsLead(c)                ? bcLead
                                    : (c >= 0xA1 && c <= 0xDF) ? bcHalfKana
                                                               : bcSymbol;
    }
    return a;
}
const std::array<std::uint8_t, 256> kByteClass = MakeByteClasses();

// Double-byte characters by lead byte (0 none of the below, 1 0x81, 2 0x82, 3 0x83, 4 a kanji
// lead) and trail byte: the kind a character starts and the kinds whose run it continues.
struct DBCSTables {
    std::uint8_t Row[256] = {};
    std::uint8_t Start[5][256] = {};
    std::uint8_t Continues[5][256] = {}; // bits of DBCSKindBit
};
std::uint8_t DBCSKindBit(int kind) {
    switch (kind) {
    case toDBInt:
        return 1;
    case toDBAlph:
        return 2;
    case toDBHira:
        return 4;
    case toDBKana:
        return 8;
    case toDBKanji:
        return 16;
    default:
        return 0;
    }
}
DBCSTables MakeDBCSTables() {
    DBCSTables d;
    for (int c = 0; c < 256; ++c) {
        auto b = static_cast<unsigned char>(c);
        d.Row[c] = c == 0x81 ? 1 : c == 0x82 ? 2 : c == 0x83 ? 3 : IsKanjiLead(b) ? 4 : 0;
    }
    for (int t = 0; t < 256; ++t) {
        auto b = static_cast<unsigned char>(t);
        for (int r = 0; r < 5; ++r)
            d.Start[r][t] = toDBSymbol;
        if (InRange(b, 0x43, 0x44)) d.Continues[1][t] = DBCSKindBit(toDBInt);
        if (IsLongMarkTrail(b)) d.Continues[1][t] = DBCSKindBit(toDBHira) | DBCSKindBit(toDBKana);
        int k2 = InRange(b, 0x4F, 0x58)                             ? toDBInt
                 : InRange(b, 0x60, 0x79) || InRange(b, 0x81, 0x9A) ? toDBAlph
                 : IsHiraganaTrail(b)                               ? toDBHira
                                                                    : toDBSymbol;
        d.Start[2][t] = static_cast<std::uint8_t>(k2);
        d.Continues[2][t] = DBCSKindBit(k2);
        if (InRange(b, 0x40, 0x96)) {
            d.Start[3][t] = toDBKana;
            d.Continues[3][t] = DBCSKindBit(toDBKana);
        }
        d.Start[4][t] = toDBKanji;
        if (b >= 0x40) d.Continues[4][t] = DBCSKindBit(toDBKanji);
    }
    return d;
}
const DBCSTables kDBCS = MakeDBCSTables();

// Whether any of the eight bytes of x is below 14 (NUL, LF and CR are).
inline bool AnyBelow14(std::uint64_t x) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    return ((x - ones * 14) & ~x & highs) != 0;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// State packing

void TFountainState::ToBytes(std::uint8_t out[5]) const {
    out[0] = Element;
    out[1] = Token;
    out[2] = static_cast<std::uint8_t>(Remain & 0xFF);
    out[3] = static_cast<std::uint8_t>(Remain >> 8);
    out[4] = PrevToken;
}

void TFountainState::FromBytes(const std::uint8_t in[5]) {
    Element = in[0];
    Token = in[1];
    Remain = static_cast<std::uint16_t>(in[2] | (in[3] << 8));
    PrevToken = in[4];
}

// ---------------------------------------------------------------------------------------------
// TFountain

TFountain::TFountain(std::string name, std::unique_ptr<TFountainBracketCollection> brackets)
    : name_(std::move(name)), brackets_(std::move(brackets)) {
    if (!brackets_) brackets_ = std::make_unique<TFountainBracketCollection>();
    brackets_->SetOnChange([this] { Changed(); });
    Watch(reserve_);
}

TFountain::~TFountain() = default;

void TFountain::SetReserveWordList(std::vector<std::string> words) {
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    words.erase(std::remove(words.begin(), words.end(), std::string()), words.end());
    if (words == reserveWords_) return;
    reserveWords_ = std::move(words);
    lowerWords_.clear();
    maxWordLen_ = 0;
    for (const auto& w : reserveWords_) {
        lowerWords_.push_back(LowerCopy(w));
        maxWordLen_ = std::max(maxWordLen_, w.size());
    }
    std::sort(lowerWords_.begin(), lowerWords_.end());
    Changed();
}

bool TFountain::IsReserveWord(std::string_view word) const {
    if (word.empty() || word.size() > maxWordLen_) return false;
    char buf[256];
    if (word.size() > sizeof buf) return false;
    for (size_t i = 0; i < word.size(); ++i)
        buf[i] = LowerAscii(word[i]);
    std::string_view key(buf, word.size());
    auto it = std::lower_bound(lowerWords_.begin(), lowerWords_.end(), key,
                               [](const std::string& a, std::string_view b) { return a < b; });
    return it != lowerWords_.end() && *it == key;
}

void TFountain::SetFileExtList(std::vector<std::string> exts) {
    if (exts == fileExts_) return;
    fileExts_ = std::move(exts);
    Changed();
}

bool TFountain::HasExtension(std::string_view ext) const {
    std::string e = LowerCopy(ext);
    for (const auto& x : fileExts_)
        if (LowerCopy(x) == e) return true;
    return false;
}

void TFountain::Assign(const TFountain& src) {
    if (&src == this) return;
    BeginUpdate();
    brackets_->Assign(*src.brackets_);
    reserve_.Assign(src.reserve_);
    SetReserveWordList(src.reserveWords_);
    SetFileExtList(src.fileExts_);
    EndUpdate();
}

int TFountain::AddChangeListener(std::function<void()> f) {
    int id = nextListener_++;
    listeners_[id] = std::move(f);
    return id;
}

void TFountain::RemoveChangeListener(int id) {
    listeners_.erase(id);
}

void TFountain::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && pending_) {
        pending_ = false;
        Changed();
    }
}

void TFountain::Changed() {
    ++revision_;
    if (updateCount_ > 0) {
        pending_ = true;
        return;
    }
    // A listener may remove itself while being called: walk a copy.
    auto copy = listeners_;
    for (auto& [id, f] : copy)
        if (f) f();
}

// ---------------------------------------------------------------------------------------------
// TFountainParser

TFountainParser::TFountainParser(const TFountain* fountain) : fountain_(fountain) {
    if (!fountain_) throw EFountainError("TFountainParser.Create need instance of TFountain");
}

void TFountainParser::Sanitize(const TFountainState& st) {
    bracket_ = st.BracketIndex;
    if (bracket_ < -1 || bracket_ >= fountain_->Brackets().Count()) bracket_ = -1;
    element_ = st.Element <= MaxElement() ? st.Element : 0;
    prevToken_ = st.PrevToken;
    str_ = st.Str;
    contKind_ = st.Token;
    contRemain_ = st.Remain;
    prevRowEnd_ = st.PrevRowEnd;
}

void TFountainParser::Refresh() {
    std::fill(std::begin(bracketStart_), std::end(bracketStart_), 0);
    anyBracket_ = false;
    const TFountainBracketCollection& b = fountain_->Brackets();
    for (int i = 0; i < b.Count(); ++i)
        if (const std::string& left = b.Items(i).LeftBracket(); !left.empty()) {
            auto c = static_cast<unsigned char>(left[0]);
            bracketStart_[c >> 6] |= std::uint64_t{1} << (c & 63);
            anyBracket_ = true;
        }
}

void TFountainParser::Resync() {
    revision_ = fountain_->Revision();
    Refresh();
    const std::array<bool, 256>* guard = SkipGuard();
    guarded_ = guard && std::find(guard->begin(), guard->end(), true) != guard->end();
}

void TFountainParser::NewData(std::string_view text, const TFountainState& state) {
    SyncFountain();
    text_ = text;
    int n = static_cast<int>(std::min<size_t>(text.size(), 0x7FFFFFF0));
    int e = 0;
    const char* p = text.data();
    // Eight bytes at a time while none of them can end the row.
    for (std::uint64_t w; e + 8 <= n; e += 8) {
        std::memcpy(&w, p + e, 8);
        if (AnyBelow14(w)) break;
    }
    while (e < n && p[e] != 0 && p[e] != 10 && p[e] != 13)
        ++e;
    end_ = e;
    pos_ = start_ = 0;
    token_ = toEof;
    tokenBracket_ = -1;
    wordFrom_ = -1;
    first_ = true;
    Sanitize(state);
}

bool TFountainParser::StartsWithNoCase(int i, std::string_view s) const {
    if (s.empty() || i < 0 || static_cast<size_t>(end_ - i) < s.size()) return false;
    for (size_t k = 0; k < s.size(); ++k)
        if (LowerAscii(text_[static_cast<size_t>(i) + k]) != LowerAscii(s[k])) return false;
    return true;
}

bool TFountainParser::ContinueFromState() {
    int k = contKind_, r = contRemain_;
    contKind_ = contRemain_ = 0;
    if (k == toEof || end_ == 0) return false;
    start_ = pos_ = 0;
    if (k == toComment) {
        ScanComment();
        return true;
    }
    if (k == toBracket) {
        if (r <= 0 || bracket_ < 0) return false;
        tokenBracket_ = bracket_;
        bracket_ = -1;
        pos_ = std::min(r, end_);
        token_ = toBracket;
        return true;
    }
    if (r == TFountainState::RemainRun) { // the token goes on over this whole row or beyond
        ContinueRun(k);
        return pos_ > 0;
    }
    if (r > 0) {
        pos_ = std::min(r, end_);
        token_ = k;
        return true;
    }
    if (ContinueQuote(k) && pos_ > start_) return true;
    pos_ = 0;
    return false;
}

const TFountainColor* TFountainParser::BaseKindColor(int kind, const BaseKindColors& c) {
    switch (kind) {
    case toSymbol:
        return &c.Symbol;
    case toInteger:
    case toFloat:
    case toHex:
        return &c.Int;
    case toComment:
        return &c.Comment;
    case toAnk:
        return &c.Ank;
    case toDBSymbol:
    case toDBInt:
    case toDBAlph:
    case toDBHira:
    case toDBKana:
    case toDBKanji:
    case toKanaSymbol:
    case toKana:
        return &c.DBCS;
    default:
        return nullptr;
    }
}

bool TFountainParser::ContinueQuote(int kind) {
    if (kind == toSingleQuotation) {
        ScanQuoted("'", kind, false, false);
        return true;
    }
    if (kind == toDoubleQuotation) {
        ScanQuoted("\"", kind, false, false);
        return true;
    }
    return false;
}

void TFountainParser::ScanBracketText(int index, int from) {
    const std::string& right = fountain_->Brackets().Items(index).RightBracket();
    tokenBracket_ = index;
    token_ = toBracket;
    if (right.empty()) {
        pos_ = from;
        bracket_ = -1;
        return;
    }
    size_t found =
        text_.substr(0, static_cast<size_t>(end_)).find(right, static_cast<size_t>(from));
    if (found == std::string_view::npos) {
        pos_ = end_;
        bracket_ = index;
    } else {
        pos_ = static_cast<int>(found + right.size());
        bracket_ = -1;
    }
}

bool TFountainParser::TryOpenBracket() {
    const TFountainBracketCollection& b = fountain_->Brackets();
    unsigned char c = At(pos_);
    for (int i = 0; i < b.Count(); ++i) {
        const std::string& left = b.Items(i).LeftBracket();
        if (left.empty() || static_cast<unsigned char>(left[0]) != c) continue;
        if (!StartsWith(pos_, left)) continue;
        ScanBracketText(i, pos_ + static_cast<int>(left.size()));
        return true;
    }
    return false;
}

int TFountainParser::NextToken() {
    if (token_ != toEof) prevToken_ = token_;
    if (first_) {
        first_ = false;
        if (ContinueFromState()) return token_;
    }
    if (bracket_ >= 0 && fountain_->Brackets().Items(bracket_).RightBracket().empty())
        bracket_ = -1; // a pair without a right string closes where it opens
    if (bracket_ >= 0 && pos_ < end_) {
        // An open bracket's text continues from here, blanks included.
        start_ = pos_;
        ScanBracketText(bracket_, pos_);
        return token_;
    }
    const char* d = text_.data();
    while (pos_ < end_ && IsFountainSkip(static_cast<unsigned char>(d[pos_])))
        ++pos_;
    start_ = pos_;
    if (pos_ >= end_) {
        token_ = toEof;
        return token_;
    }
    if (MayOpenBracket(static_cast<unsigned char>(d[pos_])) && TryOpenBracket()) return token_;
    ScanToken();
    if (pos_ <= start_) { // every routine consumes at least one byte; never stall
        pos_ = start_ + 1;
        token_ = toSymbol;
    }
    if (pos_ > end_) pos_ = end_;
    return token_;
}

void TFountainParser::ScanToken() {
    switch (kByteClass[At(pos_)]) {
    case bcTab:
        ++pos_;
        token_ = toTab;
        break;
    case bcDigit:
        ScanNumber();
        break;
    case bcWord:
        ScanWord();
        break;
    case bcLead:
        ScanDBCS();
        break;
    case bcHalfKana:
        ScanHalfKana();
        break;
    default:
        ScanSymbol();
        break;
    }
}

void TFountainParser::ScanNumber() {
    int i = pos_;
    while (IsDigit(At(i)))
        ++i;
    token_ = toInteger;
    if (At(i) == '.' && IsDigit(At(i + 1))) {
        i += 2;
        while (IsDigit(At(i)))
            ++i;
        token_ = toFloat;
    }
    unsigned char e = At(i);
    if (e == 'E' || e == 'e') {
        int j = i + 1;
        if (At(j) == '+' || At(j) == '-') ++j;
        if (IsDigit(At(j))) {
            while (IsDigit(At(j)))
                ++j;
            i = j;
            token_ = toFloat;
        }
    }
    pos_ = i;
}

int TFountainParser::WordEnd(int i) const {
    const char* d = text_.data();
    while (i < end_ && kWordChars[static_cast<unsigned char>(d[i])])
        ++i;
    return i;
}

void TFountainParser::ScanWord() {
    pos_ = wordFrom_ == pos_ ? wordEnd_ : WordEnd(pos_);
    token_ = fountain_->IsReserveWord(TokenString()) ? toReserve : toAnk;
}

// End of the run of a double-byte class that continues at p: whole characters (lead and trail
// byte within the row) of the class.
int TFountainParser::DBCSRunEnd(int p, int kind) const {
    const std::uint8_t bit = DBCSKindBit(kind);
    if (!bit) return p;
    const auto* d = reinterpret_cast<const unsigned char*>(text_.data());
    const int e = end_ - 1; // a character starts before it
    while (p < e && (kDBCS.Continues[kDBCS.Row[d[p]]][d[p + 1]] & bit))
        p += 2;
    return p;
}

void TFountainParser::ScanDBCS() {
    unsigned char c = At(pos_), t = At(pos_ + 1);
    token_ = toDBSymbol;
    if (pos_ + 1 >= end_) { // a lead byte without its trail byte at the row end
        pos_ += 1;
        return;
    }
    token_ = kDBCS.Start[kDBCS.Row[c]][t];
    pos_ = DBCSRunEnd(pos_ + 2, token_);
}

void TFountainParser::ContinueRun(int kind) {
    int p = pos_;
    switch (kind) {
    case toUrl:
        while (p < end_ && kUrlChars[At(p)])
            ++p;
        break;
    case toMail:
        while (p < end_ && kMailChars[At(p)])
            ++p;
        break;
    case toAnk:
    case toReserve:
        p = WordEnd(p);
        break;
    case toInteger:
    case toFloat:
    case toControlCode:
        while (IsDigit(At(p)))
            ++p;
        break;
    case toHex:
    case toHexControlCode:
        p = HexEnd(p);
        break;
    case toDBInt:
    case toDBAlph:
    case toDBHira:
    case toDBKana:
    case toDBKanji:
        p = DBCSRunEnd(p, kind);
        break;
    case toKana:
        while (InRange(At(p), 0xA6, 0xDF))
            ++p;
        break;
    default:
        p = RunEnd(p, kind);
        break;
    }
    pos_ = p;
    token_ = kind;
}

int TFountainParser::RunEnd(int p, int /*kind*/) const {
    // A token of a kind without a run of its own goes on over the non-blank bytes.
    while (p < end_ && At(p) > 32)
        ++p;
    return p;
}

void TFountainParser::ScanHalfKana() {
    unsigned char c = At(pos_);
    if (c <= 0xA5) {
        pos_ += 1;
        token_ = toKanaSymbol;
        return;
    }
    while (InRange(At(pos_), 0xA6, 0xDF))
        ++pos_;
    token_ = toKana;
}

void TFountainParser::ScanQuoted(std::string_view q, int kind, bool doubled, bool expectOpen) {
    const int n = static_cast<int>(q.size());
    int p = pos_ + (expectOpen ? n : 0);
    while (p < end_) {
        if (StartsWith(p, q)) {
            p += n;
            if (doubled && StartsWith(p, q)) {
                p += n;
                continue;
            }
            break;
        }
        p += (IsLead(At(p)) && p + 1 < end_) ? 2 : 1;
    }
    pos_ = std::min(p, end_);
    token_ = kind;
}

int TFountainParser::HexEnd(int from) const {
    int p = from;
    while (true) {
        unsigned char c = At(p);
        if (!(IsDigit(c) || InRange(c, 'A', 'F') || InRange(c, 'a', 'f'))) return p;
        ++p;
    }
}

bool TFountainParser::MayStartMail(unsigned char c) {
    return kMailChars[c] && c != '@';
}

bool TFountainParser::TryMail() {
    unsigned char c = At(pos_);
    if (!MayStartMail(c)) return false;
    // Mostly a plain word: its end is kept for ScanWord, and a run with no other mail character
    // after it holds no "@".
    const char* d = text_.data();
    int p = WordEnd(pos_), at = -1;
    wordFrom_ = pos_;
    wordEnd_ = p;
    if (!kMailChars[At(p)]) return false;
    bool dotAfterAt = false;
    while (p < end_ && kMailChars[static_cast<unsigned char>(d[p])]) {
        unsigned char b = static_cast<unsigned char>(d[p]);
        if (b == '@' && at < 0)
            at = p;
        else if (b == '.' && at >= 0)
            dotAfterAt = true;
        ++p;
    }
    if (at < 0 || !dotAfterAt) return false;
    pos_ = p;
    token_ = toMail;
    return true;
}

bool TFountainParser::TryUrl() {
    unsigned char c = At(pos_);
    if (c != 'h' && c != 'f' && c != 'w') return false;
    if (!StartsWith(pos_, "http:") && !StartsWith(pos_, "https:") && !StartsWith(pos_, "ftp:") &&
        !StartsWith(pos_, "www."))
        return false;
    int p = pos_;
    while (p < end_ && kUrlChars[At(p)])
        ++p;
    pos_ = p;
    token_ = toUrl;
    return true;
}

const TFountainColor* TFountainParser::TokenColor() const {
    switch (token_) {
    case toEof:
        return nullptr;
    case toReserve:
        return &fountain_->Reserve();
    case toBracket:
        if (tokenBracket_ >= 0 && tokenBracket_ < fountain_->Brackets().Count())
            return &fountain_->Brackets().Items(tokenBracket_).ItemColor();
        return nullptr;
    default:
        return KindColor(token_);
    }
}

TFountainState TFountainParser::State() const {
    TFountainState s;
    s.PrevRowEnd = prevRowEnd_;
    s.BracketIndex = bracket_;
    s.Element = static_cast<std::uint8_t>(element_);
    if (NeedsPrevToken())
        s.PrevToken = static_cast<std::uint8_t>(token_ != toEof ? token_ : prevToken_);
    s.Str = str_;
    return s;
}

namespace {
bool BlankRow(std::string_view row) {
    for (char c : row)
        if (static_cast<unsigned char>(c) > 32) return false;
    return true;
}
} // namespace

bool TFountainParser::OpensNoBracket(std::string_view row) const {
    if (!anyBracket_) return true;
    for (char c : row)
        if (MayOpenBracket(static_cast<unsigned char>(c))) return false;
    return true;
}

// A place in from..limit-1, as late as is cheap to find, where a token begins or a blank lies
// whatever tokens come before it: a blank or tab, and the change from single-byte to double-byte
// characters or back. The guard bytes may start a token that reaches over such a place: none may
// lie before it. No token of a language with a skip guard reaches over such a place.
int TFountainParser::LastBoundary(int from, int limit, const std::array<bool, 256>& guard,
                                  bool guarded) const {
    const auto* d = reinterpret_cast<const unsigned char*>(text_.data());
    // Mostly a blank lies near the end. Its byte begins a character when the byte before it
    // cannot begin a double-byte one (or it is the first).
    for (int y = limit - 1; y >= from && y >= limit - 64; --y) {
        if (d[y] > 32 || (y > from && IsLead(d[y - 1]))) continue;
        for (int i = from; guarded && i < y; ++i)
            if (guard[d[i]]) return ForwardBoundary(from, limit, guard);
        return y;
    }
    return ForwardBoundary(from, limit, guard);
}

// The last such place, stepping over the characters from `from`.
int TFountainParser::ForwardBoundary(int from, int limit,
                                     const std::array<bool, 256>& guard) const {
    const auto* d = reinterpret_cast<const unsigned char*>(text_.data());
    int q = from;
    bool prevDouble = false;
    for (int p = from; p < limit;) {
        const unsigned char c = d[p];
        if (guard[c]) break;
        const bool dbl = IsLead(c);
        q = (dbl != prevDouble || c <= 32) ? p : q;
        prevDouble = dbl;
        p += dbl ? 2 : 1;
    }
    return q;
}

void TFountainParser::ParseRow(TFountainState& state, std::string_view row,
                               std::string_view nextRow, TRowEnd rowEnd) {
    if (state.BracketIndex < -1 || state.BracketIndex >= fountain_->Brackets().Count())
        state.BracketIndex = -1;
    if (state.Token == 0) state.Remain = 0;
    // A comment carried over colours the whole row and goes on only into a wrapped continuation.
    if (state.Token == toComment) {
        state.Token = rowEnd == reWrapped ? toComment : 0;
        state.Remain = 0;
        state.PrevRowEnd = rowEnd;
        return;
    }
    if (state.Token == 0 && BlankRow(row)) {
        state.PrevRowEnd = rowEnd;
        return;
    }
    const std::array<bool, 256>* guard = SkipGuard();
    if (guard && !(rowEnd == reWrapped && !nextRow.empty()) && state.BracketIndex == -1) {
        // Nothing of this row reaches the next one: what it passes on is only what opens.
        SyncFountain();
        if (OpensNoBracket(row)) {
            state.Element = state.Element <= MaxElement() ? state.Element : 0;
            state.Token = 0;
            state.Remain = 0;
            state.PrevToken = 0;
            state.PrevRowEnd = rowEnd;
            return;
        }
    }
    std::string_view text = row;
    if (rowEnd == reWrapped && !nextRow.empty() && row.data() + row.size() == nextRow.data()) {
        text = std::string_view(row.data(), row.size() + nextRow.size()); // already adjacent
    } else if (rowEnd == reWrapped && !nextRow.empty()) {
        joined_.assign(row);
        joined_.append(nextRow);
        text = joined_;
    }
    NewData(text, state);
    const int rowLen = static_cast<int>(std::min<size_t>(row.size(), 0x7FFFFFF0));
    TFountainState out;
    bool crossed = false, skipped = guard == nullptr;
    while (true) {
        int bBracket = bracket_, bElement = element_;
        int bPrev = token_ != toEof ? token_ : prevToken_;
        int k = NextToken();
        if (k == toEof || pos_ <= rowLen) {
            if (k == toEof) break;
            // After the first token (which may finish one of the row above), the tokens up to
            // the last boundary before the row end change nothing the next row gets.
            if (!skipped) {
                skipped = true;
                if (bracket_ < 0)
                    pos_ = LastBoundary(pos_, std::min(rowLen, end_), *guard, guarded_);
            }
            continue;
        }
        if (start_ >= rowLen) { // begins in the next row: the state is the one before it
            bracket_ = bBracket;
            element_ = bElement;
            prevToken_ = bPrev;
            token_ = toEof;
            break;
        }
        // The token crosses the row end: the next row begins by finishing it.
        out = State();
        int beyond = pos_ - rowLen;
        if (k == toBracket) {
            out.BracketIndex = tokenBracket_;
            const std::string& right = fountain_->Brackets().Items(tokenBracket_).RightBracket();
            bool split =
                bracket_ == -1 && !right.empty() && pos_ - static_cast<int>(right.size()) < rowLen;
            out.Token = split ? toBracket : 0;
            out.Remain = split ? static_cast<std::uint16_t>(std::min(beyond, 0xFFFE)) : 0;
        } else {
            out.BracketIndex = bBracket;
            out.Token = static_cast<std::uint8_t>(k);
            // A token cut by the end of the appended row may go on further: the next row then
            // continues its run rather than taking a byte count.
            bool cut = pos_ >= end_ && static_cast<size_t>(end_) == text.size();
            out.Remain = ContinuedByRoutine(k) ? 0
                         : cut                 ? TFountainState::RemainRun
                               : static_cast<std::uint16_t>(std::min(beyond, 0xFFFE));
        }
        crossed = true;
        break;
    }
    if (!crossed) out = State();
    out.PrevRowEnd = rowEnd;
    state = std::move(out);
}
