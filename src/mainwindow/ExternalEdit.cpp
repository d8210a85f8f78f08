// The external editor: the page is handed over read-only, with a safety copy of its text, and
// read again when the editor ends.
#include "mainwindow/FileCommands.h"

#include "app/ShellUtil.h"

#include <cstdio>

bool TFileCommands::StartExternalEdit() {
    if (!settings_.isEditor) {
        host_.Notice("オプション設定でエディタの使用設定をお願いいたします。\r\n中止します。");
        return false;
    }
    if (ExternalEditRunning()) {
        host_.Notice("外部エディタは既に起動中です。\r\n中止します。");
        return false;
    }
    const int index = host_.ActivePage();
    if (index < 0) return false;
    if (host_.IsModified(index)) book_.Save();
    // Cancelled or failed save: the editor would not see the page's text.
    if (host_.IsModified(index)) return false;
    const std::string path = book_.ActivePath();
    if (book_.IsUntitled(index) || !FileExists(path)) {
        host_.Notice("ファイルがありません。");
        return false;
    }
    std::string program;
    switch (CheckProgram(settings_.Editor, &program, searchPath)) {
    case TProgramCheck::Blank:
        host_.Notice("エディタが指定されていません。\r\n中止します。");
        return false;
    case TProgramCheck::Missing:
        host_.Notice("エディタが指定された場所に存在しません。\r\n中止します。");
        return false;
    case TProgramCheck::Ok:
        break;
    }
    // The safety copy keeps the text the page had, whatever the editor does to the file.
    const std::string copy = SafetyCopyPath(path, dataFolder);
    std::string error;
    if (!host_.SavePageText(index, copy, &error)) {
        host_.ErrorBox("[" + copy + "]を保存できません。\r\n" + error + "\r\n中止します。");
        return false;
    }
    safety_ = copy;
    mark_ = path;
    wasReadOnly_ = host_.IsReadOnly(index);
    host_.SetReadOnly(index, true);
    host_.UpdatePageStatus();
    if (!window_.StartEditor(program, {path})) {
        host_.Notice("外部エディター起動エラー\r\n中止します。");
        ExternalEditEnded();
        return false;
    }
    return true;
}

void TFileCommands::ExternalEditEnded() {
    if (!ExternalEditRunning()) return;
    int index = host_.ActivePage();
    if (book_.ActivePath() != mark_) {
        const int found = book_.List().IndexOfPath(mark_);
        if (found == -1) {
            window_.InfoBox("外部エディタで編集したファイルが有りません。\r\n"
                            "このまま作業を続けます。");
            endExternalEdit(-1);
            return;
        }
        if (found < 0) {
            host_.Notice(
                "外部エディタで編集したファイル名は同じで、フォルダの違うファイルがあります。"
                "\r\n一度、終了させた方がいいと思います。");
            endExternalEdit(-1);
            return;
        }
        index = found;
        host_.SetActivePage(index);
        book_.PageChange();
    }
    endExternalEdit(index);
}

void TFileCommands::endExternalEdit(int index) {
    const std::string path = mark_;
    if (index >= 0) {
        host_.SetReadOnly(index, wasReadOnly_);
        // The page is unmodified (it was read-only), so this reads the file the editor left.
        book_.LoadFile(path);
        host_.UpdatePageStatus();
    }
    if (!safety_.empty()) std::remove(safety_.c_str());
    safety_.clear();
    mark_.clear();
}
