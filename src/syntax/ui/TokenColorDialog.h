// TFormFountainEditor: the token colour dialog. It edits the colour, background and style of
// every token kind of a colouring definition (and of its bracket ranges) on a copy, and shows a
// sample text painted with those colours as the editor paints it. OK copies the edits back.
#pragma once

#include "syntax/Fountain.h"

#include <QDialog>
#include <QFont>

#include <memory>

class QCheckBox;
class QListWidget;
class TColorButton;
class TTokenSample;

class TFormFountainEditor : public QDialog {
    Q_OBJECT
  public:
    // font and colours: the look of the editors that use the definition (for the sample).
    TFormFountainEditor(const TFountain& fountain, const QFont& font, const QColor& background,
                        const QColor& text, QWidget* parent = nullptr);
    ~TFormFountainEditor() override;

    static bool Execute(TFountain& fountain, QWidget* parent, const QFont& font,
                        const QColor& background, const QColor& text);

    TFountain& Edited() { return *FCopy; }
    // The colour items in list order: a caption and the copy's item.
    struct Item {
        QString caption;
        TFountainColor* color;
    };
    const std::vector<Item>& Items() const { return FItems; }

    QListWidget* lstTokens = nullptr;
    TColorButton *btnColor = nullptr, *btnBkColor = nullptr;
    QCheckBox *cbBold = nullptr, *cbItalic = nullptr, *cbUnderline = nullptr,
              *cbStrikeOut = nullptr;
    TTokenSample* Sample = nullptr;

  private:
    void showItem();
    void storeItem();
    std::unique_ptr<TFountain> FCopy;
    std::vector<Item> FItems;
    bool FFilling = false;
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
    const TFountain& FFountain;
    QFont FFont;
    QColor FBackground, FText;
    std::vector<std::string> FRows;
};
