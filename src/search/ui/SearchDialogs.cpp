// Search and replace dialogs (see FormSearch.h).
#include "search/ui/SearchDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

std::string toUtf8(const QString& s) {
    return s.toStdString();
}

QStringList toQt(const std::vector<std::string>& items) {
    QStringList l;
    for (const std::string& s : items)
        l << QString::fromStdString(s);
    return l;
}

QComboBox* historyBox(QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert); // the dialog keeps the history itself
    c->setMaxCount(int(kSearchHistoryMax));
    c->setMinimumContentsLength(28);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return c;
}

const char* kSearchHelp =
    "検索する文字列を入力して OK を押すと、カーソル位置から検索します。\n"
    "F3 で下の候補、Shift+F3 で上の候補を探します。\n\n"
    "大/小文字の区別: 英字の大文字と小文字 (全角も) を区別します。\n"
    "単語単位で探す: 前後が区切り文字のものだけを探します。\n"
    "全角・半角を区別しない: 全角と半角の英数字・カタカナを同じ文字とみなします。\n"
    "改行・スペースを無視: 2 文字目以降の改行・タブ・空白を読み飛ばします。";

const char* kReplaceHelp =
    "\n\nOK は次の 1 か所を、すべて置換は最後まで置き換えます。\n"
    "置換え動作の確認: 置き換える前に確認します (すべて: 以降は確認しません)。\n"
    "置き換えは 1 か所ごとに元に戻せます。";

} // namespace

TFormSearch::TFormSearch(QWidget* parent, const QString& storePath)
    : TFormSearch(parent, storePath, Kind::Search) {}

