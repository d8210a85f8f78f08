// The search dialog ("検索") and the replace dialog ("置換") without their windows: their controls
// as data and TSearchDialogModel, which loads the options and histories from the dialogs'
// profile file, keeps them when the user confirms, and gives the text and the option bits.
#pragma once

#include "app/Form.h"
#include "search/Matcher.h"
#include "search/SearchHistory.h"

const TFormDesc& SearchDialogForm(bool replace);

class TSearchDialogModel : public TFormModel {
  public:
    TSearchDialogModel(bool replace, const std::string& storePath);

    const bool Replace;
    // Options and histories, when the dialog is first shown.
    void Load();
    // OK of the search dialog: false (only the options kept) when there is no text to search
    // for; otherwise the text also goes to the top of its history.
    bool Ok();
    // OK (soReplace) or All (soReplaceAll) of the replace dialog: the options and the search
    // text are kept; false unless both texts are given, when the replacement is kept as well.
    bool Finish(TSearchOptions modeBit);

    const std::string& SearchText() const { return Text("ComboBox1"); }
    const std::string& Replacement() const { return Text("ComboBox2"); }
    // The option bits (for the replace dialog with the mode and soReplaceConfirm).
    TSearchOptions Options() const;
    std::string HelpText() const;

  private:
    TSearchDialogOptions controlOptions() const;
    void saveSettings(bool withText);
    void addToHistory(const char* combo, std::string_view section, const std::string& text);

    TSearchDialogStore store_;
    TSearchOptions mode_ = 0;
};
