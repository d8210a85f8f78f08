// The display settings panel's steps and the property dialog's result on the editors.
#include "mainwindow/DisplayPanelSteps.h"

#include "app/ObjectIni.h"
#include "editor/EditorCore.h"
#include "editor/PagePropSets.h"
#include "editor/PropertySetStore.h"
#include "platform/IniFile.h"

std::string PanelRefusal(const TEditorCore* active) {
    if (!active || !active->Fountain()) return {};
    return "表示設定は今のところメモファイル(.txt)"
           "しか出来ません\r\nメモファイルをアクティブにしてか"
           "ら、\r\n表示設定を選択してください。";
}

void ApplyToMemoEditors(const TSettings& s, const std::vector<TEditorCore*>& editors) {
    for (TEditorCore* e : editors)
        if (e && !e->Fountain()) ApplyDisplaySettings(s, *e);
}

void StorePanel(const TDisplayPanelValues& v, int windowWrap, TSettings& s, TEditorProp& defaultSet,
                const std::vector<TEditorCore*>& editors) {
    StorePanelValues(v, windowWrap, s);
    SettingsToPropertySet(s, defaultSet);
    ApplyToMemoEditors(s, editors);
}

void ResetPanelToDefaults(TDisplayPanelValues& v, const TEditorProp& factory, const TSettings& s,
                          int windowWrap, TEditorCore* target) {
    v = PanelValuesFromDefaults(factory, s);
    if (!target) return;
    PreviewPanelValues(v, *target);
    TWrapPreview w = PreviewWrapField(v.WrapText);
    w.WordWrap = true; // the defaults always wrap
    PreviewWrap(w, windowWrap, *target);
}

void StorePropertySet(TPagePropSets& sets, TEditorProp& set, const TEditorProp& edited,
                      const std::string& name, const std::string& settingsFile, TEditorCore* active,
                      const std::string& activePath) {
    set.Assign(edited);
    set.Name = name;
    TIniFile ini(settingsFile);
    WriteObjectToIni(PropertySetToBytes(set), ini, name, "prop");
    if (active && sets.SetShowsPath(set, activePath)) set.AssignTo(*active);
}
