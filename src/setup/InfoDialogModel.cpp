// The notice's and the about box's controls, texts and keys.
#include "setup/InfoDialogModel.h"

#include "editor/Commands.h"
#include "platform/MessageBox.h"

#include "setup/ReleaseAge.h"

namespace {

using C = TCtl;

// The program's name in large letters, "- Tolmo -" beside it.
void Head(TFormDesc& d) {
    d.push_back({.Kind = C::Box, .Name = "head", .Layout = TLay::HBox});
    d.push_back({.Kind = C::Label, .Name = "lblName", .Caption = "トルモ", .Parent = "head"});
    d.push_back({.Kind = C::Label, .Caption = "- Tolmo -", .Parent = "head"});
    d.push_back({.Kind = C::Stretch, .Parent = "head", .Max = 1});
}

TFormDesc MakeInfo() {
    TFormDesc d;
    Head(d);
    d.insert(d.end(), {
                          {.Kind = C::Label, .Name = "lblVersion", .Parent = "head"},
                          {.Kind = C::Label, .Name = "lblInfo"},
                          {.Kind = C::Box, .Name = "buttons", .Layout = TLay::HBox},
                          {.Kind = C::Button,
                           .Name = "btnWeb",
                           .Caption = "[ トルモ ]公式Ｗｅｂ",
                           .Parent = "buttons"},
                          {.Kind = C::Stretch, .Parent = "buttons", .Max = 1},
                          {.Kind = C::Button,
                           .Name = "btnClose",
                           .Caption = "閉じる(&C)",
                           .Parent = "buttons",
                           .Flags = fDefault},
                      });
    return d;
}

TFormDesc MakeAbout() {
    TFormDesc d;
    Head(d);
    d.insert(
        d.end(),
        {
            {.Kind = C::Label, .Name = "lblKind", .Caption = "Text Editor", .Flags = fDisabled},
            {.Kind = C::Box, .Name = "version", .Layout = TLay::HBox},
            {.Kind = C::Label, .Caption = "Version :", .Parent = "version"},
            {.Kind = C::Label, .Name = "lbl_Version", .Parent = "version"},
            {.Kind = C::Stretch, .Parent = "version", .Max = 1},
            {.Kind = C::Label, .Name = "lblVerKaku", .Parent = "version", .Flags = fHidden},
            {.Kind = C::Box, .Name = "author", .Layout = TLay::HBox},
            {.Kind = C::Label, .Caption = "Author  :", .Parent = "author"},
            {.Kind = C::Label, .Name = "lblAuthor", .Parent = "author"},
            {.Kind = C::Stretch, .Parent = "author", .Max = 1},
            {.Kind = C::Button,
             .Name = "FramSpeedBtn1",
             .Caption = "OK",
             .Flags = fDefault | fAlignRight},
        });
    return d;
}

} // namespace

const TFormDesc& InfoDialogForm() {
    static const TFormDesc form = MakeInfo();
    return form;
}

const TFormDesc& AboutDialogForm() {
    static const TFormDesc form = MakeAbout();
    return form;
}

TInfoDialogModel::TInfoDialogModel() {
    SetText("lblVersion", kProgramVersion);
    SetText("lblInfo", MessageLines(NoticeText(kProgramVersion, Today() - ReleaseDay())));
}

int TInfoDialogModel::Close(int postponement, bool webOpened) const {
    return PostponementOnClose(Today(), ReleaseDay(), postponement, webOpened);
}

TAboutDialogModel::TAboutDialogModel() {
    SetText("lbl_Version", VersionNumber(kProgramVersion));
    SetText("lblVerKaku", BuildCode(ReleaseDay()));
    SetText("lblAuthor", AuthorLine());
}

TAboutDialogModel::TKeyResult TAboutDialogModel::Key(int key, unsigned modifiers) {
    if (key == tkey::Shift || key == tkey::Control) return krNone;
    if (key == tkey::Return) return krClose;
    const bool ctrlShift = (modifiers & (kmCtrl | kmShift)) == (kmCtrl | kmShift);
    if (ctrlShift && key == 'V') {
        armed_ = true;
        return krConsumed;
    }
    if (armed_ && ctrlShift && key == 'J') SetVisible("lblVerKaku", true);
    armed_ = false;
    return krNone;
}
