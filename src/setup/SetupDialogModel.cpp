// The setup dialog's pages and their rules.
#include "setup/SetupDialogModel.h"

#include "app/Settings.h"
#include "app/ShellUtil.h"
#include "platform/Drives.h"
#include "platform/MessageBox.h"
#include "setup/SetupFiles.h"
#include "setup/SpecialFolders.h"

#include <algorithm>

namespace {

using C = TCtl;

const char* const kMeCopy = "「登録してあります。」と表示されていても、\n"
                            "上記< 起動フォルダ >が登録されているとは限りません。\n"
                            "[ トルモ ]又は[ Tolmo ]のショートカットが、\n"
                            "存在しているかどうかを表示しています。\n"
                            "セットアップ等で、起動フォルダを変更されたときなどは\n"
                            "ご注意下さい。\n\n"
                            "起動フォルダを移動された場合、一度、解除してから\n"
                            "もう一度、登録し直してください。\n"
                            "上記< 起動フォルダ >が登録されます。\n\n"
                            "また、ショートカットの名称を[ トルモ ][ Tolmo ]以外に変更すると、\n"
                            "上記機能は、正常に働きません。\n"
                            "ショートカットの名称を変更された場合は、\n"
                            "ご自分で、スタートアップ、デスクトップ等を整理してください。";

// The shortcut groups: name, caption, On and Off radio buttons with their captions.
struct Place {
    const char *group, *caption, *on, *onCaption, *off, *offCaption;
    TShortcutPlace place;
};
const Place kPlaces[] = {
    {"gbDesktop", " デスクトップのショートカット ", "DesktopOn", "作成して有ります（作成します）",
     "DesktopOff", "作成していません（削除します）", TShortcutPlace::Desktop},
    {"gbStartMenu", " スタートメニュー登録 ", "StartMenuOn", "登録して有ります（登録します）",
     "StartMenuOff", "登録していません（解除します）", TShortcutPlace::StartMenu},
    {"gbProgram", " ＜スタート＞－＜プログラムメニュー＞登録 ", "ProgramOn",
     "登録して有ります（登録します）", "ProgramOff", "登録していません（解除します）",
     TShortcutPlace::ProgramMenu},
};

TControl Note(const char* caption, const char* parent, int row) {
    return GridCell(C::Label, "", caption, parent, row, 0, 1, 4);
}

TFormDesc MakeForm() {
    TFormDesc d = {
        GridCell(C::Stack, "PageControl1", "", ""),
        // The setup page.
        GridCell(C::Page, "tsSetup", "", "PageControl1"),
        GridCell(C::Label, "Label15", "", "tsSetup"),
        {.Kind = C::Group,
         .Name = "actions",
         .Caption = " アクション ",
         .Parent = "tsSetup",
         .Layout = TLay::Grid,
         .Flags = fRadios},
        GridCell(C::Label, "", "セットアップの場所（規定値推奨）", "actions"),
        GridCell(C::Label, "", "現在の起動フォルダ", "actions", 1),
        {.Kind = C::Edit,
         .Name = "edtKidouS",
         .Parent = "actions",
         .Row = 2,
         .ColSpan = 2,
         .Flags = fReadOnly,
         .Label = "現在の起動フォルダ"},
        GridCell(C::Label, "", "↓", "actions", 3),
        Labelled(GridCell(C::Edit, "edtSetup", "", "actions", 4), "セットアップの場所"),
        GridCell(C::ToolButton, "FramSpeedBtn19", "...", "actions", 4, 1),
        GridCell(C::Radio, "rbNewSetup", "すべてを新規でセットアップ（はじめての方）", "actions", 5,
                 0, 1, 2),
        GridCell(C::Radio, "rbUwagaki", "上書きセットアップ（すでにトルモを使用されている方）",
                 "actions", 6, 0, 1, 2),
        GridCell(C::Radio, "rbNewSubSetup", "単独で起動するトルモをセットアップ（２つ目以降）",
                 "actions", 7, 0, 1, 2),
        GridCell(C::Radio, "rbOpSetup", "Option を指定してセットアップ", "actions", 8, 0, 1, 2),
        GridCell(C::Group, "rgOption", " Option ", "tsSetup"),
        GridCell(C::Check, "cbDeskTop", "デスクトップにショートカットを作成", "rgOption"),
        GridCell(C::Check, "cbStartMenu", "スタートメニューに登録", "rgOption"),
        GridCell(C::Check, "cbProgram", "プログラムメニューに登録", "rgOption"),
        {.Kind = C::Box, .Name = "setupButtons", .Parent = "tsSetup", .Layout = TLay::HBox},
        // Return starts; the question that follows defaults to No.
        {.Kind = C::Button,
         .Name = "btnSetup",
         .Caption = "開始",
         .Parent = "setupButtons",
         .Flags = fDefault},
        GridCell(C::Button, "btnKiteichi", "規定値に戻す", "setupButtons"),
        {.Kind = C::Stretch, .Parent = "setupButtons", .Max = 1},
        // The start-up methods page.
        GridCell(C::Page, "tsKidou", "", "PageControl1"),
        GridCell(C::Label, "", "起動方法", "tsKidou"),
        GridCell(C::Label, "", "下記の＜起動フォルダ＞が登録されます。", "tsKidou"),
        {.Kind = C::Box, .Name = "kidouFolder", .Parent = "tsKidou", .Layout = TLay::HBox},
        GridCell(C::Label, "", "起動フォルダ", "kidouFolder"),
        {.Kind = C::Edit,
         .Name = "edtKidou",
         .Parent = "kidouFolder",
         .Flags = fReadOnly,
         .Stretch = 1},
        GridCell(C::Button, "btnAllKaijo", "すべて解除", "kidouFolder"),
        GridCell(C::Label, "", "↓ 個々に指定してください。", "tsKidou"),
    };
    for (const Place& p : kPlaces) {
        d.push_back({.Kind = C::Group,
                     .Name = p.group,
                     .Caption = p.caption,
                     .Parent = "tsKidou",
                     .Layout = TLay::HBox,
                     .Flags = fRadios});
        d.push_back(GridCell(C::Radio, p.on, p.onCaption, p.group));
        d.push_back(GridCell(C::Radio, p.off, p.offCaption, p.group));
    }
    d.push_back(
        {.Kind = C::Memo, .Name = "MeCopy", .Caption = kMeCopy, .Parent = "tsKidou", .Stretch = 1});
    // The backup and restore page.
    d.push_back(GridCell(C::Tabs, "PageControl2", "", "PageControl1"));
    d.push_back({.Kind = C::Page,
                 .Name = "tsTaihi",
                 .Caption = "データ退避（バックアップ）",
                 .Parent = "PageControl2",
                 .Layout = TLay::Grid});
    int row = 0;
    for (const char* note :
         {"コピー先を設定後、「データ退避実行」ボタンをクリックしてください。",
          "※コピー先１とコピー先２を交互に退避（バックアップ）するか、",
          "どちらかを、取り外し可能なディスク（ＦＤ、ＭＯ等）にしておくことを推奨いたします。",
          "（コピー先１とコピー先２は、違う場所を設定してください。）",
          "※トルモの起動フォルダの < Filesフォルダ >のみフォルダコピーします。",
          "コピー元　 ： トルモの起動フォルダの /Files"})
        d.push_back(Note(note, "tsTaihi", row++));
    const char* const names[2][5] = {
        {"コピー先１ ：", "edtCopy1", "btnDirCopy1", "btnCopy1Go", "lblCopy1"},
        {"コピー先２ ：", "edtCopy2", "btnDirCopy2", "btnCopy2Go", "lblCopy2"}};
    for (const auto& n : names) {
        d.push_back(GridCell(C::Label, "", n[0], "tsTaihi", row));
        d.push_back(GridCell(C::Edit, n[1], "", "tsTaihi", row, 1));
        d.push_back(GridCell(C::Button, n[2], "...", "tsTaihi", row, 2));
        d.push_back(GridCell(C::Button, n[3], "データ退避実行", "tsTaihi", row++, 3));
        d.push_back(GridCell(C::Label, n[4], "", "tsTaihi", row++, 1, 1, 3));
    }
    d.push_back({.Kind = C::Stretch, .Parent = "tsTaihi", .Row = row, .Col = -1, .Max = 1});
    d.push_back({.Kind = C::Page,
                 .Name = "tsKaifuku",
                 .Caption = "データ回復（リストア）",
                 .Parent = "PageControl2",
                 .Layout = TLay::Grid});
    row = 0;
    for (const char* note :
         {"以前に「データ退避」した時点のデータに戻します",
          "同じファイル名のデータはすべて消えてしまう可能性があります。",
          "（　回復させなければならないデータが一部の場合は、",
          "エクスプローラーで任意にコピーした方が、よい場合があります。）",
          "「データ回復をオン」ボタンで、データ回復作業を行えるようにしてください。",
          "コピー元を設定後、「データ回復実行」ボタンをクリックしてください。",
          "（トルモの起動フォルダの /Filesフォルダのみ回復します）。",
          "現在のテキストデータに上書きするため、"})
        d.push_back(Note(note, "tsKaifuku", row++));
    d.insert(d.end(),
             {
                 GridCell(C::Button, "btnKaifukuOk", "「データ回復」をオン", "tsKaifuku", row++, 0,
                          1, 2),
                 GridCell(C::Label, "lblKaifuku1", "コピー元 ：", "tsKaifuku", row),
                 GridCell(C::Edit, "edtCopy3", "", "tsKaifuku", row, 1),
                 GridCell(C::Button, "btnDirCopy3", "...", "tsKaifuku", row, 2),
                 GridCell(C::Button, "btnKaifukuGo", "データ回復実行", "tsKaifuku", row++, 3),
                 GridCell(C::Label, "lblKaifuku2", "↓", "tsKaifuku", row++, 1),
                 GridCell(C::Label, "lblKaifuku3", "コピー先　 ： トルモの起動フォルダの /Files",
                          "tsKaifuku", row++, 0, 1, 4),
                 {.Kind = C::Stretch, .Parent = "tsKaifuku", .Row = row, .Col = -1, .Max = 1},
                 {.Kind = C::Box, .Name = "bottom", .Layout = TLay::HBox},
                 {.Kind = C::Stretch, .Parent = "bottom", .Max = 1},
                 GridCell(C::Button, "FramSpeedBtn1", "閉じる", "bottom"),
             });
    return d;
}

const char* const kRestoreControls[] = {"edtCopy3",    "btnDirCopy3", "btnKaifukuGo",
                                        "lblKaifuku1", "lblKaifuku2", "lblKaifuku3"};

} // namespace

