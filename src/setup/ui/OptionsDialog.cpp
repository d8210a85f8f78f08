// The options dialog's tabs, its values and its system actions.
#include "setup/ui/OptionsDialog.h"

#include "app/DataFolder.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "setup/ReleaseAge.h"
#include "setup/SpecialFolders.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}
const TLineEndStyle kLineEnds[] = {TLineEndStyle::CrLf, TLineEndStyle::Lf, TLineEndStyle::Cr};

QLabel* label(const char* text) {
    return new QLabel(QString::fromUtf8(text));
}
// A group of radio buttons, one above the other.
QGroupBox* radioGroup(const char* caption, std::initializer_list<QRadioButton*> buttons) {
    auto* box = new QGroupBox(QString::fromUtf8(caption));
    auto* v = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (QRadioButton* b : buttons) {
        v->addWidget(b);
        group->addButton(b);
    }
    return box;
}

} // namespace

TfmSet::TfmSet(TSettings& settings, std::string settingsFile, std::string programFolder,
               QWidget* parent)
    : QDialog(parent), settings_(settings), settingsFile_(std::move(settingsFile)),
      programFolder_(std::move(programFolder)) {
    setWindowTitle(QStringLiteral("トルモ -Tolmo-"));
    setObjectName(QStringLiteral("fmSet"));
    program_ = ProgramFile();
    ChooseFile = [this](const QString& title, const QString& folder, const QString& file) {
        QFileDialog dlg(this, title, folder);
        dlg.setFileMode(QFileDialog::ExistingFile);
        if (!file.isEmpty()) dlg.selectFile(file);
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().first()
                   : QString();
    };
    PageControl1 = new QTabWidget;
    tsHyouji = buildHyouji();
    tsDousa = buildDousa();
    tsKidou = buildKidou();
    tsDousa2 = new QWidget;
    auto* fast = new QVBoxLayout(tsDousa2);
    fast->addWidget(new QGroupBox(QStringLiteral(" 高速起動 ")));
    tsSonota = buildSonota();
    PageControl1->addTab(tsHyouji, QStringLiteral(" 表示 "));
    PageControl1->addTab(tsDousa, QStringLiteral(" 動作 "));
    PageControl1->addTab(tsKidou, QStringLiteral(" 起動 "));
    PageControl1->addTab(tsDousa2, QStringLiteral(" 動作２ "));
    PageControl1->addTab(tsSonota, QStringLiteral(" その他 "));
    PageControl1->setTabVisible(PageControl1->indexOf(tsDousa2), false);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { keys_.Disarm(); });

    BitBtn1 = new QPushButton(QStringLiteral("OK"));
    BitBtn1->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"));
    lblLocal = label("→ ローカルフォルダ起動");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblLocal);
    bottom->addStretch(1);
    bottom->addWidget(BitBtn1);
    bottom->addWidget(btnCancel);
    auto* all = new QVBoxLayout(this);
    all->addWidget(PageControl1);
    all->addLayout(bottom);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        cancelled_ = true;
        reject();
    });

    // Opening: every control takes the window's value.
    (settings_.isWpLine ? rbWpLine : rbEdLine)->setChecked(true);
    (settings_.isZenkai ? rbZenkai : rbCenter)->setChecked(true);
    edtMenuCount->setValue(ClampMenuCount(settings_.MenuCount));
    (settings_.isWaYMD ? rbWaYMD : rbYMD)->setChecked(true);
    cbYoubi->setChecked(settings_.isYoubi);
    cbKnKakunin->setChecked(settings_.KnKakunin);
    edtCLine1->setValue(settings_.CLine1);
    edtCLine2->setValue(settings_.CLine2);
    cbJHanten->setChecked(settings_.JHanten);
    rgCurs[std::clamp(settings_.Curs, 0, 2)]->setChecked(true);
    const TFileFormat newPages = ReadNewPageFormat(settingsFile_);
    cbNewEncoding->setCurrentText(q(EncodingName(newPages.encoding, newPages.bom)));
    cbNewLineEnd->setCurrentText(q(LineEndName(newPages.lineEnd)));
    cbisClick->setChecked(settings_.isClick);
    cbisBrowser->setChecked(settings_.isBrowser);
    edtBrowser->setText(q(settings_.Browser));
    cbisEditor->setChecked(settings_.isEditor);
    edtEditor->setText(q(settings_.Editor));
    gbEditor->setVisible(settings_.GEditor);
    cbLocal->setChecked(HasLocalFolderMarker(programFolder_));
    lblLocal->setVisible(cbLocal->isChecked());
    updateAssociationButton();
    // The date controls only change the sample once they are clicked.
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{rbWaYMD, rbYMD, cbYoubi})
        connect(b, &QAbstractButton::clicked, this, &TfmSet::updateSample);
    connect(cbLocal, &QCheckBox::clicked, this, [this](bool on) {
        if (!SwitchLocalMarker(programFolder_, on)) cbLocal->setChecked(!on);
        lblLocal->setVisible(HasLocalFolderMarker(programFolder_));
    });
    qApp->installEventFilter(this);
}

