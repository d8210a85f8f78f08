// TPropertyDialog: the property dialog. It edits every display property of an editor property
// set (or of one editing control, through a set taken from it); OK hands the edited values back,
// Cancel changes nothing.
#pragma once

#include "app/ui/FormView.h"
#include "editor/PropertyDialogModel.h"

#include <QDialog>

#include <functional>

class TPropertyDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TPropertyDialog(QWidget* parent = nullptr);

    // Shows the dialog on the set; on OK the set takes the edited values (its name stays).
    static bool Execute(TEditorProp& set, QWidget* parent, const QString& title);

    void Load(const TEditorProp& p);
    // Writes the controls' values into p; properties the dialog does not show stay as they are.
    void Store(TEditorProp& p) const { Model.Store(p); }

    TPropertyDialogModel Model;
    TFormView* Form;

    // The font dialog (replaceable by tests): false when cancelled.
    std::function<bool(TEditorFont& font)> FontDialog;

  private:
    void showFont();
};
