// The setup dialog's controls and their handlers.
#include "setup/ui/SetupDialog.h"

#include "app/Settings.h"
#include "app/ShellUtil.h"
#include "platform/Folders.h"
#include "setup/SetupFiles.h"
#include "setup/ui/CopyProgress.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string s(const QString& t) {
    return t.toStdString();
}
QLabel* label(const char* text) {
    return new QLabel(QString::fromUtf8(text));
}

const char* const kMeCopy[] = {
    "「登録してあります。」と表示されていても、",
    "上記< 起動フォルダ >が登録されているとは限りません。",
    "[ トルモ ]又は[ Tolmo ]のショートカットが、",
    "存在しているかどうかを表示しています。",
    "セットアップ等で、起動フォルダを変更されたときなどは",
    "ご注意下さい。",
    "",
    "起動フォルダを移動された場合、一度、解除してから",
    "もう一度、登録し直してください。",
    "上記< 起動フォルダ >が登録されます。",
    "",
    "また、ショートカットの名称を[ トルモ ][ Tolmo ]以外に変更すると、",
    "上記機能は、正常に働きません。",
    "ショートカットの名称を変更された場合は、",
    "ご自分で、スタートアップ、デスクトップ等を整理してください。",
};

} // namespace

TfmKaSetup::TfmKaSetup(int mode, TSetupContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
    setWindowTitle(QStringLiteral("トルモSetup"));
    setObjectName(QStringLiteral("fmKaSetup"));
    programName_ = std::filesystem::path(ProgramFile()).filename().string();
    if (programName_.empty()) programName_ = "tolmo";
    const bool noTitle =
        !context_.args.empty() && (context_.args[0] == "/R" || context_.args[0] == "/X");
    title_ = noTitle ? "" : std::string("「トルモ -Tolmo-」 ") + kProgramVersion + " ";
    folders_ = SpecialFolders();
    backupFile_ = BackupSettingsFile(context_.programFolder, context_.dataFolder);
    ChooseFolder = [this](const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(this, title, start);
    };

    PageControl1 = new QStackedWidget;
    tsSetup = buildSetupPage();
    tsKidou = buildKidouPage();
    tsCopy = buildCopyPage();
    PageControl1->addWidget(tsSetup);
    PageControl1->addWidget(tsKidou);
    PageControl1->addWidget(tsCopy);
    FramSpeedBtn1 = new QPushButton(QStringLiteral("閉じる"));
    connect(FramSpeedBtn1, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(FramSpeedBtn1);
    auto* all = new QVBoxLayout(this);
    all->addWidget(PageControl1);
    all->addLayout(bottom);

    // Opening: the default folder, the action that fits it, the shortcut states.
    edtSetup->setText(q(DefaultSetupFolder()));
    if (!noTitle) Label15->setText(q(title_ + "のセットアップ"));
    (IsFolder(DefaultSetupFolder()) ? rbUwagaki : rbNewSetup)->setChecked(true);
    applyOptionRule();
    readShortcutStates();
    TBackupSettings b = ReadBackupSettings(backupFile_);
    edtCopy1->setText(q(b.edtCopy1));
    edtCopy2->setText(q(b.edtCopy2));
    lblCopy1->setText(q(b.lblCopy1));
    lblCopy2->setText(q(b.lblCopy2));
    edtCopy3->setText(q(b.edtCopy3));
    PageControl1->setCurrentWidget(mode == 1 ? tsSetup : mode == 2 ? tsKidou : tsCopy);
}

TfmKaSetup::~TfmKaSetup() = default;

QWidget* TfmKaSetup::buildSetupPage() {
    auto* page = new QWidget;
    Label15 = new QLabel;
    Label15->setObjectName(QStringLiteral("Label15"));
    btnSetup = new QPushButton(QStringLiteral("開始"));
    btnSetup->setObjectName(QStringLiteral("btnSetup"));
    btnSetup->setDefault(true); // Return starts; the question that follows defaults to No
    btnKiteichi = new QPushButton(QStringLiteral("規定値に戻す"));
    auto* actions = new QGroupBox(QStringLiteral(" アクション "));
    FramSpeedBtn19 = new QToolButton;
    FramSpeedBtn19->setText(QStringLiteral("..."));
    FramSpeedBtn19->setToolTip(QStringLiteral("フォルダを選択します"));
    edtKidouS = new QLineEdit(q(context_.programFolder));
    edtKidouS->setReadOnly(true);
    edtSetup = new QLineEdit;
    edtSetup->setObjectName(QStringLiteral("edtSetup"));
    rbNewSetup = new QRadioButton(QStringLiteral("すべてを新規でセットアップ（はじめての方）"));
    rbUwagaki =
        new QRadioButton(QStringLiteral("上書きセットアップ（すでにトルモを使用されている方）"));
    rbNewSubSetup =
        new QRadioButton(QStringLiteral("単独で起動するトルモをセットアップ（２つ目以降）"));
    rbOpSetup = new QRadioButton(QStringLiteral("Option を指定してセットアップ"));
    auto* g = new QGridLayout(actions);
    g->addWidget(label("セットアップの場所（規定値推奨）"), 0, 0);
    g->addWidget(label("現在の起動フォルダ"), 1, 0);
    g->addWidget(edtKidouS, 2, 0, 1, 2);
    g->addWidget(label("↓"), 3, 0);
    g->addWidget(edtSetup, 4, 0);
    g->addWidget(FramSpeedBtn19, 4, 1);
    int row = 5;
    for (QRadioButton* rb : {rbNewSetup, rbUwagaki, rbNewSubSetup, rbOpSetup}) {
        g->addWidget(rb, row++, 0, 1, 2);
        connect(rb, &QRadioButton::clicked, this, &TfmKaSetup::applyOptionRule);
    }
    rgOption = new QGroupBox(QStringLiteral(" Option "));
    cbDeskTop = new QCheckBox(QStringLiteral("デスクトップにショートカットを作成"));
    cbStartMenu = new QCheckBox(QStringLiteral("スタートメニューに登録"));
    cbProgram = new QCheckBox(QStringLiteral("プログラムメニューに登録"));
    auto* o = new QVBoxLayout(rgOption);
    for (QCheckBox* cb : {cbDeskTop, cbStartMenu, cbProgram})
        o->addWidget(cb);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSetup);
    buttons->addWidget(btnKiteichi);
    buttons->addStretch(1);
    auto* v = new QVBoxLayout(page);
    v->addWidget(Label15);
    v->addWidget(actions);
    v->addWidget(rgOption);
    v->addLayout(buttons);
    connect(btnSetup, &QPushButton::clicked, this, &TfmKaSetup::setupClicked);
    connect(btnKiteichi, &QPushButton::clicked, this, [this] {
        edtSetup->setText(q(DefaultSetupFolder()));
        (IsFolder(DefaultSetupFolder()) ? rbUwagaki : rbNewSetup)->setChecked(true);
        applyOptionRule();
    });
    connect(FramSpeedBtn19, &QToolButton::clicked, this, &TfmKaSetup::browseSetupFolder);
    return page;
}