QWidget* TfmSet::buildHyouji() {
    auto* page = new QWidget;
    rbWpLine = new QRadioButton(QStringLiteral("ワープロ的（折り返しも１行とする）"));
    rbEdLine = new QRadioButton(QStringLiteral("エディタ的（改行だけを数える）"));
    rbCenter = new QRadioButton(QStringLiteral("画面の真ん中"));
    rbZenkai = new QRadioButton(QStringLiteral("終了位置"));
    edtMenuCount = new QSpinBox;
    edtMenuCount->setRange(8, 30);
    rbWaYMD = new QRadioButton(QStringLiteral("和暦"));
    rbYMD = new QRadioButton(QStringLiteral("西暦"));
    cbYoubi = new QCheckBox(QStringLiteral("曜日を付加"));
    lblYMD = label("サンプル：H16.3.14 (日)");
    lblYMD->setObjectName(QStringLiteral("lblYMD"));
    auto* date = radioGroup(" 日付の書式 ", {rbWaYMD, rbYMD});
    date->layout()->addWidget(cbYoubi);
    date->layout()->addWidget(lblYMD);
    auto* menu = new QHBoxLayout;
    menu->addWidget(label("開き直すの履歴の行数"));
    menu->addWidget(edtMenuCount);
    menu->addWidget(label("( 8 ～ 30 )"));
    menu->addStretch(1);
    auto* v = new QVBoxLayout(page);
    v->addWidget(radioGroup(" 行番号の計算方法(&C) ", {rbWpLine, rbEdLine}));
    v->addWidget(radioGroup(" 表示位置(&H) ", {rbCenter, rbZenkai}));
    v->addLayout(menu);
    v->addWidget(date);
    v->addStretch(1);
    return page;
}

