// Print and Preview of the strings printer: the layout pass with its progress window
// (TPrintProgress, Cancel honoured before each line), then the selected pages sent to the
// printer or every page shown in the preview window, each page drawn when it is needed.
#pragma once

#include "print/PageLayout.h"
#include "print/StringsPrinter.h"

#include <QDialog>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class TPrintTarget;

class TPrintProgress : public QDialog {
    Q_OBJECT
  public:
    explicit TPrintProgress(QWidget* parent = nullptr);
    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QPushButton* Button1;
    bool Cancelled() const { return cancelled_; }

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    bool cancelled_ = false;
};

// A laid-out document: the layout with the font and page it was made for.
struct TLaidOutPages {
    TPrinterPage Page;
    QFont Font;
    std::unique_ptr<TPrintMeasurer> Measurer;
    TPageGeometry Geometry;
    std::unique_ptr<TPrintLayout> Layout;
};

// Lays the lines out for the target, with the progress window captioned caption. Null when
// cancelled or when not one row fits the page (that is told in a message box).
std::unique_ptr<TLaidOutPages> LayOutPages(const TStringsPrinter& p, TPrintTarget& target,
                                           const TPrintLines& lines, const QString& caption,
                                           QWidget* parent);

// Print: lays out ("印刷中") and sends the selected pages; for the PDF choice the user names the
// file first. False when cancelled (nothing is sent).
bool PrintStrings(const TStringsPrinter& p, TPrintTarget& target, const TPrintLines& lines,
                  QWidget* parent);
// Sends the selected pages of a laid-out document; false when the printer refused to start.
bool SendPages(TPrintTarget& target, const TLaidOutPages& doc);
// Preview: lays out ("プレビューを作成中") and shows the pages modally; false when cancelled.
bool PreviewStrings(const TStringsPrinter& p, TPrintTarget& target, const TPrintLines& lines,
                    QWidget* parent);
