// The editor's built-in colouring definition for plain text: configurable comment, hexadecimal
// prefix, control codes, quotation, URLs and mail addresses.
#pragma once

#include "syntax/Fountain.h"

#include <array>

class TEditorFountain;

// The colour items of the built-in definition. Reserve is the owning fountain's Reserve item.
class TEditorColors {
  public:
    explicit TEditorColors(TFountainColor& reserve);
    TEditorColors(const TEditorColors&) = delete;
    TEditorColors& operator=(const TEditorColors&) = delete;

    TFountainColor Ank, Comment, DBCS, Hit, Int, Mail, Select, Str, Symbol, Url;
    TFountainColor& Reserve() { return reserve_; }
    const TFountainColor& Reserve() const { return reserve_; }

    // Copies every item, Reserve included.
    void Assign(const TEditorColors& src);
    void SetOnChange(const std::function<void()>& f);

  private:
    TFountainColor& reserve_;
};

class TEditorFountain : public TFountain {
  public:
    explicit TEditorFountain(std::string name = {});

    TEditorColors& Colors() { return colors_; }
    const TEditorColors& Colors() const { return colors_; }
    TEditorBracketCollection& EditorBrackets() {
        return static_cast<TEditorBracketCollection&>(Brackets());
    }

    const std::string& Commenter() const { return commenter_; }
    const std::string& HexPrefix() const { return hexPrefix_; }
    const std::string& Quotation() const { return quotation_; }
    bool ControlCode() const { return controlCode_; }
    bool Mail() const { return mail_; }
    bool Url() const { return url_; }
    void SetCommenter(const std::string& v) { Set(commenter_, v); }
    void SetHexPrefix(const std::string& v) { Set(hexPrefix_, v); }
    void SetQuotation(const std::string& v) { Set(quotation_, v); }
    void SetControlCode(bool v) { Set(controlCode_, v); }
    void SetMail(bool v) { Set(mail_, v); }
    void SetUrl(bool v) { Set(url_, v); }

    std::unique_ptr<TFountainParser> CreateParser() const override;
    void Assign(const TFountain& src) override;
    std::vector<NamedColor> ColorItems() override;
    std::unique_ptr<TFountain> CreateEmpty() const override {
        return std::make_unique<TEditorFountain>(Name());
    }

  protected:
    std::vector<std::pair<const char*, std::string*>> StringFields() override {
        return {{"Commenter", &commenter_}, {"HexPrefix", &hexPrefix_}, {"Quotation", &quotation_}};
    }
    std::vector<std::pair<const char*, bool*>> BoolFields() override {
        return {{"ControlCode", &controlCode_}, {"Mail", &mail_}, {"Url", &url_}};
    }

  private:
    template <class T> void Set(T& field, const T& v) {
        if (field == v) return;
        field = v;
        Changed();
    }
    TEditorColors colors_;
    std::string commenter_, hexPrefix_, quotation_;
    bool controlCode_ = false, mail_ = false, url_ = false;
};

class TEditorParser : public TFountainParser {
  public:
    explicit TEditorParser(const TEditorFountain* fountain);

  protected:
    void ScanToken() override;
    const TFountainColor* KindColor(int kind) const override;
    bool ContinueQuote(int kind) override;
    bool ContinuedByRoutine(int kind) const override {
        return kind == toQuotation || TFountainParser::ContinuedByRoutine(kind);
    }
    void Refresh() override;
    const std::array<bool, 256>* SkipGuard() const override { return &skipGuard_; }

  private:
    const TEditorFountain& ef_;
    std::string quote_; // the quotation character, empty when none
    // First bytes that may start a mail address, URL, comment, prefixed number, control code or
    // quotation as the fountain is set; any other byte goes straight to the base dispatch.
    std::array<bool, 256> special_{};
    // Bytes that may start a token reaching over blanks or character widths.
    std::array<bool, 256> skipGuard_{};
};
