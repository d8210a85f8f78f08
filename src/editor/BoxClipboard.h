// The rectangular ("box") clipboard format: the parts of the box rows, each followed by CR LF,
// carried as CP932 bytes with a terminating zero under a private type beside the plain text.
#pragma once

#include "platform/TextUtil.h" // SplitTextLines

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TCharTable;

inline constexpr const char* BoxTextFormatName = "TEditor Box Type";
inline constexpr const char* BoxTextMimeType = "application/x-teditor-box-type";

// The CP932 text of box parts: every part followed by CR LF, the last one included.
std::string BoxPartsToText(const std::vector<std::string>& parts);
// The clipboard payload: the text plus its terminating zero.
std::string BoxTextPayload(std::string_view text);
// The text of a payload: up to the first zero byte (a payload without one is taken whole).
std::string BoxTextFromPayload(std::string_view payload);

// Text leaving for the clipboard (plain and box): every line end one LF, as the programs here
// take it. The bytes are the document's, whose two-byte characters never hold a CR or LF byte.
std::string ClipboardLineEnds(std::string_view bytes);
// Text arriving from the clipboard: CR LF, LF and a lone CR each become the editor's CR LF.
std::string EditorLineEnds(std::string_view bytes);

// Pasted text in the document's bytes (its line ends the editor's own) (null table: plain CP932).
// Text reaches the document through convert, which counts in lost what became '?' (none: plain
// CP932). The bytes of box text (its payload, null for plain text) are taken as they are when they
// read here as the pasted text; otherwise they came from a document whose table gives them other
// characters, and the text, which holds the same rows, is converted instead.
using TPasteConvert = std::function<std::string(std::u16string_view text, int* lost)>;
std::string PastedBytes(std::u16string_view text, const std::string* boxPayload,
                        const TCharTable* table, const TPasteConvert& convert, int& lost);
