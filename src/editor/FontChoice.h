// The face an editor draws with for the font name its settings keep, and the faces a font dialog
// offers. The names of the design ("FixedSys", "ＭＳ ゴシック") do not exist here: they map to one
// installed Japanese monospace face whose half-width glyphs are half as wide as its full-width
// ones; the stored name stays as it is. A monospace face the user chose is drawn as chosen.
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

// The face to draw with: the named face when it is an installed monospace face, else the first
// installed face of JapaneseMonospaceFaces(), else the name itself (left to the system's
// matching).
std::string ChooseEditorFace(const std::string& name,
                             const std::function<TFaceInfo(const std::string&)>& lookup);
// The faces a font dialog offers for an editor, sorted: every installed monospace face, the
// dual-width Japanese ones (one advance for half-width glyphs, two for full-width) among them.
std::vector<std::string>
EditorFontFaces(const std::vector<std::string>& installed,
                const std::function<TFaceInfo(const std::string&)>& lookup);
// The font an editor draws with: face (as chosen above), the stored height (negative: pixels,
// positive: the cell height, of which the characters take three quarters) and style.
TFontRequest EditorFontRequest(const std::string& face, int height, int style);
