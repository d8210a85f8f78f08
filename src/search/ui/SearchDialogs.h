// The search dialog TFormSearch ("検索") and the replace dialog TFormReplace ("置換"): pattern
// (and replacement) with their histories, direction and options, kept in the dialogs' profile
// file between runs.
#pragma once

#include "app/ui/FormView.h"
#include "search/SearchDialogModel.h"

#include <QDialog>
#include <QString>

class TFormSearch : public QDialog {
    Q_OBJECT
  public:
    // The store defaults to the per-user file (SearchDialogStorePath()).
    explicit TFormSearch(QWidget* parent = nullptr, const QString& storePath = QString());

    // Shows the dialog modally; on OK true with the text and the option bits.
    bool Execute(QString& text, TSearchOptions& options);

    QString Text() const { return QString::fromStdString(Model.SearchText()); }
    TSearchOptions Options() const { return Model.Options(); }

    TSearchDialogModel Model;
    TFormView* Form;

  protected:
    TFormSearch(QWidget* parent, const QString& storePath, bool replace);
    void showEvent(QShowEvent* e) override;

  private:
    bool loaded_ = false;
};

class TFormReplace : public TFormSearch {
    Q_OBJECT
  public:
    explicit TFormReplace(QWidget* parent = nullptr, const QString& storePath = QString());

    // On OK or All true with both texts (neither empty) and the option bits, including
    // soReplace (OK) or soReplaceAll (All) and soReplaceConfirm.
    bool Execute(QString& text, QString& replacement, TSearchOptions& options);
};
