// CP932 conversion on ICU's Microsoft-compatible Shift-JIS table ("windows-31j").
#include "platform/Cp932.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>
#include <vector>

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// One converter per thread: ICU converters keep state and are not shareable.
UConverter* converter() {
    thread_local ConverterPtr conv = [] {
        UErrorCode err = U_ZERO_ERROR;
        ConverterPtr c(ucnv_open("windows-31j", &err));
        if (U_FAILURE(err) || !c) throw std::runtime_error("ICU has no windows-31j converter");
        return c;
    }();
    ucnv_reset(conv.get());
    return conv.get();
}

struct Failures {
    Cp932Report* report;
    const char* sourceStart;   // for byte offsets when decoding
    const UChar* uSourceStart; // for unit offsets when encoding
};

void noteFailure(Cp932Report* r, std::size_t at) {
    if (!r) return;
    if (r->failures == 0) r->firstFailure = at;
    ++r->failures;
}

void U_CALLCONV toUCallback(const void* ctx, UConverterToUnicodeArgs* args, const char*, int32_t,
                            UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;
    auto* f = static_cast<const Failures*>(ctx);
    // The source pointer is already past the offending bytes; report them by their start.
    noteFailure(f->report, 0);
    // U+FFFD for every failure: ICU's own substitute for a single byte is U+001A, the control
    // code that byte 0x1A stands for.
    static const UChar replacement = 0xFFFD;
    *err = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, err);
}

void U_CALLCONV fromUCallback(const void* ctx, UConverterFromUnicodeArgs* args,
                              const UChar* codeUnits, int32_t length, UChar32 codePoint,
                              UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;
    auto* f = static_cast<const Failures*>(ctx);
    std::size_t at = static_cast<std::size_t>(args->source - f->uSourceStart) - length;
    *err = U_ZERO_ERROR;
    if (const unsigned code =
            codePoint >= 0 ? Cp932VariantCode(static_cast<char32_t>(codePoint)) : 0) {
        const char b[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        if (code > 0xFF)
            ucnv_cbFromUWriteBytes(args, b, 2, 0, err);
        else
            ucnv_cbFromUWriteBytes(args, b + 1, 1, 0, err);
        return;
    }
    noteFailure(f->report, at);
    const char q = '?';
    ucnv_cbFromUWriteBytes(args, &q, 1, 0, err);
    (void)codeUnits;
    (void)codePoint;
}

// ICU's table follows IBM in trading the control codes 0x1A, 0x1C and 0x7F among themselves;
// CP932 as Windows has it keeps them as they are, and so does every other conversion here.
inline bool isSwappedControl(unsigned c) {
    return c == 0x1A || c == 0x1C || c == 0x7F;
}

} // namespace

std::u16string Cp932ToUtf16(std::string_view sjis, Cp932Report* report) {
    if (report) *report = {};
    std::u16string out;
    if (sjis.empty()) return out;
    // Decode in pieces so that the offset of the first failure is known exactly.
    UConverter* c = converter();
    Failures f{report, sjis.data(), nullptr};
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setToUCallBack(c, toUCallback, &f, nullptr, nullptr, &err);
    out.resize(sjis.size() + 1);
    const char* src = sjis.data();
    const char* srcEnd = src + sjis.size();
    UChar* dst = reinterpret_cast<UChar*>(out.data());
    UChar* dstStart = dst;
    UChar* dstEnd = dst + out.size();
    std::size_t before = 0;
    while (src < srcEnd) {
        if (isSwappedControl(static_cast<unsigned char>(*src))) {
            *dst++ = static_cast<unsigned char>(*src++);
            continue;
        }
        const char* pieceEnd = src + 1;
        // Keep a lead byte together with its trail byte.
        if (IsDBCSLeadByte(*src) && pieceEnd < srcEnd) ++pieceEnd;
        before = report ? report->failures : 0;
        const char* pieceStart = src;
        err = U_ZERO_ERROR;
        ucnv_toUnicode(c, &dst, dstEnd, &src, pieceEnd, nullptr, pieceEnd == srcEnd, &err);
        if (report && report->failures != before && report->failures == 1)
            report->firstFailure = static_cast<std::size_t>(pieceStart - sjis.data());
        if (U_FAILURE(err)) break;
    }
    out.resize(static_cast<std::size_t>(dst - dstStart));
    ucnv_setToUCallBack(c, UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &err);
    return out;
}