const TFormDesc& SetupDialogForm() {
    static const TFormDesc form = MakeForm();
    return form;
}

static bool NoTitle(const std::vector<std::string>& args) {
    return !args.empty() && (args[0] == "/R" || args[0] == "/X");
}

TSetupDialogModel::TSetupDialogModel(TAsker& asker, int mode, std::string programFolder,
                                     const std::string& dataFolder,
                                     const std::vector<std::string>& args, std::string programName)
    : Asker(asker), ProgramFolder(std::move(programFolder)),
      ProgramName(programName.empty() ? "tolmo" : std::move(programName)),
      Title(NoTitle(args) ? "" : std::string("「トルモ -Tolmo-」 ") + kProgramVersion + " "),
      BackupFile(BackupSettingsFile(ProgramFolder, dataFolder)), Folders(SpecialFolders()) {
    SetText("edtKidouS", ProgramFolder);
    SetText("edtKidou", ProgramFolder);
    if (!Title.empty()) SetText("Label15", Title + "のセットアップ");
    defaults();
    ReadShortcutStates();
    const TBackupSettings b = ReadBackupSettings(BackupFile);
    SetText("edtCopy1", b.edtCopy1);
    SetText("edtCopy2", b.edtCopy2);
    SetText("lblCopy1", b.lblCopy1);
    SetText("lblCopy2", b.lblCopy2);
    SetText("edtCopy3", b.edtCopy3);
    for (const char* n : kRestoreControls)
        SetEnabled(n, false);
    SetInt("PageControl1", mode == 1 ? 0 : mode == 2 ? 1 : 2);
}

