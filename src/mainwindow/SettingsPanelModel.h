// The display settings panel without its window: its controls as data (on the colour, margin
// and tab pages the main window has), TSettingsPanelModel with the values the controls show,
// what each change asks for (a preview or a new look of the tabs), the wrap field's Return and
// the tab page's defaults, and where the panel's buttons sit.
#pragma once

#include "app/Form.h"
#include "editor/DisplaySettings.h"

class TEditorCore;
class TEditorProp;

// A memo editor's wrap after the window changed width (windowWrap: its window-width wrap, -1
// when unknown). While the panel previews on it, only the preview's own window-width mode
// follows (nothing is stored); otherwise, in window-width mode with word wrap on, the width is
// clamped and stored in the settings, the default set and the editor. Editors with a colouring
// definition keep theirs.
void FollowWindowWidth(TEditorCore& c, int windowWrap, const TDisplayPanelValues* preview,
                       TSettings& settings, TEditorProp& defaultSet);

// The pages the panel builds on: "colorPage" and "marginPage" of PageControl2, and "tsTab".
const TFormDesc& SettingsPanelForm();

class TSettingsPanelModel : public TFormModel {
  public:
    enum TEffect { efNone, efPreview, efTabLook, efWrap };

    TDisplayPanelValues Values;
    // What the last change or click asks the window to do.
    TEffect Effect = efNone;
    // The wrap field after Return (Effect efWrap).
    TWrapPreview Wrap;

    // Every control shows Values.
    void Fill();
    void Changed(const std::string& name) override;
    void Clicked(const std::string& name) override;

    // The OK panel sits on the selected page 68 pixels above the panel's bottom; "規定値に戻す"
    // 94 above it on the margin page, never above 292. Tops within the page.
    static int OkPanelTop(int panelHeight, int pageTop);
    static int DefaultsButtonTop(int panelHeight, int pageTop);
};
