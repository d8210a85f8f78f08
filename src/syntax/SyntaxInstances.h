// The configured colouring definitions the data module holds: DelphiFountain1 and HTMLFountain1.
#pragma once

#include "syntax/HtmlSyntax.h"
#include "syntax/PascalSyntax.h"

#include <memory>

// Pascal source: ".dpr", ".inc", ".pas".
std::unique_ptr<TDelphiFountain> CreateDelphiFountain1();
// HTML: ".htm", ".html".
std::unique_ptr<THTMLFountain> CreateHTMLFountain1();
