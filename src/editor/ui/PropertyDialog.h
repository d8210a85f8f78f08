// TFormViewEditor: the property dialog. It edits every display property of an editor property
// set (or of one editing control, through a set taken from it): font and colours, margins and
// marks, ruler and line numbers, wrap with its character sets, caret and scroll options, tab
// stops and file extensions. OK hands the edited values back; Cancel changes nothing.
#pragma once

#include "editor/PropertySet.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class TColorButton;

class TFormViewEditor : public QDialog {
    Q_OBJECT
  public:
    explicit TFormViewEditor(QWidget* parent = nullptr);

    // Shows the dialog on the set; on OK the set takes the edited values (its name stays).
    static bool Execute(TEditorProp& set, QWidget* parent, const QString& title);

    void Load(const TEditorProp& p);
    // Writes the controls' values into p; properties the dialog does not show stay as they are.
    void Store(TEditorProp& p) const;

    QTabWidget* Pages = nullptr;
    // Font and colours.
    QLabel* lblFont = nullptr;
    TColorButton *btnColor = nullptr, *btnFontColor = nullptr;
    TColorButton *btnSelectBk = nullptr, *btnSelectFg = nullptr;
    TColorButton *btnHitBk = nullptr, *btnHitFg = nullptr;
    QComboBox* cmbHitStyle = nullptr;
    // Margins and marks.
    QSpinBox *edtTop = nullptr, *edtLeft = nullptr, *edtCharacter = nullptr, *edtLine = nullptr;
    struct MarkRow {
        QCheckBox* visible = nullptr;
        TColorButton* color = nullptr;
    };
    MarkRow RetMark, EofMark, WrapMark, HideMark, Underline;
    // Ruler and line numbers.
    QCheckBox *cbRuler = nullptr, *cbRulerEdge = nullptr;
    QComboBox* cmbGauge = nullptr;
    TColorButton *btnRulerBk = nullptr, *btnRulerFg = nullptr, *btnRulerMark = nullptr;
    QCheckBox *cbLeftbar = nullptr, *cbShowNumber = nullptr, *cbZeroBase = nullptr;
    QCheckBox *cbZeroLead = nullptr, *cbLeftbarEdge = nullptr;
    QComboBox* cmbNumberMode = nullptr;
    QSpinBox* edtColumn = nullptr;
    TColorButton *btnLeftbarBk = nullptr, *btnLeftbarFg = nullptr;
    // Wrap.
    QCheckBox *cbWordWrap = nullptr, *cbFollowRetMark = nullptr, *cbFollowPunctuation = nullptr;
    QCheckBox *cbLeading = nullptr, *cbWordBreak = nullptr;
    QSpinBox* edtWrapByte = nullptr;
    QLineEdit *edtFollowStr = nullptr, *edtLeadStr = nullptr, *edtPunctuationStr = nullptr;
    QComboBox* cmbScrollBars = nullptr;
    // Caret.
    QCheckBox *cbAutoIndent = nullptr, *cbBackSpaceUnIndent = nullptr, *cbFreeCaret = nullptr;
    QCheckBox *cbFreeRow = nullptr, *cbInTab = nullptr, *cbKeepCaret = nullptr;
    QCheckBox *cbLockScroll = nullptr, *cbNextLine = nullptr, *cbPrevSpaceIndent = nullptr;
    QCheckBox *cbRowSelect = nullptr, *cbSelMove = nullptr, *cbSoftTab = nullptr;
    QCheckBox *cbTabIndent = nullptr, *cbAutoCursor = nullptr;
    QComboBox *cmbCaretStyle = nullptr, *cmbTabWidth = nullptr;
    // Recognition and extensions.
    QCheckBox *cbUrl = nullptr, *cbMail = nullptr, *cbControlCode = nullptr;
    QLineEdit* edtExtensions = nullptr;

    // The font dialog (replaceable by tests): false when cancelled.
    std::function<bool(TEditorFont& font)> FontDialog;

  private:
    void showFont();
    TEditorFont FFont;
};
