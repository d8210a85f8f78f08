// The print settings dialog: tabs, controls, opening order, page-range rules and buttons.
#include "print/ui/PrintDialog.h"

#include "platform/MessageBox.h"
#include "print/PaperInfo.h"
#include "print/PrinterFonts.h"
#include "print/ui/PrintRun.h"
#include "print/ui/PrintTarget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kMax = TStringsPrinter::kMaxNumber;

QFont dialogFont(bool fixed) {
    QFont f;
    if (fixed)
        f.setFamilies({"ＭＳ ゴシック", "IPAGothic", "Noto Sans Mono CJK JP"});
    else
        f.setFamilies({"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP"});
    f.setPointSize(9);
    return f;
}

QLabel* label(const QString& text, QWidget* parent, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(name);
    l->setFont(dialogFont(true));
    return l;
}

QString tabCaption(const char* text) {
    return QStringLiteral("\u3000") + QString::fromUtf8(text) + QStringLiteral("\u3000");
}

} // namespace

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent) {
    auto* lay = new QHBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        lay->addWidget(b);
        Buttons.push_back(b);
        QObject::connect(b, &QRadioButton::clicked, this, [this, i] {
            if (OnClick) OnClick(i);
        });
    }
    lay->addStretch(1);
}

int TRadioGroup::ItemIndex() const {
    for (std::size_t i = 0; i < Buttons.size(); ++i)
        if (Buttons[i]->isChecked()) return static_cast<int>(i);
    return -1;
}

void TRadioGroup::SetItemIndex(int i) {
    if (i < 0 || i >= static_cast<int>(Buttons.size())) return;
    Buttons[i]->setChecked(true);
    if (OnClick) OnClick(i);
}

TPrintSpinEdit::TPrintSpinEdit(int min, int max, QWidget* parent) : QSpinBox(parent) {
    setRange(min, max);
    lineEdit()->installEventFilter(this);
}

bool TPrintSpinEdit::eventFilter(QObject* o, QEvent* e) {
    if (o == lineEdit() && e->type() == QEvent::MouseButtonDblClick && OnDoubleClick) {
        OnDoubleClick();
        return true;
    }
    return QSpinBox::eventFilter(o, e);
}

TFormStringsPrint::TFormStringsPrint(const TPrintLines* lines, TPrintTarget& target,
                                     QWidget* parent)
    : QDialog(parent), lines_(lines), target_(target) {
    setObjectName("FormStringsPrint");
    setWindowTitle("印刷");
    setFont(dialogFont(false));
    build();
}

bool TFormStringsPrint::wrapAround(TPrintSpinEdit* s) {
    if (s->value() < 1) {
        s->setValue(kMax);
        return true;
    }
    if (s->value() > kMax) {
        s->setValue(1);
        return true;
    }
    return false;
}