QWidget* TfmKaSetup::buildKidouPage() {
    auto* page = new QWidget;
    edtKidou = new QLineEdit(q(context_.programFolder));
    edtKidou->setReadOnly(true);
    btnAllKaijo = new QPushButton(QStringLiteral("すべて解除"));
    auto* v = new QVBoxLayout(page);
    v->addWidget(label("起動方法"));
    v->addWidget(label("下記の＜起動フォルダ＞が登録されます。"));
    auto* folder = new QHBoxLayout;
    folder->addWidget(label("起動フォルダ"));
    folder->addWidget(edtKidou, 1);
    folder->addWidget(btnAllKaijo);
    v->addLayout(folder);
    v->addWidget(label("↓ 個々に指定してください。"));
    struct Place {
        const char* caption;
        const char* on;
        const char* off;
        QRadioButton** onButton;
        QRadioButton** offButton;
        TShortcutPlace place;
    };
    const Place places[] = {
        {" デスクトップのショートカット ", "作成して有ります（作成します）",
         "作成していません（削除します）", &DesktopOn, &DesktopOff, TShortcutPlace::Desktop},
        {" スタートメニュー登録 ", "登録して有ります（登録します）",
         "登録していません（解除します）", &StartMenuOn, &StartMenuOff, TShortcutPlace::StartMenu},
        {" ＜スタート＞－＜プログラムメニュー＞登録 ", "登録して有ります（登録します）",
         "登録していません（解除します）", &ProgramOn, &ProgramOff, TShortcutPlace::ProgramMenu},
    };
    for (const Place& p : places) {
        auto* box = new QGroupBox(QString::fromUtf8(p.caption));
        *p.onButton = new QRadioButton(QString::fromUtf8(p.on));
        *p.offButton = new QRadioButton(QString::fromUtf8(p.off));
        auto* h = new QHBoxLayout(box);
        h->addWidget(*p.onButton);
        h->addWidget(*p.offButton);
        v->addWidget(box);
        const TShortcutPlace place = p.place;
        connect(*p.onButton, &QRadioButton::toggled, this, [this, place](bool checked) {
            if (checked) shortcutClicked(place, true);
        });
        connect(*p.offButton, &QRadioButton::toggled, this, [this, place](bool checked) {
            if (checked) shortcutClicked(place, false);
        });
    }
    MeCopy = new QPlainTextEdit;
    MeCopy->setReadOnly(true);
    QStringList lines;
    for (const char* l : kMeCopy)
        lines << QString::fromUtf8(l);
    MeCopy->setPlainText(lines.join(QLatin1Char('\n')));
    v->addWidget(MeCopy, 1);
    connect(btnAllKaijo, &QPushButton::clicked, this, [this] {
        for (QRadioButton* off : {DesktopOff, StartMenuOff, ProgramOff})
            off->setChecked(true);
    });
    return page;
}

