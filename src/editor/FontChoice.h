// The face an editor draws with for the font name its settings keep. The names of the design
// ("FixedSys", "ＭＳ ゴシック") do not exist here, and a face without Japanese glyphs would leave
// the two-byte characters to another font, so that a mixed line shows two heights, weights and
// baselines. Such names map to one installed Japanese monospace face whose half-width glyphs are
// half as wide as its full-width ones; the stored name stays as it is.
#pragma once

#include "app/FontRequest.h"

#include <functional>
#include <string>
#include <vector>

struct TFaceInfo {
    bool Installed = false;
    bool Japanese = false;   // has the Japanese writing system
    bool FixedPitch = false; // every glyph one advance (full-width ones two)
};

// The Japanese monospace faces in the order they are preferred.
const std::vector<std::string>& JapaneseMonospaceFaces();

// The face to draw with: the named face when it is an installed Japanese monospace face, else
// the first installed face of JapaneseMonospaceFaces(), else the name itself (left to the
// system's matching).
std::string ChooseEditorFace(const std::string& name,
                             const std::function<TFaceInfo(const std::string&)>& lookup);
// The font an editor draws with: face (as chosen above), the stored height (negative: pixels,
// positive: the cell height, of which the characters take three quarters) and style.
TFontRequest EditorFontRequest(const std::string& face, int height, int style);