// The default folder, and the action that fits it.
void TSetupDialogModel::defaults() {
    SetText("edtSetup", DefaultSetupFolder());
    SetInt("actions", IsFolder(DefaultSetupFolder()) ? 1 : 0);
    applyOptionRule();
}

void TSetupDialogModel::applyOptionRule() {
    const TSetupOptionState st = OptionStateFor(Action());
    if (!st.enabled) {
        SetChecked("cbDeskTop", st.desktop);
        SetChecked("cbStartMenu", st.startMenu);
        SetChecked("cbProgram", st.program);
    }
    SetEnabled({"cbDeskTop", "cbStartMenu", "cbProgram", "edtSetup"}, st.enabled);
    grey_ = st.grey;
}

void TSetupDialogModel::ReadShortcutStates() {
    for (const Place& p : kPlaces)
        SetInt(p.group, ShortcutOn(Folders, p.place) ? 0 : 1);
}

void TSetupDialogModel::Changed(const std::string& name) {
    if (name == "actions") applyOptionRule();
    for (const Place& p : kPlaces)
        if (name == p.group) {
            if (Int(name) == 0)
                SwitchShortcutOn(Asker, Folders, p.place, ProgramFolder + ProgramName);
            else
                SwitchShortcutOff(Asker, Folders, p.place);
            ReadShortcutStates();
        }
}