TFormSearch::TFormSearch(QWidget* parent, const QString& storePath, Kind kind)
    : QDialog(parent), FStore(storePath.isEmpty() ? SearchDialogStorePath() : toUtf8(storePath)) {
    setWindowTitle(kind == Kind::Search ? QStringLiteral("検索") : QStringLiteral("置換"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    FHelpText = QString::fromUtf8(kSearchHelp);

    Label1 = new QLabel(QStringLiteral("検索する文字列(&T):"), this);
    ComboBox1 = historyBox(this);
    Label1->setBuddy(ComboBox1);

    RadioGroup1 = new QGroupBox(QStringLiteral(" 検索方向 "), this);
    rbBackward = new QRadioButton(QStringLiteral("後方(&B)"), RadioGroup1);
    rbForward = new QRadioButton(QStringLiteral("前方(&D)"), RadioGroup1);
    rbForward->setChecked(true);
    auto* radios = new QVBoxLayout(RadioGroup1);
    radios->addWidget(rbBackward);
    radios->addWidget(rbForward);
    radios->addStretch();

    GroupBox1 = new QGroupBox(QStringLiteral(" ｵﾌﾟｼｮﾝ "), this);
    chkMatchCase = new QCheckBox(QStringLiteral("大/小文字の区別(&C)"), GroupBox1);
    chkWholeWord = new QCheckBox(QStringLiteral("単語単位で探す(&W)"), GroupBox1);
    chkNoMatchZenkaku = new QCheckBox(QStringLiteral("全角・半角を区別しない(&Z)"), GroupBox1);
    chkIncludeCRLF = new QCheckBox(QStringLiteral("改行・スペースを無視(&L)"), GroupBox1);
    FOptionsBox = new QVBoxLayout(GroupBox1);
    for (QCheckBox* c : {chkMatchCase, chkWholeWord, chkNoMatchZenkaku, chkIncludeCRLF})
        FOptionsBox->addWidget(c);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnHelp = new QPushButton(QStringLiteral("ヘルプ(&H)"), this);
    FButtons = new QVBoxLayout;
    FButtons->addWidget(btnOK);
    FButtons->addWidget(btnCancel);
    FButtons->addWidget(btnHelp);
    FButtons->addStretch();

    FFields = new QGridLayout;
    FFields->addWidget(Label1, 0, 0);
    FFields->addWidget(ComboBox1, 0, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(RadioGroup1);
    groups->addWidget(GroupBox1, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(FFields);
    left->addLayout(groups);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(FButtons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    if (kind == Kind::Search) connect(btnOK, &QPushButton::clicked, this, &TFormSearch::OkClicked);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this, &TFormSearch::ShowHelp);
}

void TFormSearch::showEvent(QShowEvent* e) {
    if (!FLoaded) {
        FLoaded = true;
        LoadSettings();
        // Centred on the main window, else on the screen.
        if (QWidget* p = parentWidget())
            move(p->window()->frameGeometry().center() - rect().center());
    }
    QDialog::showEvent(e);
}

void TFormSearch::LoadSettings() {
    const TSearchDialogOptions o = FStore.ReadOptions();
    chkMatchCase->setChecked(o.MatchCase);
    chkWholeWord->setChecked(o.WholeWord);
    chkNoMatchZenkaku->setChecked(o.NoMatchZenkaku);
    chkIncludeCRLF->setChecked(o.IncludeCRLF);
    (o.Direction == 0 ? rbBackward : rbForward)->setChecked(true);
    ComboBox1->clear();
    ComboBox1->addItems(toQt(FStore.ReadHistory(kSearchItemsSection)));
    if (ComboBox1->count() > 0) ComboBox1->setCurrentIndex(0);
    ComboBox1->lineEdit()->selectAll();
    ComboBox1->setFocus();
}

TSearchDialogOptions TFormSearch::ControlOptions() const {
    TSearchDialogOptions o;
    o.MatchCase = chkMatchCase->isChecked();
    o.WholeWord = chkWholeWord->isChecked();
    o.NoMatchZenkaku = chkNoMatchZenkaku->isChecked();
    o.IncludeCRLF = chkIncludeCRLF->isChecked();
    o.Direction = rbBackward->isChecked() ? 0 : 1;
    return o;
}

void TFormSearch::SaveSettings(bool withText) {
    FStore.WriteOptions(ControlOptions());
    if (!withText) return;
    std::vector<std::string> h = FStore.ReadHistory(kSearchItemsSection);
    AddToHistory(h, toUtf8(Text()));
    FStore.WriteHistory(kSearchItemsSection, h);
    ComboBox1->clear();
    ComboBox1->addItems(toQt(h));
}

QString TFormSearch::Text() const {
    return ComboBox1->currentText();
}

TSearchOptions TFormSearch::Options() const {
    return SearchOptionsOf(ControlOptions());
}

void TFormSearch::OkClicked() {
    if (Text().isEmpty()) {
        SaveSettings(false);
        reject();
        return;
    }
    const QString text = Text();
    SaveSettings(true);
    ComboBox1->setCurrentText(text);
    accept();
}

bool TFormSearch::Execute(QString& text, TSearchOptions& options) {
    if (exec() != QDialog::Accepted) return false;
    text = Text();
    options = Options();
    return true;
}

void TFormSearch::ShowHelp() {
    QMessageBox::information(this, windowTitle() + QStringLiteral(" - ヘルプ"), FHelpText);
}

TFormReplace::TFormReplace(QWidget* parent, const QString& storePath)
    : TFormSearch(parent, storePath, Kind::Replace) {
    FHelpContext = 20500;
    FHelpText += QString::fromUtf8(kReplaceHelp);
    Label2 = new QLabel(QStringLiteral("置換える文字列(&R):"), this);
    ComboBox2 = historyBox(this);
    Label2->setBuddy(ComboBox2);
    FFields->addWidget(Label2, 1, 0);
    FFields->addWidget(ComboBox2, 1, 1);
    chkReplaceConfirm = new QCheckBox(QStringLiteral("置換え動作の確認(&P)"), GroupBox1);
    FOptionsBox->addWidget(chkReplaceConfirm);
    btnAll = new QPushButton(QStringLiteral("すべて置換(&A)"), this);
    FButtons->insertWidget(1, btnAll);
    setTabOrder(ComboBox1, ComboBox2);
    connect(btnOK, &QPushButton::clicked, this, [this] { Finish(soReplace); });
    connect(btnAll, &QPushButton::clicked, this, [this] { Finish(soReplaceAll); });
}

void TFormReplace::LoadSettings() {
    TFormSearch::LoadSettings();
    chkReplaceConfirm->setChecked(true); // asked again every time the dialog opens
    ComboBox2->clear();
    ComboBox2->addItems(toQt(FStore.ReadHistory(kReplaceItemsSection)));
    ComboBox2->setCurrentIndex(-1);
    ComboBox2->setEditText(QString());
}

QString TFormReplace::Replacement() const {
    return ComboBox2->currentText();
}

TSearchOptions TFormReplace::Options() const {
    TSearchOptions o = TFormSearch::Options() | FMode;
    if (chkReplaceConfirm->isChecked()) o |= soReplaceConfirm;
    return o;
}

void TFormReplace::Finish(TSearchOptions modeBit) {
    FMode = modeBit;
    const QString text = Text();
    const QString replacement = Replacement();
    SaveSettings(!text.isEmpty());
    ComboBox1->setCurrentText(text);
    if (text.isEmpty() || replacement.isEmpty()) {
        reject();
        return;
    }
    std::vector<std::string> h = FStore.ReadHistory(kReplaceItemsSection);
    AddToHistory(h, toUtf8(replacement));
    FStore.WriteHistory(kReplaceItemsSection, h);
    ComboBox2->clear();
    ComboBox2->addItems(toQt(h));
    ComboBox2->setCurrentText(replacement);
    accept();
}

bool TFormReplace::Execute(QString& text, QString& replacement, TSearchOptions& options) {
    if (exec() != QDialog::Accepted) return false;
    text = Text();
    replacement = Replacement();
    options = Options();
    return true;
}
