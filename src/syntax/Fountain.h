// Colouring definitions (fountains), the row state their parsers carry from row to row, and the
// base tokenizer that splits one row of Shift-JIS text into coloured tokens.
#pragma once

#include "app/Streamable.h"
#include "syntax/Brackets.h"
#include "syntax/TokenColors.h"
#include "text/RowData.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Token kinds. The numbers are stored in the row state, so they never change.
enum : int {
    toEof = 0,              // end of row (NUL, CR, LF)
    toSymbol = 1,           // any other single-byte character
    toInteger = 3,          // run of decimal digits
    toFloat = 4,            // real number
    toBracket = 6,          // bracket text, left string to right string, across rows
    toComment = 7,          // comment to the end of the row
    toReserve = 8,          // reserved word
    toTab = 9,              // one tab
    toAnk = 11,             // single-byte word: letters, digits, "_"
    toDBSymbol = 12,        // double-byte symbol
    toDBInt = 14,           // full-width digits
    toDBAlph = 15,          // full-width Latin letters
    toDBHira = 16,          // hiragana
    toDBKana = 17,          // katakana
    toDBKanji = 18,         // kanji
    toKanaSymbol = 19,      // half-width katakana punctuation 0xA1-0xA5
    toKana = 20,            // half-width katakana 0xA6-0xDF
    toUrl = 21,             // URL
    toMail = 22,            // mail address
    toHex = 23,             // number with a hexadecimal prefix
    toSingleQuotation = 24, // text in single quotes
    toDoubleQuotation = 25, // text in double quotes
    toQuotation = 26,       // text in the editor's Quotation character
    toControlCode = 27,     // "#" and decimal digits
    toHexControlCode = 28,  // "#$" and hexadecimal digits
    toTagStart = 50,        // HTML "<"
    toTagEnd = 51,          // HTML ">"
    toTagElement = 52,      // HTML element name; Delphi: anything inside an asm block
    toAsm = 52,
    toTagAttribute = 53,          // HTML attribute name
    toTagAttributeDelimiter = 54, // HTML "=" after an attribute
    toTagAttributeValue = 55,     // HTML unquoted attribute value
    toAmpersand = 56,             // HTML character reference
};

// The parser's state at the start of a row, saved in the row's data by the row store.
struct TFountainState {
    int PrevRowEnd = 0;       // how the previous row ended (0..2)
    int BracketIndex = -1;    // -1 none, 0..13 the open bracket pair
    std::uint8_t Element = 0; // HTML: 1 inside a tag; Delphi: 1 property, 2 asm
    std::uint8_t Token = 0;   // kind of a token that continues from the previous row, 0 none
    std::uint16_t Remain = 0; // how many of its bytes lie at the start of this row
    // Remain value for a token cut by the end of the appended row: it runs on over this row.
    static constexpr std::uint16_t RemainRun = 0xFFFF;
    std::uint8_t PrevToken = 0; // kind of the last token read
    std::string Str;            // the string part of the saved state (kept and compared)

    bool operator==(const TFountainState&) const = default;

    // Packing into the row data's five parser bytes: 1 element, 2 token, 3-4 remain, 5 prev token.
    void ToBytes(std::uint8_t out[5]) const;
    void FromBytes(const std::uint8_t in[5]);
};

// What a row store knows of a row's start state: it keeps none, it has it, or it computes it
// later (the row is far below the rows computed so far).
enum class TStateKept : std::uint8_t { None, Saved, Later };

class TFountainParser;

// A colouring definition: bracket pairs, the reserved-word colour and list, the file extensions it
// serves, and the parser it makes. Editors listen to it and recompute their rows when it changes.
class TFountain : public TStreamable {
  public:
    explicit TFountain(std::string name = {},
                       std::unique_ptr<TFountainBracketCollection> brackets = nullptr);
    virtual ~TFountain();
    TFountain(const TFountain&) = delete;
    TFountain& operator=(const TFountain&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string n) { name_ = std::move(n); }

    TFountainBracketCollection& Brackets() { return *brackets_; }
    const TFountainBracketCollection& Brackets() const { return *brackets_; }
    TFountainColor& Reserve() { return reserve_; }
    const TFountainColor& Reserve() const { return reserve_; }

    // Reserved words, kept sorted; matching ignores the case of ASCII letters.
    const std::vector<std::string>& ReserveWordList() const { return reserveWords_; }
    void SetReserveWordList(std::vector<std::string> words);
    bool IsReserveWord(std::string_view word) const;

    // File extensions served, with the dot (".pas"); matching ignores ASCII case.
    const std::vector<std::string>& FileExtList() const { return fileExts_; }
    void SetFileExtList(std::vector<std::string> exts);
    bool HasExtension(std::string_view ext) const;

    virtual std::unique_ptr<TFountainParser> CreateParser() const = 0;

