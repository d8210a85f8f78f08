// The font dialog of the display panel and the property dialog: the installed monospace faces
// (the dual-width Japanese ones among them), their styles and sizes, and a sample. It opens on the
// face the editor draws with, in the given style and size.
#pragma once

#include <QDialog>
#include <QFont>

class QLabel;
class QListWidget;
class QSpinBox;

class TEditorFontDialog : public QDialog {
    Q_OBJECT
  public:
    // start: the editor's font (family as stored, style, point or pixel size).
    TEditorFontDialog(const QFont& start, QWidget* parent);
    QFont SelectedFont() const;
    // Shows the dialog; true with font set to the choice when OK was pressed.
    static bool GetFont(QFont& font, QWidget* parent);

  private:
    void fillStyles(const QString& keep);
    void showSample();

    QListWidget* families_;
    QListWidget* styles_;
    QListWidget* sizes_;
    QSpinBox* size_;
    QLabel* sample_;
};
