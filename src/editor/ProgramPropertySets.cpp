// Factory values of the program's property sets.
#include "editor/ProgramPropertySets.h"

using namespace edc;

TEditorProp MakeEditorProp_Default() {
    TEditorProp p;
    p.Name = "EditorProp_Default";
    p.Color = clWhite;
    p.Font = TEditorFont{"FixedSys", -13, clBlack, SHIFTJIS_CHARSET, 0};
    TEditorCaret& c = p.Caret;
    c.SetAutoCursor(true);
    c.SetAutoIndent(false);
    c.SetBackSpaceUnIndent(false);
    c.SetFreeCaret(false);
    c.SetFreeRow(false);
    c.SetInTab(false);
    c.SetKeepCaret(true);
    c.SetLockScroll(false);
    c.SetNextLine(true);
    c.SetPrevSpaceIndent(false);
    c.SetRowSelect(true);
    c.SetSelDragMode(dmAutomatic);
    c.SetSelMove(true);
    c.SetSoftTab(false);
    c.SetStyle(csDefault);
    c.SetTabIndent(false);
    c.SetTabSpaceCount(8);
    c.Cursors.DefaultCursor = crIBeam;
    c.Cursors.DragSelCursor = crDrag;
    c.Cursors.DragSelCopyCursor = 2;
    c.Cursors.InSelCursor = crDefault;
    c.Cursors.LeftMarginCursor = 1;
    c.Cursors.TopMarginCursor = crDefault;
    p.HitStyle = hsCaret;
    p.Leftbar.SetColumn(2);
    p.Leftbar.SetLeftMargin(4);
    p.Leftbar.SetRightMargin(4);
    p.Leftbar.SetShowNumberMode(nmLine);
    p.Leftbar.SetVisible(false);
    p.Margin.SetCharacter(0);
    p.Margin.SetLeft(3);
    p.Margin.SetLine(0);
    p.Margin.SetTop(7);
    p.Marks.EofMark.SetVisible(true);
    p.Marks.RetMark.SetVisible(true);
    p.Marks.WrapMark.SetVisible(true);
    p.Ruler.SetVisible(true);
    p.ScrollBars = ssVertical;
    TEditorViewColors colors;
    colors.Select = {clYellow, clNavy, 0};
    colors.Hit = {clBlack, clLime, 0};
    colors.Mail = {clNone, clFuchsia, fsUnderline};
    colors.Url = {clNone, clBlue, fsUnderline};
    p.View.SetColors(colors);
    p.View.SetControlCode(false);
    p.View.SetMail(true);
    p.View.SetUrl(true);
    p.WordWrap = true;
    return p;
}

TEditorProp MakeEditorProp_DefaultOrg() {
    TEditorProp p = MakeEditorProp_Default();
    p.Name = "EditorProp_DefaultOrg";
    return p;
}

// What the HTML and Delphi sets share apart from the default set.
static void DarkSourceSet(TEditorProp& p) {
    p.Font.Height = -12;
    p.Font.Color = clWhite;
    p.Caret.SetAutoIndent(true);
    p.HitStyle = hsSelect;
    p.Leftbar.SetColumn(4);
    p.Leftbar.SetShowNumberMode(nmRow);
    p.Leftbar.SetVisible(true);
    p.Ruler.SetMarkColor(clBlue);
    p.View.SetMail(false);
    p.View.SetUrl(false);
    p.WordWrap = false;
}

TEditorProp MakeEditorProp_HTML() {
    TEditorProp p = MakeEditorProp_Default();
    p.Name = "EditorProp_HTML";
    p.FileExtList.Add(".htm");
    p.FileExtList.Add(".html");
    DarkSourceSet(p);
    p.Color = clNavy;
    p.Margin.SetLeft(8);
    p.Margin.SetTop(2);
    p.ScrollBars = ssBoth;
    TEditorViewColors colors = p.View.Colors();
    colors.Comment.Color = clGreen;
    colors.DBCS.Color = clWhite;
    colors.Int.Color = clYellow;
    colors.Mail = {clNone, clBlue, 0};
    colors.Reserve = {clNone, clWhite, fsBold};
    colors.Select.Color = clRed;
    colors.Symbol.Color = clWhite;
    colors.Url.Style = 0;
    p.View.SetColors(colors);
    return p;
}

TEditorProp MakeEditorProp_HTMLOrg() {
    TEditorProp p = MakeEditorProp_HTML();
    p.Name = "EditorProp_HTMLOrg";
    return p;
}

TEditorProp MakeEditorProp_Delphi() {
    TEditorProp p = MakeEditorProp_Default();
    p.Name = "EditorProp_Delphi";
    for (const char* e : {".dpr", ".inc", ".pas"})
        p.FileExtList.Add(e);
    DarkSourceSet(p);
    p.Color = clBlack;
    p.Margin.SetLeft(7);
    p.Margin.SetTop(8);
    p.Marks.RetMark.SetVisible(false);
    p.Marks.WrapMark.SetVisible(false);
    p.Marks.Underline.SetVisible(true);
    TEditorViewColors colors = p.View.Colors();
    colors.Mail = {};
    colors.Url = {};
    p.View.SetColors(colors);
    return p;
}

TEditorProp MakeEditorProp1() {
    TEditorProp p; // the class defaults, except for what the main form sets
    p.Name = "EditorProp1";
    p.Color = clWindow;
    p.Font = TEditorFont{"FixedSys", -12, clWindowText, SHIFTJIS_CHARSET, 0};
    p.Caret.SetAutoIndent(true);
    p.Caret.SetBackSpaceUnIndent(true);
    p.Caret.SetFreeCaret(true);
    p.Caret.SetKeepCaret(false);
    p.Caret.SetNextLine(false);
    p.HitStyle = hsSelect;
    p.Leftbar.SetColumn(4);
    p.Leftbar.SetLeftMargin(8);
    p.Leftbar.SetShowNumberMode(nmRow);
    p.Margin.SetLeft(19);
    p.Margin.SetTop(2);
    p.ScrollBars = ssNone;
    TEditorViewColors colors; // Select navy on white text, every other item clNone
    colors.Select = {clNavy, clWhite, 0};
    p.View.SetColors(colors);
    p.View.SetMail(false);
    p.View.SetUrl(false);
    p.WordWrap = false;
    return p;
}
