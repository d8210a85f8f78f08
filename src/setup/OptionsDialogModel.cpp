// The options dialog's tabs, its values and its system actions.
#include "setup/OptionsDialogModel.h"

#include "app/DataFolder.h"
#include "editor/Commands.h"
#include "platform/MessageBox.h"
#include "setup/Options.h"
#include "setup/ReleaseAge.h"

#include <algorithm>
#include <filesystem>

namespace {

using C = TCtl;
const TLineEndStyle kLineEnds[] = {TLineEndStyle::CrLf, TLineEndStyle::Lf, TLineEndStyle::Cr};

TControl Page(const char* name, const char* caption, unsigned flags = 0) {
    return {.Kind = C::Page,
            .Name = name,
            .Caption = caption,
            .Parent = "PageControl1",
            .Flags = flags};
}
TControl Radios(const char* name, const char* caption, const char* parent) {
    return {.Kind = C::Group, .Name = name, .Caption = caption, .Parent = parent, .Flags = fRadios};
}
TControl Group(const char* name, const char* caption, const char* parent) {
    return {
        .Kind = C::Group, .Name = name, .Caption = caption, .Parent = parent, .Layout = TLay::Grid};
}
TControl Stretch(const char* parent) {
    return {.Kind = C::Stretch, .Parent = parent, .Max = 1};
}

TFormDesc MakeForm() {
    return {
        GridCell(C::Tabs, "PageControl1", "", ""),
        Page("tsHyouji", " 表示 "),
        Radios("gbLine", " 行番号の計算方法(&C) ", "tsHyouji"),
        GridCell(C::Radio, "rbWpLine", "ワープロ的（折り返しも１行とする）", "gbLine"),
        GridCell(C::Radio, "rbEdLine", "エディタ的（改行だけを数える）", "gbLine"),
        Radios("gbPosition", " 表示位置(&H) ", "tsHyouji"),
        GridCell(C::Radio, "rbCenter", "画面の真ん中", "gbPosition"),
        GridCell(C::Radio, "rbZenkai", "終了位置", "gbPosition"),
        {.Kind = C::Box, .Name = "menuCount", .Parent = "tsHyouji", .Layout = TLay::HBox},
        GridCell(C::Label, "", "開き直すの履歴の行数", "menuCount"),
        {.Kind = C::Spin, .Name = "edtMenuCount", .Parent = "menuCount", .Min = 8, .Max = 30},
        GridCell(C::Label, "", "( 8 ～ 30 )", "menuCount"),
        Stretch("menuCount"),
        Radios("gbDate", " 日付の書式 ", "tsHyouji"),
        GridCell(C::Radio, "rbWaYMD", "和暦", "gbDate"),
        GridCell(C::Radio, "rbYMD", "西暦", "gbDate"),
        GridCell(C::Check, "cbYoubi", "曜日を付加", "gbDate"),
        GridCell(C::Label, "lblYMD", "サンプル：H16.3.14 (日)", "gbDate"),
        Stretch("tsHyouji"),
        Page("tsDousa", " 動作 "),
        GridCell(C::Check, "cbKnKakunin", "保存の確認を行わない。", "tsDousa"),
        Group("gbJump", " ジャンプボタン ", "tsDousa"),
        GridCell(C::Label, "", "ジャンプ時のカーソル位置　　　（１）トップから", "gbJump"),
        {.Kind = C::Spin, .Name = "edtCLine1", .Parent = "gbJump", .Col = 1, .Max = 999},
        GridCell(C::Label, "", "（２）ボトムから", "gbJump", 1, 0, 1, 1, fAlignRight),
        {.Kind = C::Spin, .Name = "edtCLine2", .Parent = "gbJump", .Row = 1, .Col = 1, .Max = 999},
        GridCell(C::Check, "cbJHanten", "動作を反転", "gbJump", 2),
        GridCell(C::Label, "", "( + Shift )", "gbJump", 2, 1),
        Radios("rgCurs", " 貼り付け後のカーソル位置 ", "tsDousa"),
        GridCell(C::Radio, "rgCurs0", "賢い動作", "rgCurs"),
        GridCell(C::Radio, "rgCurs1", "先頭のまま", "rgCurs"),
        GridCell(C::Radio, "rgCurs2", "最後に移動", "rgCurs"),
        Group("gbFormat", " 新しいページの保存形式 ", "tsDousa"),
        GridCell(C::Label, "", "文字コード：", "gbFormat"),
        GridCell(C::Combo, "cbNewEncoding", "", "gbFormat", 0, 1),
        GridCell(C::Label, "", "改行コード：", "gbFormat", 1),
        GridCell(C::Combo, "cbNewLineEnd", "", "gbFormat", 1, 1),
        {.Kind = C::Stretch, .Parent = "gbFormat", .Row = -1, .Col = 2, .Max = 1},
        Stretch("tsDousa"),
        Page("tsKidou", " 起動 "),
        Group("gbBrowser", " ブラウザの起動 ", "tsKidou"),
        GridCell(C::Check, "cbisClick", "シングルクリックで起動", "gbBrowser", 0, 0, 1, 3),
        GridCell(C::Check, "cbisBrowser", "指定したブラウザを使用する", "gbBrowser", 1, 0, 1, 3),
        GridCell(C::Label, "", "ブラウザ：", "gbBrowser", 2),
        GridCell(C::Edit, "edtBrowser", "", "gbBrowser", 2, 1),
        GridCell(C::Button, "btnBrowser", "...", "gbBrowser", 2, 2),
        Group("gbEditor", " エディタ ", "tsKidou"),
        GridCell(C::Check, "cbisEditor", "外部エディタを使う", "gbEditor", 0, 0, 1, 3),
        GridCell(C::Label, "", "エディタ：", "gbEditor", 1),
        GridCell(C::Edit, "edtEditor", "", "gbEditor", 1, 1),
        GridCell(C::Button, "btnEditor", "...", "gbEditor", 1, 2),
        Stretch("tsKidou"),
        Page("tsDousa2", " 動作２ ", fHidden),
        GridCell(C::Group, "gbFast", " 高速起動 ", "tsDousa2"),
        Page("tsSonota", " その他 "),
        GridCell(C::Button, "btnTolmoKanren", "", "tsSonota"),
        GridCell(C::Label, "", "※[ *.txt]ファイルとトルモを関連付けます", "tsSonota"),
        GridCell(C::Button, "btnSendTo", "「送る」にショートカットを作成", "tsSonota"),
        GridCell(C::Label, "", "※エクスプローラー右クリック時の「送る」", "tsSonota"),
        GridCell(C::Label, "", "にトルモを登録します", "tsSonota"),
        GridCell(C::Check, "cbLocal", "この「トルモ」は単独で起動する", "tsSonota"),
        GridCell(C::Label, "", "※メインで使うトルモの場合、", "tsSonota"),
        GridCell(C::Label, "", "このオプションは使わないでください。", "tsSonota"),
        Stretch("tsSonota"),
        {.Kind = C::Box, .Name = "bottom", .Layout = TLay::HBox},
        GridCell(C::Label, "lblLocal", "→ ローカルフォルダ起動", "bottom"),
        Stretch("bottom"),
        GridCell(C::Button, "BitBtn1", "OK", "bottom", 0, 0, 1, 1, fDefault),
        GridCell(C::Button, "btnCancel", "キャンセル", "bottom"),
    };
}

} // namespace

