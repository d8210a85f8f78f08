// TTokenColorDialog: the token colour dialog. It edits the colour, background and style of
// every token kind of a colouring definition (and of its bracket ranges) on a copy, and shows a
// sample text painted with those colours as the editor paints it. OK copies the edits back.
#pragma once

#include "app/ui/FormView.h"
#include "syntax/TokenColorModel.h"

#include <QDialog>
#include <QFont>

class TTokenSample;

class TTokenColorDialog : public QDialog {
    Q_OBJECT
  public:
    // font and colours: the look of the editors that use the definition (for the sample).
    TTokenColorDialog(const TFountain& fountain, const QFont& font, const QColor& background,
                      const QColor& text, QWidget* parent = nullptr);

    static bool Execute(TFountain& fountain, QWidget* parent, const QFont& font,
                        const QColor& background, const QColor& text);

    TFountain& Edited() { return Model.Edited(); }

    TTokenColorModel Model;
    TFormView* Form;
    TTokenSample* Sample = nullptr;
};

// Sample text (Shift-JIS rows) painted with a colouring definition on the editor's cell grid.
class TTokenSample : public QWidget {
    Q_OBJECT
  public:
    TTokenSample(const TFountain& fountain, const QFont& font, const QColor& background,
                 const QColor& text, QWidget* parent = nullptr);
    void SetRows(std::vector<std::string> cp932Rows);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    const TFountain& fountain_;
    QFont font_;
    QColor background_, text_;
    std::vector<std::string> rows_;
};