    // Copies brackets, reserved colour and words and extensions; descendants add their colours.
    virtual void Assign(const TFountain& src);

    // The named colour items of this definition in stored order ("Reserve" first), for the token
    // colour dialog and the stored form.
    using NamedColor = std::pair<const char*, TFountainColor*>;
    virtual std::vector<NamedColor> ColorItems();
    // A new definition of the same class with default values.
    virtual std::unique_ptr<TFountain> CreateEmpty() const = 0;

    // The stored form (the bytes the settings file keeps as a hexadecimal dump). Loading reads
    // into a fresh definition first and assigns only when the bytes were read whole, so bad bytes
    // change nothing and give false.
    std::string SaveToBytes() const override;
    bool TryLoadFromBytes(std::string_view bytes);
    void LoadFromBytes(std::string_view bytes) override { TryLoadFromBytes(bytes); }

    // Change notification: every listener runs once per change (once per outermost update).
    int AddChangeListener(std::function<void()> f);
    void RemoveChangeListener(int id);
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    // Counts the changes (inside an update too): parsers rebuild what they derive from the
    // definition when it moved on.
    std::uint64_t Revision() const { return revision_; }

  protected:
    // Named string and Boolean settings of descendants, for the stored form.
    virtual std::vector<std::pair<const char*, std::string*>> StringFields() { return {}; }
    virtual std::vector<std::pair<const char*, bool*>> BoolFields() { return {}; }
    void Changed();
    // Wires a colour item owned by a descendant to the change notification.
    void Watch(TFountainColor& c) {
        c.SetOnChange([this] { Changed(); });
    }

  private:
    std::string name_;
    std::unique_ptr<TFountainBracketCollection> brackets_;
    TFountainColor reserve_;
    std::vector<std::string> reserveWords_; // as given, sorted
    std::vector<std::string> lowerWords_;   // lower case, sorted, for lookup
    std::size_t maxWordLen_ = 0;
    std::vector<std::string> fileExts_;
    std::map<int, std::function<void()>> listeners_;
    int nextListener_ = 1;
    int updateCount_ = 0;
    bool pending_ = false;
    std::uint64_t revision_ = 0;
};

// Splits one row into tokens. Created per row walk by a fountain; the fountain must outlive it.
// The text handed to NewData is the row's own text, with the next row's text appended when the
// row is wrapped; tokens may then reach past the row's own length and callers clip them.
class TFountainParser {
  public:
    // Throws EFountainError when no fountain is given.
    explicit TFountainParser(const TFountain* fountain);
    virtual ~TFountainParser() = default;
    TFountainParser(const TFountainParser&) = delete;
    TFountainParser& operator=(const TFountainParser&) = delete;

    // Starts on a text with a row's saved state. The text must stay valid while stepping.
    void NewData(std::string_view text, const TFountainState& state);
    // Steps to the next token and returns its kind; 0 at the end of the row.
    int NextToken();

    int Token() const { return token_; }
    int SourcePos() const { return start_; }
    int TokenLength() const { return pos_ - start_; }
    std::string_view TokenString() const {
        return text_.substr(static_cast<size_t>(start_), static_cast<size_t>(pos_ - start_));
    }
    bool IsReserveWord() const { return token_ == toReserve; }
    // The colour item of the current token; nullptr means the editor's own colours.
    const TFountainColor* TokenColor() const;
    // The state after the tokens read so far (what the next row would start from).
    TFountainState State() const;

    // The row walk: consumes one row (its text, the next row's text when rowEnd is reWrapped)
    // starting from state, and leaves in state what the next row starts from.
    void ParseRow(TFountainState& state, std::string_view row, std::string_view nextRow,
                  TRowEnd rowEnd);

    const TFountain& Fountain() const { return *fountain_; }

  protected:
    // Reads one token at pos_ (blanks skipped, no bracket open, none opening here): sets token_
    // and moves pos_ past it. The base is the dispatch by first byte.
    virtual void ScanToken();
    // Colour item of a kind for this language (reserved words and brackets are handled before).
    virtual const TFountainColor* KindColor(int kind) const = 0;
    // Continues a quoted text carried over from the previous row; false when the kind is not one.
    virtual bool ContinueQuote(int kind);
    // The colour items of the kinds the base scans, as program-text languages name them.
    struct BaseKindColors {
        const TFountainColor &Symbol, &Int, &Comment, &Ank, &DBCS;
    };
    // KindColor for those kinds: symbols, numbers, comments, single-byte words and double-byte
    // text; nullptr for any other kind.
    static const TFountainColor* BaseKindColor(int kind, const BaseKindColors& c);
    // Kinds whose crossing of the row end is continued by their routine, not by a byte count.
    virtual bool ContinuedByRoutine(int kind) const {
        return kind == toComment || kind == toSingleQuotation || kind == toDoubleQuotation;
    }
    // Element state values this language knows (others are treated as 0).
    virtual int MaxElement() const { return 0; }
    // Whether the next row needs the last token's kind (kept out of the saved state otherwise,
    // so that the incremental walk meets an equal state sooner).
    virtual bool NeedsPrevToken() const { return false; }
    // Rebuilds what the parser derives from its fountain (NewData calls it after a change).
    virtual void Refresh();
    // The row walk may step over the tokens of a row that cannot reach its end when the language
    // never changes the element state, needs no previous token kind, and makes every token of
    // whole characters of one width with no blank inside, apart from tokens that may reach over
    // anything (quotations, comments, bracket texts). It returns the bytes those may begin with;
    // nullptr (the default) makes the walk step through every token.
    virtual const std::array<bool, 256>* SkipGuard() const { return nullptr; }
    bool MayOpenBracket(unsigned char c) const { return bracketStart_[c >> 6] >> (c & 63) & 1; }