void TSetupDialogModel::Clicked(const std::string& name) {
    if (name == "btnKiteichi") {
        defaults();
    } else if (name == "btnAllKaijo") {
        for (const Place& p : kPlaces)
            if (Int(p.group) != 1) {
                SetInt(p.group, 1);
                Changed(p.group);
            }
    } else if (name == "btnKaifukuOk") {
        if (Asker.AskYesNo(
                "データ回復作業を行いますと、現在のデータは消去されてしまいます。\r\n\r\n"
                "データ回復作業を行いますか？",
                false))
            for (const char* n : kRestoreControls)
                SetEnabled(n, true);
    }
}

std::string TSetupDialogModel::SetupFolderStart() const {
    return !lastSetupFolder_.empty() && IsFolder(lastSetupFolder_) ? lastSetupFolder_
                                                                   : ProgramFolder;
}

void TSetupDialogModel::SetupFolderChosen(const std::string& chosen) {
    if (chosen.empty()) return;
    lastSetupFolder_ = chosen;
    SetEnabled("edtSetup", true);
    const std::string folder = ExcludeTrailingChar(chosen, "/");
    if (!PathExists(folder + "/" + ProgramName) && folder.find("Tolmo") == std::string::npos &&
        Asker.AskYesNo("指定されたフォルダーに</Tolmo/>のフォルダを\r\n付け加えますか？", true))
        SetText("edtSetup", folder + "/Tolmo/");
    else
        SetText("edtSetup", folder);
}

std::string TSetupDialogModel::CopyFolderStart(int which) const {
    std::string current = Text(CopyEdit(which));
    current.erase(0, current.find_first_not_of(" \t"));
    current.erase(current.find_last_not_of(" \t") + 1);
    return !current.empty() && IsFolder(current) ? current : ProgramFolder;
}

void TSetupDialogModel::CopyFolderChosen(int which, const std::string& chosen) {
    if (chosen.empty()) return;
    const TMediumState medium = ProbeMedium(chosen);
    const std::optional<std::string> result = which == 3
                                                  ? ChooseRestoreSource(Asker, chosen, medium)
                                                  : ChooseBackupDestination(Asker, chosen, medium);
    if (result) SetText(CopyEdit(which), *result);
}

TSetupRequest TSetupDialogModel::Request(const std::string& commonFilesFolder) const {
    TSetupRequest r;
    r.sourceFolder = ProgramFolder;
    r.programName = ProgramName;
    r.targetText = Text("edtSetup");
    r.action = Action();
    r.desktop = Checked("cbDeskTop");
    r.startMenu = Checked("cbStartMenu");
    r.program = Checked("cbProgram");
    r.title = Title;
    r.folders = Folders;
    r.commonFilesFolder = commonFilesFolder;
    return r;
}

TBackupSettings TSetupDialogModel::Backup() const {
    TBackupSettings b;
    b.edtCopy1 = Text("edtCopy1");
    b.edtCopy2 = Text("edtCopy2");
    b.lblCopy1 = Text("lblCopy1");
    b.lblCopy2 = Text("lblCopy2");
    b.edtCopy3 = Text("edtCopy3");
    return b;
}

void TSetupDialogModel::Closing() const {
    if (Int("PageControl1") == 2) WriteBackupSettings(BackupFile, Backup());
}
