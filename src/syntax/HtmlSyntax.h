// Colouring definition for HTML: tags with element, attribute and value, character references,
// URLs and mail addresses in the text, and "<!--" comments as a bracket.
#pragma once

#include "syntax/Fountain.h"

class THTMLFountain : public TFountain {
  public:
    explicit THTMLFountain(std::string name = {});

    TFountainColor Ampersand, Mail, Str, TagAttribute, TagAttributeValue, TagColor, TagElement, Url;

    std::unique_ptr<TFountainParser> CreateParser() const override;
    void Assign(const TFountain& src) override;
    std::vector<NamedColor> ColorItems() override;
    std::unique_ptr<TFountain> CreateEmpty() const override {
        return std::make_unique<THTMLFountain>(Name());
    }
};

// Element states of the HTML parser.
enum : int { hsOutside = 0, hsInTag = 1 };

class THTMLFountainParser : public TFountainParser {
  public:
    explicit THTMLFountainParser(const THTMLFountain* fountain);

  protected:
    void ScanToken() override;
    const TFountainColor* KindColor(int kind) const override;
    int MaxElement() const override { return hsInTag; }
    bool NeedsPrevToken() const override { return element_ == hsInTag; }
    int RunEnd(int p, int kind) const override;

  private:
    bool TryReference();
    void ScanInTag();
    const THTMLFountain& hf_;
};