    // Byte at i, 0 at and past the end of the row.
    unsigned char At(int i) const {
        return i < end_ ? static_cast<unsigned char>(text_[static_cast<size_t>(i)]) : 0;
    }
    bool StartsWith(int i, std::string_view s) const {
        if (s.empty() || i < 0 || i > end_ || static_cast<size_t>(end_ - i) < s.size())
            return false;
        return std::memcmp(text_.data() + i, s.data(), s.size()) == 0;
    }
    bool StartsWithNoCase(int i, std::string_view s) const;

    // Token routines shared by the languages; each scans from pos_ and sets token_.
    void ScanNumber();
    void ScanWord(); // word, then the reserved-word test (TryMail may have found its end)
    int WordEnd(int i) const;
    void ScanDBCS(); // lead byte at pos_
    int DBCSRunEnd(int p, int kind) const;
    // Continues a token of kind from pos_ over the bytes its run takes (a token carried over
    // from the previous row that may reach beyond this one).
    void ContinueRun(int kind);
    // End of the run of a kind the base does not know, from p (descendants add theirs).
    virtual int RunEnd(int p, int kind) const;
    void ScanHalfKana();
    void ScanSymbol() { pos_ += 1, token_ = toSymbol; }
    // Quoted text in q (one character, one or two bytes): up to the next q (a doubled q continues
    // when doubled is set), other double-byte
    // characters skipped whole, ending at the row end when not closed.
    void ScanQuoted(std::string_view q, int kind, bool doubled, bool expectOpen);
    void ScanHexDigits(int from, int kind) {
        pos_ = HexEnd(from);
        token_ = kind;
    }
    int HexEnd(int from) const; // end of the hexadecimal digits from there
    bool TryMail();
    static bool MayStartMail(unsigned char c); // a byte TryMail does not refuse at once
    bool TryUrl();
    void ScanComment() { pos_ = end_, token_ = toComment; }

    const TFountain* fountain_;
    std::string_view text_;
    int end_ = 0;   // the row ends at the first NUL, CR or LF
    int pos_ = 0;   // scan position: end of the current token
    int start_ = 0; // start of the current token
    int token_ = toEof;
    int tokenBracket_ = -1; // bracket pair of the current bracket token
    int bracket_ = -1;      // open bracket pair after the current token
    int element_ = 0;       // element state after the current token
    int prevToken_ = 0;     // kind of the last token before the current one
    std::string str_;
    // WordEnd(wordFrom_) when wordFrom_ >= 0: the mail test finds it on its way.
    int wordFrom_ = -1, wordEnd_ = 0;

  private:
    void SyncFountain() {
        if (revision_ != fountain_->Revision()) Resync();
    }
    void Resync();
    bool OpensNoBracket(std::string_view row) const;
    int LastBoundary(int from, int limit, const std::array<bool, 256>& guard, bool guarded) const;
    int ForwardBoundary(int from, int limit, const std::array<bool, 256>& guard) const;
    void ScanBracketText(int index, int from);
    bool TryOpenBracket();
    bool ContinueFromState();
    void Sanitize(const TFountainState& state);

    bool first_ = true;
    int contKind_ = 0;
    int contRemain_ = 0;
    int prevRowEnd_ = 0;
    std::string joined_;                         // a wrapped row with its next row appended
    std::uint64_t revision_ = ~std::uint64_t{0}; // the fountain's revision Refresh saw
    std::uint64_t bracketStart_[4] = {};         // first bytes of the left bracket strings
    bool anyBracket_ = false;
    bool guarded_ = false; // SkipGuard holds a byte
};

// A byte skipped before a token: a blank or control byte other than NUL, tab, LF and CR.
inline bool IsFountainSkip(unsigned char c) {
    return c != 0 && c != 9 && c != 10 && c != 13 && c <= 32;
}
