// Copying property sets to and from editors in the order that re-wraps rows only once.
#include "editor/PropertySet.h"

TEditorProp::TEditorProp() {
    Font.Color = edc::clWindowText;
}

void TEditorProp::Assign(const TEditorProp& s) {
    if (this == &s) return;
    Name = s.Name;
    FileExtList = s.FileExtList;
    Color = s.Color;
    Caret.Assign(s.Caret);
    Font = s.Font;
    HitStyle = s.HitStyle;
    Imagebar.Assign(s.Imagebar);
    Leftbar.Assign(s.Leftbar);
    Margin.Assign(s.Margin);
    Marks.Assign(s.Marks);
    ReserveWordList = s.ReserveWordList;
    Ruler.Assign(s.Ruler);
    ScrollBars = s.ScrollBars;
    Speed.Assign(s.Speed);
    View.Assign(s.View);
    WordWrap = s.WordWrap;
    WrapOption = s.WrapOption;
}

void TEditorProp::Assign(TEditorPropTarget& e) {
    Color = e.GetColor();
    Caret.Assign(e.Caret());
    Font = e.GetFont();
    HitStyle = e.GetHitStyle();
    Imagebar.Assign(e.Imagebar());
    Leftbar.Assign(e.Leftbar());
    Margin.Assign(e.Margin());
    Marks.Assign(e.Marks());
    ReserveWordList = e.GetReserveWordList();
    Ruler.Assign(e.Ruler());
    ScrollBars = e.GetScrollBars();
    Speed.Assign(e.Speed());
    View.Assign(e.View());
    WordWrap = e.GetWordWrap();
    WrapOption = e.GetWrapOption();
}

void TEditorProp::AssignTo(TEditorPropTarget& e) const {
    e.SetColor(Color);
    e.Caret().Assign(Caret);
    e.SetFont(Font);
    e.SetHitStyle(HitStyle);
    e.Imagebar().Assign(Imagebar);
    e.Leftbar().Assign(Leftbar);
    e.Margin().Assign(Margin);
    e.Marks().Assign(Marks);
    e.SetReserveWordList(ReserveWordList);
    e.Ruler().Assign(Ruler);
    e.SetScrollBars(ScrollBars);
    e.Speed().Assign(Speed);
    e.View().Assign(View);
    if (WordWrap) {
        e.SetWrapOption(WrapOption);
        e.SetWordWrap(true);
    } else {
        e.SetWordWrap(false);
        e.SetWrapOption(WrapOption);
    }
}

bool TEditorProp::SameSettings(const TEditorProp& o) const {
    return FileExtList == o.FileExtList && Color == o.Color && Caret == o.Caret && Font == o.Font &&
           HitStyle == o.HitStyle && Imagebar == o.Imagebar && Leftbar == o.Leftbar &&
           Margin == o.Margin && Marks == o.Marks && ReserveWordList == o.ReserveWordList &&
           Ruler == o.Ruler && ScrollBars == o.ScrollBars && Speed == o.Speed && View == o.View &&
           WordWrap == o.WordWrap && WrapOption == o.WrapOption;
}