void TFormStringsPrint::build() {
    auto* root = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    root->addLayout(left, 1);

    // The printer group.
    auto* gb4 = new QGroupBox(" プリンタ ", this);
    gb4->setObjectName("GroupBox4");
    auto* g4 = new QGridLayout(gb4);
    g4->addWidget(label("プリンタ機種名：", gb4, "Label26"), 0, 0);
    Label5 = label("", gb4, "Label5");
    g4->addWidget(Label5, 0, 1);
    g4->addWidget(label("用紙サイズ：", gb4, "Label27"), 1, 0);
    Label12 = label("", gb4, "Label12");
    g4->addWidget(Label12, 1, 1);
    g4->addWidget(label("方向：", gb4, "Label8"), 2, 0);
    Label6 = label("", gb4, "Label6");
    g4->addWidget(Label6, 2, 1);
    btnSettei = new QPushButton("プリンタの設定(&E)", gb4);
    btnSettei->setObjectName("btnSettei");
    g4->addWidget(btnSettei, 0, 2, 3, 1, Qt::AlignVCenter);
    g4->setColumnStretch(1, 1);
    left->addWidget(gb4);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    left->addWidget(PageControl1, 1);

    // Tab 1: font and print range.
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    auto* t1 = new QGridLayout(TabSheet1);
    ComboBox1 = new QComboBox(TabSheet1);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setMinimumWidth(200);
    QLabel* l10 = label("フォント(&F)", TabSheet1, "Label10");
    l10->setBuddy(ComboBox1);
    ComboBox2 = new QComboBox(TabSheet1);
    ComboBox2->setObjectName("ComboBox2");
    QLabel* l11 = label("フォントサイズ(&S)", TabSheet1, "Label11");
    l11->setBuddy(ComboBox2);
    CheckBox1 = new QCheckBox("行番号印刷(&N)", TabSheet1);
    CheckBox1->setObjectName("CheckBox1");
    t1->addWidget(l10, 0, 0);
    t1->addWidget(ComboBox1, 0, 1, 1, 3);
    t1->addWidget(l11, 1, 0);
    t1->addWidget(ComboBox2, 1, 1);
    t1->addWidget(CheckBox1, 1, 2, 1, 2);
    RadioGroup5 = new TRadioGroup(" 印刷範囲 ", {"全部", "一部"}, TabSheet1);
    RadioGroup5->setObjectName("RadioGroup5");
    auto* r5 = static_cast<QHBoxLayout*>(RadioGroup5->layout());
    Label18 = label("最初", RadioGroup5, "Label18");
    SpinEdit6 = new TPrintSpinEdit(0, kMax + 1, RadioGroup5);
    Label19 = label("最終", RadioGroup5, "Label19");
    SpinEdit7 = new TPrintSpinEdit(0, kMax + 1, RadioGroup5);
    QLabel* l20 = label("ページ番号", RadioGroup5, "Label20");
    SpinEdit8 = new TPrintSpinEdit(0, kMax + 1, RadioGroup5);
    SpinEdit6->setObjectName("SpinEdit6");
    SpinEdit7->setObjectName("SpinEdit7");
    SpinEdit8->setObjectName("SpinEdit8");
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label18, SpinEdit6, Label19, SpinEdit7, l20, SpinEdit8})
        r5->insertWidget(r5->count() - 1, w);
    t1->addWidget(RadioGroup5, 2, 0, 1, 4);
    // Hidden: the line range.
    RadioGroup6 = new TRadioGroup(" LineRangeOption ", {"全部", "一部"}, TabSheet1);
    RadioGroup6->setObjectName("RadioGroup6");
    auto* r6 = static_cast<QHBoxLayout*>(RadioGroup6->layout());
    Label21 = label("StartLine", RadioGroup6, "Label21");
    SpinEdit9 = new TPrintSpinEdit(0, kMax + 1, RadioGroup6);
    Label22 = label("LastLine", RadioGroup6, "Label22");
    SpinEdit10 = new TPrintSpinEdit(0, kMax + 1, RadioGroup6);
    QLabel* l23 = label("FirstLineNumber", RadioGroup6, "Label23");
    SpinEdit11 = new TPrintSpinEdit(0, kMax + 1, RadioGroup6);
    SpinEdit9->setObjectName("SpinEdit9");
    SpinEdit10->setObjectName("SpinEdit10");
    SpinEdit11->setObjectName("SpinEdit11");
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label21, SpinEdit9, Label22, SpinEdit10, l23, SpinEdit11})
        r6->insertWidget(r6->count() - 1, w);
    t1->addWidget(RadioGroup6, 3, 0, 1, 4);
    RadioGroup6->setVisible(false);
    t1->setRowStretch(4, 1);
    t1->setColumnStretch(3, 1);
    PageControl1->addTab(TabSheet1, tabCaption("フォント／印刷範囲"));

    // Tab 2: margins and row spacing.
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    auto* t2 = new QVBoxLayout(TabSheet2);
    auto* gm = new QGroupBox(" マージン ", TabSheet2);
    gm->setObjectName("GroupBox1");
    auto* gml = new QGridLayout(gm);
    struct M {
        TPrintSpinEdit** spin;
        const char* name;
        const char* caption;
    };
    const M margins[] = {{&SpinEdit1, "SpinEdit1", "左端"},
                         {&SpinEdit2, "SpinEdit2", "右端"},
                         {&SpinEdit3, "SpinEdit3", "上端"},
                         {&SpinEdit4, "SpinEdit4", "下端"},
                         {&SpinEdit12, "SpinEdit12", "行間"}};
    int row = 0;
    for (const M& m : margins) {
        *m.spin = new TPrintSpinEdit(0, 100, gm);
        (*m.spin)->setObjectName(m.name);
        gml->addWidget(label(m.caption, gm), row, 0);
        gml->addWidget(*m.spin, row, 1);
        gml->addWidget(label("mm", gm), row, 2);
        ++row;
    }
    gml->setColumnStretch(3, 1);
    t2->addWidget(gm);
    t2->addStretch(1);
    PageControl1->addTab(TabSheet2, tabCaption("マージン／行間"));

    // Tab 3: header and footer.
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName("TabSheet3");
    auto* t3 = new QVBoxLayout(TabSheet3);
    const QStringList aligns{"なし", "左", "中央", "右"};
    auto* gh = new QGroupBox(" ヘッダー ", TabSheet3);
    auto* ghl = new QVBoxLayout(gh);
    RadioGroup2 = new TRadioGroup("", aligns, gh);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setFlat(true);
    Edit1 = new QLineEdit(gh);
    Edit1->setObjectName("Edit1");
    ghl->addWidget(RadioGroup2);
    ghl->addWidget(Edit1);
    auto* gf = new QGroupBox(" フッター ", TabSheet3);
    auto* gfl = new QVBoxLayout(gf);
    RadioGroup3 = new TRadioGroup("", aligns, gf);
    RadioGroup3->setObjectName("RadioGroup3");
    RadioGroup3->setFlat(true);
    Edit2 = new QLineEdit(gf);
    Edit2->setObjectName("Edit2");
    gfl->addWidget(RadioGroup3);
    gfl->addWidget(Edit2);
    FramSpeedBtn3 = new QToolButton(TabSheet3);
    FramSpeedBtn3->setObjectName("FramSpeedBtn3");
    FramSpeedBtn3->setText("使い方(&H)");
    t3->addWidget(gh);
    t3->addWidget(gf);
    t3->addWidget(FramSpeedBtn3, 0, Qt::AlignRight);
    t3->addStretch(1);
    PageControl1->addTab(TabSheet3, tabCaption("ヘッダー／フッター"));

    // Tab 4 (not shown): columns and odd/even pages.
    TabSheet4 = new QWidget;
    TabSheet4->setObjectName("TabSheet4");
    auto* t4 = new QVBoxLayout(TabSheet4);
    RadioGroup1 = new TRadioGroup(" Columns ", {"1", "2", "3"}, TabSheet4);
    RadioGroup1->setObjectName("RadioGroup1");
    SpinEdit5 = new TPrintSpinEdit(0, 100, TabSheet4);
    SpinEdit5->setObjectName("SpinEdit5");
    RadioGroup4 = new TRadioGroup(" PageOption ", {"poBoth", "poOdd", "poEven"}, TabSheet4);
    RadioGroup4->setObjectName("RadioGroup4");
    t4->addWidget(RadioGroup1);
    auto* cs = new QHBoxLayout;
    cs->addWidget(label("Column space:", TabSheet4));
    cs->addWidget(SpinEdit5);
    cs->addWidget(label("mm", TabSheet4));
    cs->addStretch(1);
    t4->addLayout(cs);
    t4->addWidget(RadioGroup4);
    t4->addStretch(1);
    PageControl1->addTab(TabSheet4, "TabSheet4");
    PageControl1->setTabVisible(3, false);

    // The button panel.
    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    auto* pl = new QVBoxLayout(panel);
    btnClose = new QPushButton("閉じる(&Q)", panel);
    btnClose->setObjectName("btnClose");
    btnPrint = new QPushButton("印刷実行(&P)", panel);
    btnPrint->setObjectName("btnPrint");
    btnPreview = new QPushButton("プレビュー(&V)", panel);
    btnPreview->setObjectName("btnPreview");
    FramSpeedBtn7 = new QToolButton(panel);
    FramSpeedBtn7->setObjectName("FramSpeedBtn7");
    FramSpeedBtn7->setVisible(false);
    pl->addWidget(btnClose);
    pl->addSpacing(16);
    pl->addWidget(btnPrint);
    pl->addWidget(btnPreview);
    pl->addStretch(1);
    root->addWidget(panel);

    // Every control writes its property as soon as it changes.
    TStringsPrinter& p = StringsPrinter1;
    connect(ComboBox1, &QComboBox::currentTextChanged, this, [&p](const QString& t) {
        TPrintFont f = p.Font();
        f.Name = t.toStdString();
        p.SetFont(f);
    });
    connect(ComboBox2, &QComboBox::currentTextChanged, this, [&p](const QString& t) {
        bool ok = false;
        const int size = t.toInt(&ok);
        TPrintFont f = p.Font();
        f.Size = ok ? size : TPrintFont::kDefaultSize;
        p.SetFont(f);
    });
    connect(CheckBox1, &QCheckBox::toggled, this, [&p](bool on) { p.SetLineNumber(on); });
    auto margin = [this](TPrintSpinEdit* s, void (TStringsPrinter::*set)(int)) {
        connect(s, &QSpinBox::valueChanged, this,
                [this, set](int v) { (StringsPrinter1.*set)(v); });
    };
    margin(SpinEdit1, &TStringsPrinter::SetMarginLeft);
    margin(SpinEdit2, &TStringsPrinter::SetMarginRight);
    margin(SpinEdit3, &TStringsPrinter::SetMarginTop);
    margin(SpinEdit4, &TStringsPrinter::SetMarginBottom);
    margin(SpinEdit12, &TStringsPrinter::SetMarginLine);
    margin(SpinEdit5, &TStringsPrinter::SetColumnSpace);
    RadioGroup1->OnClick = [&p](int i) { p.SetColumnCount(i + 1); };
    RadioGroup4->OnClick = [&p](int i) { p.SetPageOption(i); };
    RadioGroup2->OnClick = [&p](int i) { p.SetHeaderAlign(i); };
    RadioGroup3->OnClick = [&p](int i) { p.SetFooterAlign(i); };
    connect(Edit1, &QLineEdit::textChanged, this,
            [&p](const QString& t) { p.SetHeader(t.toStdString()); });
    connect(Edit2, &QLineEdit::textChanged, this,
            [&p](const QString& t) { p.SetFooter(t.toStdString()); });

    // Page range.
    RadioGroup5->OnClick = [this](int i) {
        StringsPrinter1.SetRangeOption(i);
        const bool part = i == 1;
        for (QWidget* w : std::initializer_list<QWidget*>{Label18, Label19, SpinEdit6, SpinEdit7})
            w->setEnabled(part);
        SpinEdit8->setValue(part ? SpinEdit6->value() : 1);
    };
    connect(SpinEdit6, &QSpinBox::valueChanged, this, [this](int v) {
        if (wrapAround(SpinEdit6)) return;
        StringsPrinter1.SetStartPage(v);
        if (RadioGroup5->ItemIndex() == 1) SpinEdit8->setValue(v);
    });
    connect(SpinEdit7, &QSpinBox::valueChanged, this, [this](int v) {
        if (!wrapAround(SpinEdit7)) StringsPrinter1.SetLastPage(v);
    });
    connect(SpinEdit8, &QSpinBox::valueChanged, this, [this](int v) {
        if (!wrapAround(SpinEdit8)) StringsPrinter1.SetFirstPageNumber(v);
    });
    // Line range (hidden controls, same rules).
    RadioGroup6->OnClick = [this](int i) {
        StringsPrinter1.SetLineRangeOption(i);
        const bool part = i == 1;
        for (QWidget* w : std::initializer_list<QWidget*>{Label21, Label22, SpinEdit9, SpinEdit10})
            w->setEnabled(part);
    };
    connect(SpinEdit9, &QSpinBox::valueChanged, this, [this](int v) {
        if (!wrapAround(SpinEdit9)) StringsPrinter1.SetStartLine(v);
    });
    connect(SpinEdit10, &QSpinBox::valueChanged, this, [this](int v) {
        if (!wrapAround(SpinEdit10)) StringsPrinter1.SetLastLine(v);
    });
    connect(SpinEdit11, &QSpinBox::valueChanged, this, [this](int v) {
        if (!wrapAround(SpinEdit11)) StringsPrinter1.SetFirstLineNumber(v);
    });
    // Double-click resets.
    for (TPrintSpinEdit* s : {SpinEdit6, SpinEdit8, SpinEdit9, SpinEdit11})
        s->OnDoubleClick = [s] { s->setValue(1); };
    for (TPrintSpinEdit* s : {SpinEdit7, SpinEdit10})
        s->OnDoubleClick = [s] { s->setValue(kMax); };

    // Ctrl+Tab and Ctrl+Shift+Tab turn the visible tabs from anywhere in the dialog.
    auto turn = [this](int step) {
        const int n = PageControl1->count();
        int i = PageControl1->currentIndex();
        for (int k = 0; k < n; ++k) {
            i = (i + step + n) % n;
            if (PageControl1->isTabVisible(i)) break;
        }
        PageControl1->setCurrentIndex(i);
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
            [turn] { turn(1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this),
            &QShortcut::activated, this, [turn] { turn(-1); });

    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(btnPreview, &QPushButton::clicked, this, [this] { btnPreviewClick(); });
    connect(btnSettei, &QPushButton::clicked, this, [this] { btnSetteiClick(); });
    connect(FramSpeedBtn3, &QToolButton::clicked, this, [this] { FramSpeedBtn3Click(); });
}

