// The search dialog TFormSearch ("検索") and the replace dialog TFormReplace ("置換"): pattern
// (and replacement) with their histories, direction and options, kept in the dialogs' profile
// file between runs.
#pragma once

#include "search/Matcher.h"
#include "search/SearchHistory.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

class TFormSearch : public QDialog {
    Q_OBJECT
  public:
    // The store defaults to the per-user file (SearchDialogStorePath()).
    explicit TFormSearch(QWidget* parent = nullptr, const QString& storePath = QString());

    // Shows the dialog modally; on OK true with the text and the option bits.
    bool Execute(QString& text, TSearchOptions& options);

    QString Text() const;
    TSearchOptions Options() const;
    int HelpContext() const { return FHelpContext; }

    QLabel* Label1;
    QComboBox* ComboBox1;
    QGroupBox* RadioGroup1;
    QRadioButton* rbBackward; // RadioGroup1 item 0 "後方(&B)"
    QRadioButton* rbForward;  // RadioGroup1 item 1 "前方(&D)"
    QGroupBox* GroupBox1;
    QCheckBox* chkMatchCase;
    QCheckBox* chkWholeWord;
    QCheckBox* chkNoMatchZenkaku;
    QCheckBox* chkIncludeCRLF;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

  protected:
    enum class Kind { Search, Replace };
    TFormSearch(QWidget* parent, const QString& storePath, Kind kind);

    void showEvent(QShowEvent* e) override;
    // Loads options and histories (once, when first shown).
    virtual void LoadSettings();
    // Saves the options; with a text, moves it to the top of its history and saves that too.
    void SaveSettings(bool withText);
    TSearchDialogOptions ControlOptions() const;
    void ShowHelp();

    TSearchDialogStore FStore;
    QGridLayout* FFields;     // label and combo box rows
    QVBoxLayout* FOptionsBox; // check boxes of GroupBox1
    QVBoxLayout* FButtons;    // the column of buttons
    int FHelpContext = 20400;
    bool FLoaded = false;
    QString FHelpText;

  private:
    void OkClicked();
};

class TFormReplace : public TFormSearch {
    Q_OBJECT
  public:
    explicit TFormReplace(QWidget* parent = nullptr, const QString& storePath = QString());

    // On OK or All true with both texts (neither empty) and the option bits, including
    // soReplace (OK) or soReplaceAll (All) and soReplaceConfirm.
    bool Execute(QString& text, QString& replacement, TSearchOptions& options);

    QString Replacement() const;
    TSearchOptions Options() const;

    QLabel* Label2;
    QComboBox* ComboBox2;
    QCheckBox* chkReplaceConfirm;
    QPushButton* btnAll;

  protected:
    void LoadSettings() override;

  private:
    void Finish(TSearchOptions modeBit);
    TSearchOptions FMode = 0;
};