QWidget* TfmKaSetup::buildCopyPage() {
    PageControl2 = new QTabWidget;
    auto* taihi = new QWidget;
    auto* t = new QGridLayout(taihi);
    int row = 0;
    for (const char* note :
         {"コピー先を設定後、「データ退避実行」ボタンをクリックしてください。",
          "※コピー先１とコピー先２を交互に退避（バックアップ）するか、",
          "どちらかを、取り外し可能なディスク（ＦＤ、ＭＯ等）にしておくことを推奨いたします。",
          "（コピー先１とコピー先２は、違う場所を設定してください。）",
          "※トルモの起動フォルダの < Filesフォルダ >のみフォルダコピーします。",
          "コピー元　 ： トルモの起動フォルダの \\Files"})
        t->addWidget(label(note), row++, 0, 1, 4);
    for (int which = 1; which <= 2; ++which) {
        QLineEdit* edt = new QLineEdit;
        QPushButton* dir = new QPushButton(QStringLiteral("..."));
        QPushButton* go = new QPushButton(QStringLiteral("データ退避実行"));
        QLabel* stamp = new QLabel;
        edt->setObjectName(QStringLiteral("edtCopy%1").arg(which));
        go->setObjectName(QStringLiteral("btnCopy%1Go").arg(which));
        t->addWidget(label(which == 1 ? "コピー先１ ：" : "コピー先２ ："), row, 0);
        t->addWidget(edt, row, 1);
        t->addWidget(dir, row, 2);
        t->addWidget(go, row++, 3);
        t->addWidget(stamp, row++, 1, 1, 3);
        (which == 1 ? edtCopy1 : edtCopy2) = edt;
        (which == 1 ? btnDirCopy1 : btnDirCopy2) = dir;
        (which == 1 ? btnCopy1Go : btnCopy2Go) = go;
        (which == 1 ? lblCopy1 : lblCopy2) = stamp;
        connect(dir, &QPushButton::clicked, this, [this, which] { browseCopyFolder(which); });
        connect(go, &QPushButton::clicked, this, [this, which] { copyGo(which); });
    }
    t->setRowStretch(row, 1);
    PageControl2->addTab(taihi, QStringLiteral("データ退避（バックアップ）"));

    auto* kaifuku = new QWidget;
    auto* k = new QGridLayout(kaifuku);
    row = 0;
    for (const char* note :
         {"以前に「データ退避」した時点のデータに戻します",
          "同じファイル名のデータはすべて消えてしまう可能性があります。",
          "（　回復させなければならないデータが一部の場合は、",
          "エクスプローラーで任意にコピーした方が、よい場合があります。）",
          "「データ回復をオン」ボタンで、データ回復作業を行えるようにしてください。",
          "コピー元を設定後、「データ回復実行」ボタンをクリックしてください。",
          "（トルモの起動フォルダの \\Filesフォルダのみ回復します）。",
          "現在のテキストデータに上書きするため、"})
        k->addWidget(label(note), row++, 0, 1, 4);
    btnKaifukuOk = new QPushButton(QStringLiteral("「データ回復」をオン"));
    k->addWidget(btnKaifukuOk, row++, 0, 1, 2);
    lblKaifuku1 = label("コピー元 ：");
    edtCopy3 = new QLineEdit;
    edtCopy3->setObjectName(QStringLiteral("edtCopy3"));
    btnDirCopy3 = new QPushButton(QStringLiteral("..."));
    btnKaifukuGo = new QPushButton(QStringLiteral("データ回復実行"));
    lblKaifuku2 = label("↓");
    lblKaifuku3 = label("コピー先　 ： トルモの起動フォルダの \\Files");
    k->addWidget(lblKaifuku1, row, 0);
    k->addWidget(edtCopy3, row, 1);
    k->addWidget(btnDirCopy3, row, 2);
    k->addWidget(btnKaifukuGo, row++, 3);
    k->addWidget(lblKaifuku2, row++, 1);
    k->addWidget(lblKaifuku3, row++, 0, 1, 4);
    k->setRowStretch(row, 1);
    PageControl2->addTab(kaifuku, QStringLiteral("データ回復（リストア）"));
    enableRestore(false);
    connect(btnKaifukuOk, &QPushButton::clicked, this, [this] {
        if (AskYesNo("データ回復作業を行いますと、現在のデータは消去されてしまいます。\r\n\r\n"
                     "データ回復作業を行いますか？",
                     false))
            enableRestore(true);
    });
    connect(btnDirCopy3, &QPushButton::clicked, this, [this] { browseCopyFolder(3); });
    connect(btnKaifukuGo, &QPushButton::clicked, this, &TfmKaSetup::restoreGo);
    return PageControl2;
}