const TFormDesc& OptionsDialogForm() {
    static const TFormDesc form = MakeForm();
    return form;
}

TOptionsDialogModel::TOptionsDialogModel(TAsker& asker, TSettings& settings,
                                         std::string settingsFile, std::string programFolder,
                                         std::string program)
    : asker_(asker), settings_(settings), settingsFile_(std::move(settingsFile)),
      programFolder_(std::move(programFolder)), program_(std::move(program)) {
    const TSettings& s = settings_;
    SetInt("gbLine", s.isWpLine ? 0 : 1);
    SetInt("gbPosition", s.isZenkai ? 1 : 0);
    SetInt("edtMenuCount", ClampMenuCount(s.MenuCount));
    SetInt("gbDate", s.isWaYMD ? 0 : 1);
    SetChecked("cbYoubi", s.isYoubi);
    SetChecked("cbKnKakunin", s.KnKakunin);
    SetInt("edtCLine1", s.CLine1);
    SetInt("edtCLine2", s.CLine2);
    SetChecked("cbJHanten", s.JHanten);
    SetInt("rgCurs", std::clamp(s.Curs, 0, 2));
    const TFileFormat newPages = ReadNewPageFormat(settingsFile_);
    std::vector<std::string> encodings, lineEnds;
    for (const TFileFormat& f : ChoosableEncodings()) {
        if (f.encoding == newPages.encoding && f.bom == newPages.bom)
            SetInt("cbNewEncoding", static_cast<int>(encodings.size()));
        encodings.push_back(EncodingName(f.encoding, f.bom));
    }
    for (TLineEndStyle l : kLineEnds) {
        if (l == newPages.lineEnd) SetInt("cbNewLineEnd", static_cast<int>(lineEnds.size()));
        lineEnds.push_back(LineEndName(l));
    }
    SetItems("cbNewEncoding", encodings);
    SetItems("cbNewLineEnd", lineEnds);
    SetChecked("cbisClick", s.isClick);
    SetChecked("cbisBrowser", s.isBrowser);
    SetText("edtBrowser", s.Browser);
    SetChecked("cbisEditor", s.isEditor);
    SetText("edtEditor", s.Editor);
    SetVisible("gbEditor", s.GEditor);
    SetChecked("cbLocal", HasLocalFolderMarker(programFolder_));
    SetVisible("lblLocal", Checked("cbLocal"));
    showAssociation();
}