QWidget* TfmSet::buildDousa() {
    auto* page = new QWidget;
    cbKnKakunin = new QCheckBox(QStringLiteral("保存の確認を行わない。"));
    edtCLine1 = new QSpinBox;
    edtCLine2 = new QSpinBox;
    for (QSpinBox* sp : {edtCLine1, edtCLine2})
        sp->setRange(0, 999);
    cbJHanten = new QCheckBox(QStringLiteral("動作を反転"));
    auto* jump = new QGroupBox(QStringLiteral(" ジャンプボタン "));
    auto* g = new QGridLayout(jump);
    g->addWidget(label("ジャンプ時のカーソル位置　　　（１）トップから"), 0, 0);
    g->addWidget(edtCLine1, 0, 1);
    g->addWidget(label("（２）ボトムから"), 1, 0, Qt::AlignRight);
    g->addWidget(edtCLine2, 1, 1);
    g->addWidget(cbJHanten, 2, 0);
    g->addWidget(label("( + Shift )"), 2, 1);
    rgCurs[0] = new QRadioButton(QStringLiteral("賢い動作"));
    rgCurs[1] = new QRadioButton(QStringLiteral("先頭のまま"));
    rgCurs[2] = new QRadioButton(QStringLiteral("最後に移動"));
    cbNewEncoding = new QComboBox;
    cbNewEncoding->setObjectName(QStringLiteral("cbNewEncoding"));
    for (const TFileFormat& f : ChoosableEncodings())
        cbNewEncoding->addItem(q(EncodingName(f.encoding, f.bom)));
    cbNewLineEnd = new QComboBox;
    cbNewLineEnd->setObjectName(QStringLiteral("cbNewLineEnd"));
    for (TLineEndStyle l : kLineEnds)
        cbNewLineEnd->addItem(q(LineEndName(l)));
    auto* format = new QGroupBox(QStringLiteral(" 新しいページの保存形式 "));
    auto* f = new QGridLayout(format);
    f->addWidget(label("文字コード："), 0, 0);
    f->addWidget(cbNewEncoding, 0, 1);
    f->addWidget(label("改行コード："), 1, 0);
    f->addWidget(cbNewLineEnd, 1, 1);
    f->setColumnStretch(2, 1);
    auto* v = new QVBoxLayout(page);
    v->addWidget(cbKnKakunin);
    v->addWidget(jump);
    v->addWidget(radioGroup(" 貼り付け後のカーソル位置 ", {rgCurs[0], rgCurs[1], rgCurs[2]}));
    v->addWidget(format);
    v->addStretch(1);
    return page;
}

QWidget* TfmSet::buildKidou() {
    auto* page = new QWidget;
    auto* browser = new QGroupBox(QStringLiteral(" ブラウザの起動 "));
    cbisClick = new QCheckBox(QStringLiteral("シングルクリックで起動"));
    cbisBrowser = new QCheckBox(QStringLiteral("指定したブラウザを使用する"));
    edtBrowser = new QLineEdit;
    btnBrowser = new QPushButton(QStringLiteral("..."));
    auto* b = new QGridLayout(browser);
    b->addWidget(cbisClick, 0, 0, 1, 3);
    b->addWidget(cbisBrowser, 1, 0, 1, 3);
    b->addWidget(label("ブラウザ："), 2, 0);
    b->addWidget(edtBrowser, 2, 1);
    b->addWidget(btnBrowser, 2, 2);
    gbEditor = new QGroupBox(QStringLiteral(" エディタ "));
    gbEditor->setObjectName(QStringLiteral("gbEditor"));
    cbisEditor = new QCheckBox(QStringLiteral("外部エディタを使う"));
    edtEditor = new QLineEdit;
    btnEditor = new QPushButton(QStringLiteral("..."));
    auto* e = new QGridLayout(gbEditor);
    e->addWidget(cbisEditor, 0, 0, 1, 3);
    e->addWidget(label("エディタ："), 1, 0);
    e->addWidget(edtEditor, 1, 1);
    e->addWidget(btnEditor, 1, 2);
    auto* v = new QVBoxLayout(page);
    v->addWidget(browser);
    v->addWidget(gbEditor);
    v->addStretch(1);
    connect(btnBrowser, &QPushButton::clicked, this, [this] { browse(edtBrowser); });
    connect(btnEditor, &QPushButton::clicked, this, [this] { browse(edtEditor); });
    return page;
}

QWidget* TfmSet::buildSonota() {
    auto* page = new QWidget;
    btnTolmoKanren = new QPushButton;
    btnTolmoKanren->setObjectName(QStringLiteral("btnTolmoKanren"));
    btnSendTo = new QPushButton(QStringLiteral("「送る」にショートカットを作成"));
    cbLocal = new QCheckBox(QStringLiteral("この「トルモ」は単独で起動する"));
    auto* v = new QVBoxLayout(page);
    v->addWidget(btnTolmoKanren);
    v->addWidget(label("※[ *.txt]ファイルとトルモを関連付けます"));
    v->addWidget(btnSendTo);
    v->addWidget(label("※エクスプローラー右クリック時の「送る」"));
    v->addWidget(label("にトルモを登録します"));
    v->addWidget(cbLocal);
    v->addWidget(label("※メインで使うトルモの場合、"));
    v->addWidget(label("このオプションは使わないでください。"));
    v->addStretch(1);
    connect(btnTolmoKanren, &QPushButton::clicked, this, [this] {
        if (TextFilesAssociated())
            RemoveTextAssociation();
        else
            AssociateTextFiles(program_);
        updateAssociationButton();
    });
    connect(btnSendTo, &QPushButton::clicked, this,
            [this] { RegisterSendTo(program_, SpecialFolders()); });
    return page;
}

