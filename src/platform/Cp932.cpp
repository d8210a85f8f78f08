// CP932 conversion on ICU's Microsoft-compatible Shift-JIS table ("windows-31j").
#include "platform/Cp932.h"

#include <memory>
#include <stdexcept>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

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
    UCNV_TO_U_CALLBACK_SUBSTITUTE(nullptr, args, nullptr, 0, reason, err);
}

void U_CALLCONV fromUCallback(const void* ctx, UConverterFromUnicodeArgs* args,
                              const UChar* codeUnits, int32_t length, UChar32 codePoint,
                              UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;
    auto* f = static_cast<const Failures*>(ctx);
    std::size_t at = static_cast<std::size_t>(args->source - f->uSourceStart) - length;
    noteFailure(f->report, at);
    *err = U_ZERO_ERROR;
    const char q = '?';
    ucnv_cbFromUWriteBytes(args, &q, 1, 0, err);
    (void)codeUnits;
    (void)codePoint;
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
