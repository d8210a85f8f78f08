// The search and replace dialogs' controls, options and histories.
#include "search/SearchDialogModel.h"

namespace {

using C = TCtl;

const char* const kSearchHelp =
    "検索する文字列を入力して OK を押すと、カーソル位置から検索します。\n"
    "F3 で下の候補、Shift+F3 で上の候補を探します。\n\n"
    "大/小文字の区別: 英字の大文字と小文字 (全角も) を区別します。\n"
    "単語単位で探す: 前後が区切り文字のものだけを探します。\n"
    "全角・半角を区別しない: 全角と半角の英数字・カタカナを同じ文字とみなします。\n"
    "改行・スペースを無視: 2 文字目以降の改行・タブ・空白を読み飛ばします。";

const char* const kReplaceHelp =
    "\n\nOK は次の 1 か所を、すべて置換は最後まで置き換えます。\n"
    "置換え動作の確認: 置き換える前に確認します (すべて: 以降は確認しません)。\n"
    "置き換えは 1 か所ごとに元に戻せます。";

TControl Ctl(C kind, const char* name, const char* caption, const char* parent, int row = 0,
             int col = 0, const char* buddy = "") {
    TControl c = GridCell(kind, name, caption, parent, row, col);
    c.Buddy = buddy;
    return c;
}

TFormDesc MakeForm(bool replace) {
    TFormDesc d = {
        {.Kind = C::Box, .Name = "left", .Stretch = 1},
        {.Kind = C::Box, .Name = "fields", .Parent = "left", .Layout = TLay::Grid},
        Ctl(C::Label, "Label1", "検索する文字列(&T):", "fields", 0, 0, "ComboBox1"),
        Ctl(C::ComboEdit, "ComboBox1", "", "fields", 0, 1),
    };
    // Appended one by one: g++ 12 at -O3 sees a range insert of these as out of bounds.
    const auto add = [&d](std::initializer_list<TControl> controls) {
        for (const TControl& c : controls)
            d.push_back(c);
    };
    if (replace)
        add({Ctl(C::Label, "Label2", "置換える文字列(&R):", "fields", 1, 0, "ComboBox2"),
             Ctl(C::ComboEdit, "ComboBox2", "", "fields", 1, 1)});
    add({
        {.Kind = C::Box, .Name = "groups", .Parent = "left", .Layout = TLay::HBox},
        {.Kind = C::Group,
         .Name = "RadioGroup1",
         .Caption = " 検索方向 ",
         .Parent = "groups",
         .Flags = fRadios},
        Ctl(C::Radio, "rbBackward", "後方(&B)", "RadioGroup1"),
        Ctl(C::Radio, "rbForward", "前方(&D)", "RadioGroup1"),
        {.Kind = C::Stretch, .Parent = "RadioGroup1"},
        {.Kind = C::Group,
         .Name = "GroupBox1",
         .Caption = " ｵﾌﾟｼｮﾝ ",
         .Parent = "groups",
         .Stretch = 1},
        Ctl(C::Check, "chkMatchCase", "大/小文字の区別(&C)", "GroupBox1"),
        Ctl(C::Check, "chkWholeWord", "単語単位で探す(&W)", "GroupBox1"),
        Ctl(C::Check, "chkNoMatchZenkaku", "全角・半角を区別しない(&Z)", "GroupBox1"),
        Ctl(C::Check, "chkIncludeCRLF", "改行・スペースを無視(&L)", "GroupBox1"),
    });
    if (replace)
        d.push_back(Ctl(C::Check, "chkReplaceConfirm", "置換え動作の確認(&P)", "GroupBox1"));
    add({
        {.Kind = C::Box, .Name = "buttons"},
        {.Kind = C::Button,
         .Name = "btnOK",
         .Caption = "OK",
         .Parent = "buttons",
         .Flags = fDefault},
    });
    if (replace) d.push_back(Ctl(C::Button, "btnAll", "すべて置換(&A)", "buttons"));
    add({
        Ctl(C::Button, "btnCancel", "キャンセル", "buttons"),
        Ctl(C::Button, "btnHelp", "ヘルプ(&H)", "buttons"),
        {.Kind = C::Stretch, .Parent = "buttons"},
    });
    return d;
}

} // namespace

const TFormDesc& SearchDialogForm(bool replace) {
    static const TFormDesc search = MakeForm(false), repl = MakeForm(true);
    return replace ? repl : search;
}

TSearchDialogModel::TSearchDialogModel(bool replace, const std::string& storePath)
    : Replace(replace), store_(storePath.empty() ? SearchDialogStorePath() : storePath) {
    SetInt("RadioGroup1", 1); // forward until the options are read
}

void TSearchDialogModel::Load() {
    const TSearchDialogOptions o = store_.ReadOptions();
    SetChecked("chkMatchCase", o.MatchCase);
    SetChecked("chkWholeWord", o.WholeWord);
    SetChecked("chkNoMatchZenkaku", o.NoMatchZenkaku);
    SetChecked("chkIncludeCRLF", o.IncludeCRLF);
    SetInt("RadioGroup1", o.Direction == 0 ? 0 : 1);
    std::vector<std::string> h = store_.ReadHistory(kSearchItemsSection);
    SetText("ComboBox1", h.empty() ? "" : h.front()); // the newest is pre-selected
    SetInt("ComboBox1", h.empty() ? -1 : 0);
    SetItems("ComboBox1", std::move(h));
    if (!Replace) return;
    SetChecked("chkReplaceConfirm", true); // asked again every time the dialog opens
    SetItems("ComboBox2", store_.ReadHistory(kReplaceItemsSection));
    SetInt("ComboBox2", -1);
    SetText("ComboBox2", "");
}

TSearchDialogOptions TSearchDialogModel::controlOptions() const {
    TSearchDialogOptions o;
    o.MatchCase = Checked("chkMatchCase");
    o.WholeWord = Checked("chkWholeWord");
    o.NoMatchZenkaku = Checked("chkNoMatchZenkaku");
    o.IncludeCRLF = Checked("chkIncludeCRLF");
    o.Direction = Int("RadioGroup1") == 0 ? 0 : 1;
    return o;
}

TSearchOptions TSearchDialogModel::Options() const {
    TSearchOptions o = SearchOptionsOf(controlOptions());
    if (Replace) {
        o |= mode_;
        if (Checked("chkReplaceConfirm")) o |= soReplaceConfirm;
    }
    return o;
}

void TSearchDialogModel::addToHistory(const char* combo, std::string_view section,
                                      const std::string& text) {
    std::vector<std::string> h = store_.ReadHistory(section);
    AddToHistory(h, text);
    store_.WriteHistory(section, h);
    SetItems(combo, std::move(h));
    SetText(combo, text);
}

void TSearchDialogModel::saveSettings(bool withText) {
    store_.WriteOptions(controlOptions());
    if (withText) addToHistory("ComboBox1", kSearchItemsSection, std::string(SearchText()));
}

bool TSearchDialogModel::Ok() {
    saveSettings(!SearchText().empty());
    return !SearchText().empty();
}

bool TSearchDialogModel::Finish(TSearchOptions modeBit) {
    mode_ = modeBit;
    saveSettings(!SearchText().empty());
    SetText("ComboBox1", SearchText());
    if (SearchText().empty() || Replacement().empty()) return false;
    addToHistory("ComboBox2", kReplaceItemsSection, std::string(Replacement()));
    return true;
}

std::string TSearchDialogModel::HelpText() const {
    return std::string(kSearchHelp) + (Replace ? kReplaceHelp : "");
}