void TFormStringsPrint::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!opened_) FormShow();
    opened_ = true;
}

void TFormStringsPrint::FormShow() {
    opened_ = true;
    TStringsPrinter& p = StringsPrinter1;
    // The font names of the printer, without vertical-writing fonts.
    std::vector<std::string> all;
    for (const QString& f : QFontDatabase::families())
        all.push_back(f.toStdString());
    TPrintFont font = p.Font();
    font.Name = DialogFontName(font.Name);
    const int size = font.Size;
    QStringList names;
    for (const std::string& n : PrinterFontNames(all))
        names << QString::fromStdString(n);
    const QString current = QString::fromStdString(font.Name);
    // A face the system lacks (the design's Windows fonts) is still offered, so it stays chosen.
    if (!names.contains(current)) names.prepend(current);
    ComboBox1->blockSignals(true);
    ComboBox1->clear();
    ComboBox1->addItems(names);
    ComboBox1->setCurrentIndex(static_cast<int>(names.indexOf(current)));
    ComboBox1->blockSignals(false);
    p.SetFont(font);

    ComboBox2->blockSignals(true);
    ComboBox2->clear();
    for (int s = 6; s <= 30; ++s)
        ComboBox2->addItem(QString::number(s));
    ComboBox2->setCurrentIndex(ComboBox2->findText(QString::number(size)));
    ComboBox2->blockSignals(false);

    RefreshPrinterLabels();

    const TStringsPrinter start = p; // values as they were before the controls change them
    SpinEdit1->setValue(start.MarginLeft());
    SpinEdit2->setValue(start.MarginRight());
    SpinEdit3->setValue(start.MarginTop());
    SpinEdit4->setValue(start.MarginBottom());
    SpinEdit12->setValue(start.MarginLine());
    SpinEdit5->setValue(start.ColumnSpace());
    RadioGroup1->SetItemIndex(start.ColumnCount() - 1);
    CheckBox1->setChecked(start.LineNumber());
    RadioGroup2->SetItemIndex(start.HeaderAlign());
    Edit1->setText(QString::fromStdString(start.Header()));
    RadioGroup3->SetItemIndex(start.FooterAlign());
    Edit2->setText(QString::fromStdString(start.Footer()));
    RadioGroup4->SetItemIndex(start.PageOption());
    SpinEdit11->setValue(start.FirstLineNumber());
    // The hidden line-range fields show the values without setting them (LastLine stays 0
    // until the user sets it).
    for (TPrintSpinEdit* s : {SpinEdit9, SpinEdit10})
        s->blockSignals(true);
    SpinEdit9->setValue(start.StartLine());
    SpinEdit10->setValue(start.LastLine() > 0 ? start.LastLine() : kMax);
    for (TPrintSpinEdit* s : {SpinEdit9, SpinEdit10})
        s->blockSignals(false);
    RadioGroup6->SetItemIndex(start.LineRangeOption());
    // FirstPageNumber is read first: setting the range controls may change it.
    const int firstPage = start.FirstPageNumber();
    SpinEdit6->setValue(start.StartPage());
    SpinEdit7->setValue(start.LastPage());
    RadioGroup5->SetItemIndex(start.RangeOption());
    SpinEdit8->setValue(firstPage);
    StringsPrinter1.SetFirstPageNumber(firstPage);

    const bool has = lines_ != nullptr;
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label5, Label12, Label6, btnSettei, btnPrint, btnPreview})
        w->setEnabled(has);
}