std::string Utf16ToCp932(std::u16string_view text, Cp932Report* report) {
    if (report) *report = {};
    std::string out;
    if (text.empty()) return out;
    // The controls ICU would trade are written as themselves, the text between them by ICU.
    const auto control = [](char16_t u) { return isSwappedControl(u); };
    if (const auto first = std::find_if(text.begin(), text.end(), control); first != text.end()) {
        std::size_t from = 0;
        for (std::size_t i = static_cast<std::size_t>(first - text.begin()); i <= text.size();
             ++i) {
            if (i < text.size() && !control(text[i])) continue;
            Cp932Report part;
            out += Utf16ToCp932(text.substr(from, i - from), report ? &part : nullptr);
            if (report && part.failures) {
                if (report->failures == 0) report->firstFailure = from + part.firstFailure;
                report->failures += part.failures;
            }
            if (i < text.size()) out.push_back(static_cast<char>(text[i]));
            from = i + 1;
        }
        return out;
    }
    UConverter* c = converter();
    Failures f{report, nullptr, reinterpret_cast<const UChar*>(text.data())};
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setFromUCallBack(c, fromUCallback, &f, nullptr, nullptr, &err);
    out.resize(text.size() * 2 + 2);
    const UChar* src = reinterpret_cast<const UChar*>(text.data());
    const UChar* srcEnd = src + text.size();
    char* dst = out.data();
    err = U_ZERO_ERROR;
    ucnv_fromUnicode(c, &dst, out.data() + out.size(), &src, srcEnd, nullptr, true, &err);
    out.resize(static_cast<std::size_t>(dst - out.data()));
    ucnv_setFromUCallBack(c, UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &err);
    return out;
}

std::string Cp932ToUtf8(std::string_view sjis, Cp932Report* report) {
    std::u16string u = Cp932ToUtf16(sjis, report);
    std::string out(u.size() * 3, '\0');
    int32_t len = 0;
    UErrorCode err = U_ZERO_ERROR;
    u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &len,
                reinterpret_cast<const UChar*>(u.data()), static_cast<int32_t>(u.size()), &err);
    out.resize(U_SUCCESS(err) ? static_cast<std::size_t>(len) : 0);
    return out;
}

