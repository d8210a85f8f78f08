// The configured colouring definitions with their extensions, brackets, colours and words.
#include "syntax/SyntaxInstances.h"

std::unique_ptr<TDelphiFountain> CreateDelphiFountain1() {
    auto f = std::make_unique<TDelphiFountain>("DelphiFountain1");
    f->SetFileExtList({".dpr", ".inc", ".pas"});
    f->Brackets().Add("{", "}", clNone, clSilver);
    f->Brackets().Add("(*", "*)", clNone, clSilver);
    f->Reserve().SetColor(clWhite);
    f->Ank.SetColor(clYellow);
    f->AsmBlock.SetColor(clAqua);
    f->Comment.SetColor(clSilver);
    f->DBCS.SetColor(clWhite);
    f->Int.SetColor(clAqua);
    f->Str.SetColor(clLime);
    f->Symbol.SetColor(clYellow);
    f->SetReserveWordList({
        "absolute",
        "abstract",
        "and",
        "array",
        "as",
        "asm",
        "assembler",
        "automated",
        "begin",
        "case",
        "cdecl",
        "class",
        "const",
        "constructor",
        "default",
        "destructor",
        "dispid",
        "dispinterface",
        "div",
        "do",
        "downto",
        "dynamic",
        "else",
        "end",
        "except",
        "export",
        "exports",
        "external",
        "far",
        "file",
        "finalization",
        "finally",
        "for",
        "forward",
        "function",
        "goto",
        "if",
        "implementation",
        "in",
        "inherited",
        "initialization",
        "inline",
        "interface",
        "is",
        "label",
        "library",
        "message",
        "mod",
        "near",
        "nil",
        "nodefault",
        "not",
        "object",
        "of",
        "or",
        "out",
        "overload",
        "override",
        "packed",
        "pascal",
        "private",
        "procedure",
        "program",
        "property",
        "protected",
        "public",
        "published",
        "raise",
        "readonly",
        "record",
        "register",
        "repeat",
        "resident",
        "resourcestring",
        "safecall",
        "set",
        "shl",
        "shr",
        "stdcall",
        "stored",
        "string",
        "then",
        "threadvar",
        "to",
        "try",
        "type",
        "unit",
        "until",
        "uses",
        "var",
        "virtual",
        "while",
        "with",
        "writeonly",
        "xor",
    });
    return f;
}

std::unique_ptr<THTMLFountain> CreateHTMLFountain1() {
    auto f = std::make_unique<THTMLFountain>("HTMLFountain1");
    f->SetFileExtList({".htm", ".html"});
    f->Brackets().Add("<!--", "-->", clNone, clSilver);
    f->Reserve().SetColor(clWhite);
    f->Ampersand.SetColor(clLime);
    f->Mail.SetColor(clWhite);
    f->Mail.SetStyle(fsUnderline);
    f->Str.SetColor(clLime);
    f->TagAttribute.SetColor(clYellow);
    f->TagAttributeValue.SetColor(clLime);
    f->TagColor.SetColor(clSilver);
    f->TagElement.SetColor(clAqua);
    f->Url.SetColor(clWhite);
    f->Url.SetStyle(fsUnderline);
    return f;
}