void TOptionsDialogModel::showAssociation() {
    SetText("btnTolmoKanren", TextFilesAssociated() ? "テキストと「トルモ」の関連付けを解除する"
                                                    : "テキストを「トルモ」に関連付ける");
}

void TOptionsDialogModel::Changed(const std::string& name) {
    if (name == "PageControl1") keys_.Disarm();
    if (name == "cbYoubi" || name == "cbLocal") Clicked(name);
}

bool TOptionsDialogModel::FormKey(int key, unsigned modifiers) {
    if ((modifiers & (kmCtrl | kmShift)) != (kmCtrl | kmShift) || key < 'A' || key > 'Z')
        return false;
    if (!keys_.Key(static_cast<char>(key), OnStartTab(), !Visible("gbEditor"))) return false;
    SetVisible("gbEditor", true);
    return true;
}

void TOptionsDialogModel::Clicked(const std::string& name) {
    if (name == "rbWaYMD" || name == "rbYMD" || name == "cbYoubi") {
        // The date controls change the sample only once they are clicked.
        SetText("lblYMD", DateSample(Today(), Int("gbDate") == 0, Checked("cbYoubi")));
    } else if (name == "cbLocal") {
        const bool on = Checked(name);
        if (!SwitchLocalMarker(asker_, programFolder_, on)) SetChecked(name, !on);
        SetVisible("lblLocal", HasLocalFolderMarker(programFolder_));
    } else if (name == "btnTolmoKanren") {
        if (TextFilesAssociated())
            RemoveTextAssociation(asker_);
        else
            AssociateTextFiles(asker_, program_);
        showAssociation();
    } else if (name == "btnSendTo") {
        RegisterSendTo(asker_, program_, SpecialFolders());
    }
}

TOptionsDialogModel::TBrowseStart TOptionsDialogModel::BrowseStart(const std::string& edit) const {
    std::string text = Text(edit);
    text.erase(0, text.find_first_not_of(" \t"));
    text.erase(text.find_last_not_of(" \t") + 1);
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!text.empty()) {
        const fs::path folder = fs::absolute(text, ec).parent_path();
        if (!ec && fs::is_directory(folder, ec)) return {folder.string(), text};
    }
    return {programFolder_, ""};
}

void TOptionsDialogModel::Apply() {
    TSettings& s = settings_;
    s.isWpLine = Int("gbLine") == 0;
    s.isZenkai = Int("gbPosition") == 1;
    s.MenuCount = ClampMenuCount(Int("edtMenuCount"));
    s.isWaYMD = Int("gbDate") == 0;
    s.isYoubi = Checked("cbYoubi");
    s.KnKakunin = Checked("cbKnKakunin");
    s.CLine1 = Int("edtCLine1");
    s.CLine2 = Int("edtCLine2");
    s.JHanten = Checked("cbJHanten");
    s.Curs = Int("rgCurs");
    s.isClick = Checked("cbisClick");
    s.isBrowser = Checked("cbisBrowser");
    s.Browser = Text("edtBrowser");
    s.isEditor = Checked("cbisEditor");
    s.Editor = Text("edtEditor");
    s.GEditor = Visible("gbEditor");
    TFileFormat newPages;
    ParseEncodingName(Choice("cbNewEncoding"), &newPages.encoding, &newPages.bom);
    ParseLineEndName(Choice("cbNewLineEnd"), &newPages.lineEnd);
    if (!WriteOptions(settingsFile_, s, newPages))
        asker_.ShowMessage("[" + settingsFile_ + "]に設定を保存できませんでした。");
}
