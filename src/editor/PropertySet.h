// TEditorProp: one complete set of an editor's view and behaviour settings, copied onto every
// editor of a kind. TEditorPropTarget is what an editor offers to be read and set by a set.
#pragma once

#include "editor/CaretSettings.h"
#include "editor/PropertyTypes.h"
#include "editor/ViewColors.h"
#include "editor/ViewSettings.h"

#include <string>
#include <vector>

class TEditorPropTarget {
  public:
    virtual ~TEditorPropTarget() = default;
    virtual TColor GetColor() const = 0;
    virtual void SetColor(TColor c) = 0;
    virtual TEditorCaret& Caret() = 0;
    virtual const TEditorFont& GetFont() const = 0;
    virtual void SetFont(const TEditorFont& f) = 0;
    virtual TEditorHitStyle GetHitStyle() const = 0;
    virtual void SetHitStyle(TEditorHitStyle s) = 0;
    virtual TEditorImagebar& Imagebar() = 0;
    virtual TEditorLeftbar& Leftbar() = 0;
    virtual TEditorMargin& Margin() = 0;
    virtual TEditorMarks& Marks() = 0;
    virtual const TSortedNames& GetReserveWordList() const = 0;
    virtual void SetReserveWordList(const TSortedNames& l) = 0;
    virtual TEditorRuler& Ruler() = 0;
    virtual TScrollStyle GetScrollBars() const = 0;
    virtual void SetScrollBars(TScrollStyle s) = 0;
    virtual TEditorSpeed& Speed() = 0;
    virtual TEditorViewInfo& View() = 0;
    virtual bool GetWordWrap() const = 0;
    virtual void SetWordWrap(bool w) = 0;
    virtual TEditorWrapOption GetWrapOption() const = 0;
    virtual void SetWrapOption(const TEditorWrapOption& w) = 0;
};

class TEditorProp {
  public:
    TEditorProp();
    TEditorProp(const TEditorProp& s) { Assign(s); }
    TEditorProp& operator=(const TEditorProp& s) {
        Assign(s);
        return *this;
    }

    std::string Name; // the component name the settings file stores it under
    TSortedNames FileExtList;
    TColor Color = edc::clWindow;
    TEditorCaret Caret;
    TEditorFont Font;
    TEditorHitStyle HitStyle = hsSelect;
    TEditorImagebar Imagebar;
    TEditorLeftbar Leftbar;
    TEditorMargin Margin;
    TEditorMarks Marks;
    TSortedNames ReserveWordList;
    TEditorRuler Ruler;
    TScrollStyle ScrollBars = ssBoth;
    TEditorSpeed Speed;
    TEditorViewInfo View;
    bool WordWrap = false;
    TEditorWrapOption WrapOption;

    // True when Ext (with its dot, letter case ignored) is one of the set's extensions.
    bool IsFileExt(const std::string& ext) const { return FileExtList.Contains(ext); }

    void Assign(const TEditorProp& s);      // every field
    void Assign(TEditorPropTarget& editor); // the editor's current values
    // Applies the set to an editor. The wrap options go before WordWrap := true and after
    // WordWrap := false, so that the rows are re-wrapped only once.
    void AssignTo(TEditorPropTarget& editor) const;
    bool SameSettings(const TEditorProp& o) const;
};
