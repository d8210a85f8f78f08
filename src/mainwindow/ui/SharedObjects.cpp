// The data module's life cycle.
#include "mainwindow/ui/SharedObjects.h"

#include "platform/MessageBox.h"

TdtEditor::TdtEditor(QObject* parent)
    : QObject(parent), DelphiFountain1(CreateDelphiFountain1()),
      HTMLFountain1(CreateHTMLFountain1()) {}

TdtEditor::~TdtEditor() {
    DataModuleDestroy();
}

void TdtEditor::DataModuleDestroy() {
    if (SaveFileList && !SaveFileList())
        ShowMessage(
            "ファイルリスト保存エラー\r\n（テキストは保存されています）\r\n終了処理を継続します。");
}
