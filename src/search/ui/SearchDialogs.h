// The search dialog TSearchDialog ("検索") and the replace dialog TReplaceDialog ("置換"): pattern
// (and replacement) with their histories, direction and options, kept in the dialogs' profile
// file between runs.
#pragma once

#include "app/ui/FormView.h"
#include "search/FindReplaceCommands.h"
#include "search/SearchDialogModel.h"

#include <QDialog>
#include <QString>

class TSearchDialog : public QDialog {
    Q_OBJECT
  public:
    // The store defaults to the per-user file (SearchDialogStorePath()).
    explicit TSearchDialog(QWidget* parent = nullptr, const QString& storePath = QString());

    // Shows the dialog modally; on OK (or the replace dialog's All) true with the text, the
    // option bits and the replacement of the replace dialog in s (neither text empty there; the
    // options with soReplace or soReplaceAll, and soReplaceConfirm).
    bool Execute(TSearchCommandState& s);

    TSearchDialogModel Model;
    TFormView* Form;

  protected:
    TSearchDialog(QWidget* parent, const QString& storePath, bool replace);
    void showEvent(QShowEvent* e) override;

  private:
    bool loaded_ = false;
};

class TReplaceDialog : public TSearchDialog {
    Q_OBJECT
  public:
    explicit TReplaceDialog(QWidget* parent = nullptr, const QString& storePath = QString());
};
