// The options dialog without its window: its tabs as data and TOptionsDialogModel, which fills
// the controls from the main window's settings, follows the date sample, acts on the system at
// once for the association, "send to" and stand-alone controls, and applies and writes the
// values when the dialog closes without Cancel.
#pragma once

#include "app/Form.h"
#include "app/Settings.h"
#include "setup/Options.h"

#include <string>

const TFormDesc& OptionsDialogForm();

class TOptionsDialogModel : public TFormModel {
  public:
    // asker asks the system actions' questions and tells their results.
    TOptionsDialogModel(TAsker& asker, TSettings& settings, std::string settingsFile,
                        std::string programFolder, std::string program);

    void Changed(const std::string& name) override;
    void Clicked(const std::string& name) override;

    // The file chooser of edtBrowser or edtEditor: the folder it starts in and the file it
    // presets (the field's file when its folder exists, else the program folder and none).
    struct TBrowseStart {
        std::string folder, preset;
    };
    TBrowseStart BrowseStart(const std::string& edit) const;
    // Closing without Cancel: the values into the settings and [Set] of the settings file (a
    // message when the file cannot be written).
    void Apply();
    // The start-up tab is shown (the hidden editor group's keys work only there).
    bool OnStartTab() const { return Int("PageControl1") == 2; }
    // A key before the controls see it (of the command tables, with its TKeyModifier): Ctrl+Shift+G
    // then Ctrl+Shift+E on the start-up tab show the hidden editor group. True when it is shown.
    bool FormKey(int tableKey, unsigned modifiers);

  private:
    void showAssociation();
    THiddenPanelKeys keys_; // a change of tab disarms them
    TAsker& asker_;
    TSettings& settings_;
    const std::string settingsFile_, programFolder_, program_;
};
