// The property dialog without its window: its pages of controls as data and
// TPropertyDialogModel, the transfer between the controls and a property set (font and colours,
// margins and marks, ruler and line numbers, wrap with its character sets, caret and scroll
// options, tab stops and file extensions).
#pragma once

#include "app/Form.h"
#include "editor/PropertySet.h"

const TFormDesc& PropertyDialogForm();

class TPropertyDialogModel : public TFormModel {
  public:
    // The font the dialog shows (its colour is btnFontColor's).
    TEditorFont Font;

    void Load(const TEditorProp& p);
    // Writes the controls' values into p; properties the dialog does not show stay as they are.
    void Store(TEditorProp& p) const;
    // The font label: "name  NNpx  あいうABC".
    std::string FontText() const;
    // A font chosen in the font dialog (name, height and style; the colour stays).
    void SetChosenFont(const TEditorFont& f);

    void Changed(const std::string& name) override;
};

// The extensions typed into the field: separated by blanks, commas or semicolons, each given
// its leading dot.
std::vector<std::string> ParseExtensions(const std::string& text);