std::string Utf8ToCp932(std::string_view utf8, Cp932Report* report) {
    std::u16string u(utf8.size() + 1, u'\0');
    int32_t len = 0;
    UErrorCode err = U_ZERO_ERROR;
    int32_t subs = 0;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(u.data()), static_cast<int32_t>(u.size()), &len,
                         utf8.data(), static_cast<int32_t>(utf8.size()), 0xFFFD, &subs, &err);
    u.resize(U_SUCCESS(err) ? static_cast<std::size_t>(len) : 0);
    std::string out = Utf16ToCp932(u, report);
    if (report && subs > 0 && report->failures == 0) {
        report->failures = static_cast<std::size_t>(subs);
        report->firstFailure = 0;
    }
    return out;
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0, n = s.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t extra;
        uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else
            return false;
        if (i + extra >= n) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        static const uint32_t minByLen[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minByLen[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

namespace {

// The code tables of CP932, built once from ICU: the character of every code, the exact code of
// every character, and the fallback code of the characters CP932 holds only in another form.
struct Cp932Tables {
    std::vector<char32_t> codeChar = std::vector<char32_t>(0x10000, 0);
    std::vector<uint16_t> exact = std::vector<uint16_t>(0x10000, 0);
    std::vector<uint16_t> variant = std::vector<uint16_t>(0x10000, 0);

    Cp932Tables() {
        UErrorCode err = U_ZERO_ERROR;
        ConverterPtr c(ucnv_open("windows-31j", &err));
        if (U_FAILURE(err) || !c) throw std::runtime_error("ICU has no windows-31j converter");
        ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
        auto decodeOne = [&](const char* b, int n, unsigned code) {
            UChar u[4];
            UErrorCode e = U_ZERO_ERROR;
            ucnv_reset(c.get());
            const int32_t k = ucnv_toUChars(c.get(), u, 4, b, n, &e);
            if (U_SUCCESS(e) && k == 1) codeChar[code] = u[0];
        };
        for (unsigned b = 0; b < 0x100; ++b)
            if (!IsDBCSLeadByte(static_cast<unsigned char>(b))) {
                const char ch = static_cast<char>(b);
                decodeOne(&ch, 1, b);
            }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsDBCSLeadByte(static_cast<unsigned char>(lead))) continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F) continue;
                const char b[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                decodeOne(b, 2, lead << 8 | trail);
            }
        }
        // Every BMP character in one pass, once exactly and once with ICU's fallbacks; the
        // offsets tell which bytes belong to which character, unmappable ones give none.
        std::u16string all;
        for (char32_t u = 1; u < 0x10000; ++u)
            if (u < 0xD800 || u > 0xDFFF) all.push_back(static_cast<char16_t>(u));
        for (int pass = 0; pass < 2; ++pass) {
            err = U_ZERO_ERROR;
            ucnv_reset(c.get());
            ucnv_setFallback(c.get(), pass == 1);
            ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_SKIP, nullptr, nullptr, nullptr,
                                  &err);
            std::string out(all.size() * 2 + 16, '\0');
            std::vector<int32_t> offsets(out.size());
            char* dst = out.data();
            const UChar* src = reinterpret_cast<const UChar*>(all.data());
            ucnv_fromUnicode(c.get(), &dst, out.data() + out.size(), &src, src + all.size(),
                             offsets.data(), true, &err);
            const std::size_t n = static_cast<std::size_t>(dst - out.data());
            for (std::size_t i = 0; i < n;) {
                const int32_t at = offsets[i];
                std::size_t j = i + 1;
                while (j < n && offsets[j] == at)
                    ++j;
                const char16_t u = all[static_cast<std::size_t>(at)];
                unsigned code = static_cast<unsigned char>(out[i]);
                if (j - i == 2) code = code << 8 | static_cast<unsigned char>(out[i + 1]);
                if (j - i <= 2) {
                    if (pass == 0 && codeChar[code] == u) exact[u] = static_cast<uint16_t>(code);
                    if (pass == 1 && !exact[u]) variant[u] = static_cast<uint16_t>(code);
                }
                i = j;
            }
        }
        // JIS forms that ICU's table leaves out, and the two signs that would share a byte with
        // the backslash and the tilde: their full-width forms keep what the user sees.
        variant[0x00A2] = 0x8191;
        variant[0x00A3] = 0x8192;
        variant[0x00AC] = 0x81CA;
        variant[0x00A5] = 0x818F;
        variant[0x203E] = 0x8150;
        for (char32_t ch : {0x1A, 0x1C, 0x7F}) {
            codeChar[ch] = ch;
            exact[ch] = static_cast<uint16_t>(ch);
            variant[ch] = 0;
        }
    }
};

const Cp932Tables& tables() {
    static const Cp932Tables t;
    return t;
}

} // namespace

unsigned Cp932VariantCode(char32_t ch) {
    if (ch >= 0x10000) return 0;
    const Cp932Tables& t = tables();
    return t.exact[ch] ? 0 : t.variant[ch];
}

unsigned Cp932ExactCode(char32_t ch) {
    return ch < 0x10000 ? tables().exact[ch] : 0;
}

char32_t Cp932CodeChar(unsigned code) {
    return code < 0x10000 ? tables().codeChar[code] : 0;
}

const uint16_t* Cp932ExactTable() {
    return tables().exact.data();
}

const char32_t* Cp932CodeCharTable() {
    return tables().codeChar.data();
}