void TfmKaSetup::enableRestore(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{edtCopy3, btnDirCopy3, btnKaifukuGo,
                                                      lblKaifuku1, lblKaifuku2, lblKaifuku3})
        w->setEnabled(on);
}

TSetupAction TfmKaSetup::action() const {
    if (rbUwagaki->isChecked()) return TSetupAction::Overwrite;
    if (rbNewSubSetup->isChecked()) return TSetupAction::SubSetup;
    if (rbOpSetup->isChecked()) return TSetupAction::OptionSetup;
    return TSetupAction::NewSetup;
}

void TfmKaSetup::applyOptionRule() {
    const TSetupOptionState st = OptionStateFor(action());
    if (!st.enabled) {
        cbDeskTop->setChecked(st.desktop);
        cbStartMenu->setChecked(st.startMenu);
        cbProgram->setChecked(st.program);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{cbDeskTop, cbStartMenu, cbProgram, edtSetup})
        w->setEnabled(st.enabled);
    rgOption->setStyleSheet(st.grey ? QStringLiteral("QGroupBox { color: rgb(128, 128, 128); }")
                                    : QString());
}

void TfmKaSetup::readShortcutStates() {
    updatingShortcuts_ = true;
    (ShortcutOn(folders_, TShortcutPlace::Desktop) ? DesktopOn : DesktopOff)->setChecked(true);
    (ShortcutOn(folders_, TShortcutPlace::StartMenu) ? StartMenuOn : StartMenuOff)
        ->setChecked(true);
    (ShortcutOn(folders_, TShortcutPlace::ProgramMenu) ? ProgramOn : ProgramOff)->setChecked(true);
    updatingShortcuts_ = false;
}

void TfmKaSetup::shortcutClicked(TShortcutPlace place, bool on) {
    if (updatingShortcuts_) return;
    if (on)
        SwitchShortcutOn(folders_, place, context_.programFolder + programName_);
    else
        SwitchShortcutOff(folders_, place);
    readShortcutStates();
}

