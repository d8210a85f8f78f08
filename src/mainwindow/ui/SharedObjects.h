// The data module TSharedObjects: the program-wide pieces that the main window and every page
// share. It is created before the main window and destroyed after it.
#pragma once

#include "app/Settings.h"
#include "editor/PagePropSets.h"
#include "syntax/SyntaxInstances.h"

#include <QObject>
#include <functional>
#include <memory>

class TSharedObjects : public QObject {
    Q_OBJECT
  public:
    explicit TSharedObjects(QObject* parent = nullptr); // DataModuleCreate
    ~TSharedObjects() override;                         // DataModuleDestroy

    // The colouring definitions pages get by their file's extension, in this order.
    std::unique_ptr<TDelphiFountain> DelphiFountain1;
    std::unique_ptr<THTMLFountain> HTMLFountain1;
    // The editor property sets (EditorProp_Default carries the look of plain memo pages,
    // EditorProp_DefaultOrg the factory values "規定値に戻す" returns to) and the choice of a set
    // and a colouring definition for a page.
    TPagePropSets PropSets;

    // Reads the sets and colouring definitions a property dialog stored in the settings file
    // (section = the object's name, ident "prop"); a damaged dump leaves its object alone.
    void ReadStoredObjects(const std::string& settingsFile);

    // Saves the open-file list when the module goes (false: it could not be written).
    std::function<bool()> SaveFileList;

  private:
    void DataModuleDestroy();
};
