// The data module's life cycle.
#include "mainwindow/ui/SharedObjects.h"

#include "app/ObjectIni.h"
#include "editor/PropertySetStore.h"
#include "platform/IniFile.h"

TSharedObjects::TSharedObjects(QObject* parent)
    : QObject(parent), DelphiFountain1(CreateDelphiFountain1()),
      HTMLFountain1(CreateHTMLFountain1()) {
    PropSets.SetFountains({DelphiFountain1.get(), HTMLFountain1.get()});
}

void TSharedObjects::ReadStoredObjects(const std::string& settingsFile) {
    TIniFile ini(settingsFile);
    for (TEditorProp& p : PropSets.Sets()) {
        const std::string bytes = ReadObjectFromIni(ini, p.Name, "prop");
        if (!bytes.empty()) PropertySetFromBytes(bytes, p);
    }
    for (TFountain* f : PropSets.Fountains()) {
        const std::string bytes = ReadObjectFromIni(ini, f->Name(), "prop");
        if (!bytes.empty()) f->TryLoadFromBytes(bytes);
    }
}

TSharedObjects::~TSharedObjects() {
    DataModuleDestroy();
}

void TSharedObjects::DataModuleDestroy() {
    if (SaveFileList) SaveFileList(); // a failure has told the user itself
}
