// TFormStringsPrint: the print settings dialog. It edits its own copy of the printer
// (StringsPrinter1), prints or previews the lines handed in, and gives its settings back only
// when the user leaves it after printing or previewing.
#pragma once

#include "print/PageLayout.h"
#include "print/StringsPrinter.h"

#include <QDialog>
#include <QGroupBox>
#include <QSpinBox>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class TPrintTarget;

// A group of radio buttons with an item index, told of clicks.
class TRadioGroup : public QGroupBox {
  public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent);
    int ItemIndex() const;
    void SetItemIndex(int i); // runs OnClick as a click would
    std::function<void(int)> OnClick;
    std::vector<QRadioButton*> Buttons;
};

// A spin edit that reports double-clicks on its text.
class TPrintSpinEdit : public QSpinBox {
  public:
    TPrintSpinEdit(int min, int max, QWidget* parent);
    std::function<void()> OnDoubleClick;
    QLineEdit* Edit() const { return lineEdit(); }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};

class TFormStringsPrint : public QDialog {
    Q_OBJECT
  public:
    // lines may be null (nothing to print: printing, preview and setup stay disabled).
    TFormStringsPrint(const TPrintLines* lines, TPrintTarget& target, QWidget* parent = nullptr);

    // Opens the dialog on a copy of printer; on OK copies it back. True for OK.
    static bool Execute(TStringsPrinter& printer, const TPrintLines* lines,
                        QWidget* parent = nullptr);

    TStringsPrinter StringsPrinter1;
    bool Done() const { return done_; }

    // Printer labels: name, paper, orientation.
    void RefreshPrinterLabels();
    // What the buttons do.
    void btnPrintClick();
    void btnPreviewClick();
    void btnCloseClick();
    void btnSetteiClick();
    void FramSpeedBtn3Click();

    QPushButton *btnClose, *btnPrint, *btnPreview, *btnSettei;
    QToolButton *FramSpeedBtn3, *FramSpeedBtn7;
    QLabel *Label5, *Label6, *Label12, *Label18, *Label19, *Label21, *Label22;
    QTabWidget* PageControl1;
    QWidget *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4;
    QComboBox *ComboBox1, *ComboBox2;
    QCheckBox* CheckBox1;
    TRadioGroup *RadioGroup1, *RadioGroup2, *RadioGroup3, *RadioGroup4, *RadioGroup5, *RadioGroup6;
    TPrintSpinEdit *SpinEdit1, *SpinEdit2, *SpinEdit3, *SpinEdit4, *SpinEdit5, *SpinEdit6,
        *SpinEdit7, *SpinEdit8, *SpinEdit9, *SpinEdit10, *SpinEdit11, *SpinEdit12;
    QLineEdit *Edit1, *Edit2;

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void build();
    void FormShow();
    // Wrap-around of a page or line spin edit: below 1 gives 999999, above 999999 gives 1.
    static bool wrapAround(TPrintSpinEdit* s);

    const TPrintLines* lines_;
    TPrintTarget& target_;
    bool done_ = false;
    bool opened_ = false;
};

// The keyword help of the header and footer.
inline constexpr const char* kHeaderKeywordHelp =
    "ヘッダー、フッターに利用出来るキーワードは以下の通りです。\r\n\r\n%p  ページ番号\r\n%f  "
    "ファイル名パス付き\r\n%F  ファイル名パス無し\r\n%y  年\r\n%m  月\r\n%d  日\r\n%t  時間";
