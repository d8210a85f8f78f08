// The release-age notice (TReleaseNotice) and the about box (TAboutDialog) without their windows:
// their controls as data, their texts, the postponement the notice leaves, and the about box's
// keys.
#pragma once

#include "app/Form.h"
#include "app/Settings.h"

const TFormDesc& InfoDialogForm();
const TFormDesc& AboutDialogForm();

// The notice's texts; Close gives the postponement to keep (webOpened: the maker's page was
// shown from it).
class TInfoDialogModel : public TFormModel {
  public:
    TInfoDialogModel();
    int Close(int postponement, bool webOpened) const;
};

// The about box: Return closes; Ctrl+Shift+V then Ctrl+Shift+J shows the build code.
class TAboutDialogModel : public TFormModel {
  public:
    TAboutDialogModel();
    enum TKeyResult { krNone, krConsumed, krClose };
    // A key of the command tables (tkey, 'A'..'Z') with its modifiers (TKeyModifier); Shift and
    // Ctrl alone change nothing.
    TKeyResult Key(int tableKey, unsigned modifiers);

  private:
    bool armed_ = false;
};
