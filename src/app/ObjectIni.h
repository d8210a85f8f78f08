// Whole objects (editor property sets, colouring definitions, printer settings) stored in the
// settings file as a hexadecimal dump: ident + "_c" holds the number of lines, ident + "_d" + i
// the lines of 64 upper-case hex digits (32 bytes), the last one the remainder.
//
// The bytes inside are the object's own: TPropertyWriter / TPropertyReader give objects a
// tolerant named-property format (unknown names are skipped, missing ones keep their value).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/Streamable.h"

class TIniFile;

// Hex dump lines of the bytes (64 digits each; none for no bytes).
std::vector<std::string> HexDumpLines(std::string_view bytes);
// Bytes of concatenated hex digits; an invalid pair gives 0, a lone last digit is dropped.
std::string HexDumpBytes(std::string_view digits);

// Writes the dump into the section. Data keys a shorter dump no longer uses are deleted; an empty
// dump also deletes the count key. The file is rewritten once, atomically. False on failure.
bool WriteObjectToIni(std::string_view bytes, TIniFile& ini, std::string_view section,
                      std::string_view ident);
// The stored bytes; empty when nothing is stored.
std::string ReadObjectFromIni(const TIniFile& ini, std::string_view section,
                              std::string_view ident);

// Objects that can be stored this way (see TStreamable).
bool WriteObjectToIni(const TStreamable& obj, const std::string& iniPath, std::string_view section,
                      std::string_view ident);
// Loads the object when at least one byte is stored; true when it did.
bool ReadObjectFromIni(TStreamable& obj, const std::string& iniPath, std::string_view section,
                       std::string_view ident);

// Named properties: each is a name, a type letter and a value ("i" 32-bit integer, "s" bytes).
class TPropertyWriter {
  public:
    void Int(std::string_view name, std::int32_t v);
    void Bool(std::string_view name, bool v) { Int(name, v ? 1 : 0); }
    void Color(std::string_view name, std::uint32_t v) { Int(name, static_cast<std::int32_t>(v)); }
    void Text(std::string_view name, std::string_view v);
    const std::string& Bytes() const { return out_; }

  private:
    void PutName(std::string_view n, char type);
    std::string out_;
};

class TPropertyReader {
  public:
    // Reads as much as is well-formed; a damaged tail is ignored.
    explicit TPropertyReader(std::string_view bytes);
    // Each leaves the value alone when the property is missing or of another type.
    void Int(std::string_view name, std::int32_t& v) const;
    void Int(std::string_view name, int& v, int lo, int hi) const; // clamped
    void Bool(std::string_view name, bool& v) const;
    void Color(std::string_view name, std::uint32_t& v) const;
    void Text(std::string_view name, std::string& v) const;
    bool Has(std::string_view name) const { return props_.count(std::string(name)) != 0; }

  private:
    struct Value {
        char type;
        std::int32_t i;
        std::string s;
    };
    std::map<std::string, Value, std::less<>> props_;
};