void TfmKaSetup::browseSetupFolder() {
    QString start = QDir(lastFolder_).exists() && !lastFolder_.isEmpty()
                        ? lastFolder_
                        : q(context_.programFolder);
    QString chosen = ChooseFolder(QStringLiteral("フォルダを選択してください"), start);
    if (chosen.isEmpty()) return;
    lastFolder_ = chosen;
    edtSetup->setEnabled(true);
    const std::string folder = ExcludeTrailingChar(s(chosen), "/");
    if (!PathExists(folder + "/" + programName_) && folder.find("Tolmo") == std::string::npos &&
        AskYesNo("指定されたフォルダーに<\\Tolmo\\>のフォルダを\r\n付け加えますか？", true))
        edtSetup->setText(q(folder + "/Tolmo/"));
    else
        edtSetup->setText(q(folder));
}

void TfmKaSetup::setupClicked() {
    TSetupRequest r;
    r.sourceFolder = context_.programFolder;
    r.programName = programName_;
    r.targetText = s(edtSetup->text());
    r.action = action();
    r.desktop = cbDeskTop->isChecked();
    r.startMenu = cbStartMenu->isChecked();
    r.program = cbProgram->isChecked();
    r.title = title_;
    r.folders = folders_;
    r.commonFilesFolder = CommonFilesFolder();
    RunSetup(r, *this);
    if (!ending_) readShortcutStates();
}

void TfmKaSetup::browseCopyFolder(int which) {
    QLineEdit* edt = which == 1 ? edtCopy1 : which == 2 ? edtCopy2 : edtCopy3;
    const QString current = edt->text().trimmed();
    const QString start =
        !current.isEmpty() && QDir(current).exists() ? current : q(context_.programFolder);
    QString chosen = ChooseFolder(QStringLiteral("フォルダを選択してください"), start);
    if (chosen.isEmpty()) return;
    const TMediumState medium = ProbeMedium(s(chosen));
    std::optional<std::string> result = which == 3 ? ChooseRestoreSource(s(chosen), medium)
                                                   : ChooseBackupDestination(s(chosen), medium);
    if (result) edt->setText(q(*result));
}

void TfmKaSetup::copyGo(int which) {
    TCopyProgress progress(QStringLiteral("データ退避"), this);
    std::string stamp;
    if (RunBackup(s((which == 1 ? edtCopy1 : edtCopy2)->text()), context_.programFolder, &progress,
                  &stamp))
        (which == 1 ? lblCopy1 : lblCopy2)->setText(q(stamp));
}

void TfmKaSetup::restoreGo() {
    TCopyProgress progress(QStringLiteral("データ回復"), this);
    if (RunRestore(s(edtCopy3->text()), context_.programFolder, &progress, backupFile_,
                   backupSettings()))
        EndProgram();
}

TBackupSettings TfmKaSetup::backupSettings() const {
    TBackupSettings b;
    b.edtCopy1 = s(edtCopy1->text());
    b.edtCopy2 = s(edtCopy2->text());
    b.lblCopy1 = s(lblCopy1->text());
    b.lblCopy2 = s(lblCopy2->text());
    b.edtCopy3 = s(edtCopy3->text());
    return b;
}

void TfmKaSetup::done(int r) {
    // The copy page's values are kept when that page was the one shown.
    if (PageControl1->currentWidget() == tsCopy) WriteBackupSettings(backupFile_, backupSettings());
    QDialog::done(r);
}

void TfmKaSetup::FocusSetupFolder() {
    edtSetup->setEnabled(true);
    edtSetup->selectAll();
    edtSetup->setFocus();
}

bool TfmKaSetup::StartInstalled(const std::string& program, const std::string& folder) {
    return StartDetached({program}, folder);
}

void TfmKaSetup::Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void TfmKaSetup::EndProgram() {
    ending_ = true;
    std::function<void()> end = context_.endProgram;
    QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    accept();
    if (end)
        QTimer::singleShot(0, end);
    else if (main)
        QTimer::singleShot(0, main, [main] { main->close(); });
}
