// The display settings panel's steps on the editors, without its window: whether it opens on the
// active editor, "決定" (stored, and applied to the default set and every memo editor), "規定値に
// 戻す" (the factory look previewed) and the property dialog's set stored and applied.
#pragma once

#include "editor/DisplaySettings.h"

#include <string>
#include <vector>

class TEditorCore;
class TEditorProp;
class TPagePropSets;

// Why the panel does not open on the active editor (a colouring definition); empty when it does.
std::string PanelRefusal(const TEditorCore* active);
// "決定": the values (with the window-width wrap of the editor they were previewed on, -1 when
// none) go into the settings and the default set; every editor without a colouring definition
// takes them.
void StorePanel(const TDisplayPanelValues& v, int windowWrap, TSettings& s, TEditorProp& defaultSet,
                const std::vector<TEditorCore*>& editors);
// The editors without a colouring definition take the stored settings.
void ApplyToMemoEditors(const TSettings& s, const std::vector<TEditorCore*>& editors);
// "規定値に戻す": the factory values (the stored tab look kept), previewed with word wrap on.
void ResetPanelToDefaults(TDisplayPanelValues& v, const TEditorProp& factory, const TSettings& s,
                          int windowWrap, TEditorCore* target);
// A property set the dialog changed: stored in the settings file under its name (ident "prop"),
// and taken by the active editor when its page is of the set's kind.
void StorePropertySet(TPagePropSets& sets, TEditorProp& set, const TEditorProp& edited,
                      const std::string& name, const std::string& settingsFile, TEditorCore* active,
                      const std::string& activePath);
