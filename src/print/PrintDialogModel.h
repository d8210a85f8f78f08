// The print settings dialog without its window: its controls as data and TPrintDialogModel, the
// rules that write every control into the dialog's own printer at once, the order in which the
// controls take the printer's values on opening, the page-range rules with their wrap-around
// and the double-click resets.
#pragma once

#include "app/Form.h"
#include "print/StringsPrinter.h"

#include <string>
#include <vector>

const TFormDesc& PrintDialogForm();

// The keyword help of the header and footer.
inline constexpr const char* kHeaderKeywordHelp =
    "ヘッダー、フッターに利用出来るキーワードは以下の通りです。\r\n\r\n%p  ページ番号\r\n%f  "
    "ファイル名パス付き\r\n%F  ファイル名パス無し\r\n%y  年\r\n%m  月\r\n%d  日\r\n%t  時間";

class TPrintDialogModel : public TFormModel {
  public:
    explicit TPrintDialogModel(TStringsPrinter& printer) : p_(printer) {}

    // On show: the font lists from the system's families, every control from the printer, the
    // printer's controls enabled only when there are lines to print.
    void Open(const std::vector<std::string>& fontFamilies, bool hasLines);
    // The printer group's labels: name, paper, orientation.
    void SetPrinterLabels(const std::string& printer, const std::string& paper, bool landscape);

    void Changed(const std::string& name) override;
    void Clicked(const std::string& name) override;

  private:
    // A spin field set as the user would set it: wrapped around, then written to the printer.
    void setSpin(const std::string& name, int v);
    TStringsPrinter& p_;
};