void TFormStringsPrint::RefreshPrinterLabels() {
    TStringsPrinterInfo info(target_);
    Label5->setText(QString::fromStdString(info.PrinterName()));
    Label12->setText(QString::fromStdString(info.CurrentPaper().Name));
    Label6->setText(target_.Landscape() ? "横" : "縦");
}

void TFormStringsPrint::btnPrintClick() {
    if (!lines_) return;
    if (PrintStrings(StringsPrinter1, target_, *lines_, this)) done_ = true;
}

void TFormStringsPrint::btnPreviewClick() {
    if (!lines_) return;
    PreviewStrings(StringsPrinter1, target_, *lines_, this);
    done_ = true;
}

void TFormStringsPrint::btnCloseClick() {
    if (done_)
        accept();
    else
        reject();
}

void TFormStringsPrint::btnSetteiClick() {
    target_.Setup(this);
    RefreshPrinterLabels();
}

void TFormStringsPrint::FramSpeedBtn3Click() {
    ShowMessage(kHeaderKeywordHelp);
}

bool TFormStringsPrint::Execute(TStringsPrinter& printer, const TPrintLines* lines,
                                QWidget* parent) {
    TFormStringsPrint dlg(lines, TPrintTarget::Current(), parent);
    dlg.StringsPrinter1.Assign(printer);
    if (dlg.exec() != QDialog::Accepted) return false;
    printer.Assign(dlg.StringsPrinter1);
    return true;
}
