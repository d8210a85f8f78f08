// Colouring definition for Pascal (Delphi) source: brace and (* *) comments as brackets, "//"
// comments, strings, numbers, reserved words, property declarations and asm blocks.
#pragma once

#include "syntax/Fountain.h"

class TDelphiFountain : public TFountain {
  public:
    explicit TDelphiFountain(std::string name = {});

    TFountainColor Ank, AsmBlock, Comment, DBCS, Int, Str, Symbol;

    std::unique_ptr<TFountainParser> CreateParser() const override;
    void Assign(const TFountain& src) override;
    std::vector<NamedColor> ColorItems() override;
    std::unique_ptr<TFountain> CreateEmpty() const override {
        return std::make_unique<TDelphiFountain>(Name());
    }
};

// Element states of the Delphi parser.
enum : int { dsNormal = 0, dsProperty = 1, dsAsm = 2 };

class TDelphiFountainParser : public TFountainParser {
  public:
    explicit TDelphiFountainParser(const TDelphiFountain* fountain);

  protected:
    void ScanToken() override;
    const TFountainColor* KindColor(int kind) const override;
    bool ContinueQuote(int kind) override;
    int MaxElement() const override { return dsAsm; }
    int RunEnd(int p, int kind) const override {
        return kind == toAsm ? WordEnd(p) : TFountainParser::RunEnd(p, kind);
    }

  private:
    void ScanDelphiWord();
    const TDelphiFountain& df_;
};