void TfmSet::updateAssociationButton() {
    btnTolmoKanren->setText(TextFilesAssociated()
                                ? QStringLiteral("テキストと「トルモ」の関連付けを解除する")
                                : QStringLiteral("テキストを「トルモ」に関連付ける"));
}

void TfmSet::updateSample() {
    lblYMD->setText(q(DateSample(Today(), rbWaYMD->isChecked(), cbYoubi->isChecked())));
}

void TfmSet::browse(QLineEdit* edit) {
    const QString text = edit->text().trimmed();
    QString folder = q(programFolder_), preset;
    if (!text.isEmpty() && QFileInfo(text).absoluteDir().exists()) {
        folder = QFileInfo(text).absolutePath();
        preset = text;
    }
    const QString chosen =
        ChooseFile(QStringLiteral("ファイル名を選択してください。"), folder, preset);
    if (!chosen.isEmpty()) edit->setText(chosen);
}

void TfmSet::applyValues() {
    settings_.isWpLine = rbWpLine->isChecked();
    settings_.isZenkai = rbZenkai->isChecked();
    settings_.MenuCount = ClampMenuCount(edtMenuCount->value());
    settings_.isWaYMD = rbWaYMD->isChecked();
    settings_.isYoubi = cbYoubi->isChecked();
    settings_.KnKakunin = cbKnKakunin->isChecked();
    settings_.CLine1 = edtCLine1->value();
    settings_.CLine2 = edtCLine2->value();
    settings_.JHanten = cbJHanten->isChecked();
    for (int i = 0; i < 3; ++i)
        if (rgCurs[i]->isChecked()) settings_.Curs = i;
    settings_.isClick = cbisClick->isChecked();
    settings_.isBrowser = cbisBrowser->isChecked();
    settings_.Browser = edtBrowser->text().toStdString();
    settings_.isEditor = cbisEditor->isChecked();
    settings_.Editor = edtEditor->text().toStdString();
    settings_.GEditor = !gbEditor->isHidden();
}

void TfmSet::done(int r) {
    qApp->removeEventFilter(this);
    if (!cancelled_) {
        applyValues();
        TFileFormat newPages;
        ParseEncodingName(cbNewEncoding->currentText().toStdString(), &newPages.encoding,
                          &newPages.bom);
        ParseLineEndName(cbNewLineEnd->currentText().toStdString(), &newPages.lineEnd);
        if (!WriteOptions(settingsFile_, settings_, newPages))
            ShowMessage("[" + settingsFile_ + "]に設定を保存できませんでした。");
    }
    QDialog::done(r);
}

void TfmSet::keyPressEvent(QKeyEvent* e) {
    // Escape is the Cancel button (the close box saves like OK).
    if (e->key() == Qt::Key_Escape) {
        btnCancel->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TfmSet::eventFilter(QObject* o, QEvent* e) {
    // The form sees the keys before its controls.
    if (e->type() == QEvent::KeyPress && isActiveWindow()) {
        auto* k = static_cast<QKeyEvent*>(e);
        const Qt::KeyboardModifiers mods =
            k->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
        if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && k->key() >= Qt::Key_A &&
            k->key() <= Qt::Key_Z) {
            if (keys_.Key(static_cast<char>('A' + (k->key() - Qt::Key_A)),
                          PageControl1->currentWidget() == tsKidou, gbEditor->isHidden())) {
                gbEditor->setVisible(true);
                return true;
            }
        }
    }
    return QDialog::eventFilter(o, e);
}
