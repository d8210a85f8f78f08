// The data module TdtEditor: the program-wide pieces that the main window and every page share.
// It is created before the main window and destroyed after it.
#pragma once

#include "app/Settings.h"
#include "syntax/SyntaxInstances.h"

#include <QObject>
#include <functional>
#include <memory>

class TdtEditor : public QObject {
    Q_OBJECT
  public:
    explicit TdtEditor(QObject* parent = nullptr); // DataModuleCreate
    ~TdtEditor() override;                         // DataModuleDestroy

    // The look of plain memo pages as the property set EditorProp_Default carries it (its design
    // values until the settings are applied), and the unchanged design values of
    // EditorProp_DefaultOrg that "restore the defaults" returns to.
    TEditorDisplay EditorProp_Default;
    const TEditorDisplay EditorProp_DefaultOrg{};

    // The colouring definitions pages get by their file's extension, in this order.
    std::unique_ptr<TDelphiFountain> DelphiFountain1;
    std::unique_ptr<THTMLFountain> HTMLFountain1;

    // Saves the open-file list when the module goes (false: it could not be written).
    std::function<bool()> SaveFileList;

  private:
    void DataModuleDestroy();
};
