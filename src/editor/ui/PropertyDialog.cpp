// The property dialog's pages and the transfer between its controls and a property set.
#include "editor/ui/PropertyDialog.h"

#include "app/ui/ColorButton.h"
#include "editor/ui/QtConversions.h"
#include "platform/Cp932.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString FromCp932(const std::string& s) {
    const std::u16string u = Cp932ToUtf16(s);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

std::string ToCp932(const QString& s) {
    return Utf8ToCp932(s.toStdString());
}

QSpinBox* NewSpin(int lo, int hi) {
    auto* s = new QSpinBox;
    s->setRange(lo, hi);
    return s;
}

QComboBox* NewCombo(std::initializer_list<const char*> items) {
    auto* c = new QComboBox;
    for (const char* i : items)
        c->addItem(QString::fromUtf8(i));
    return c;
}

QCheckBox* NewCheck(const char* caption) {
    return new QCheckBox(QString::fromUtf8(caption));
}

} // namespace

TFormViewEditor::TFormViewEditor(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("プロパティ"));
    setMinimumWidth(660);
    FontDialog = [this](TEditorFont& f) {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, ToQFont(f), this, QStringLiteral("フォント"),
                                                  QFontDialog::MonospacedFonts);
        if (!ok) return false;
        f.Name = chosen.family().toStdString();
        if (chosen.pixelSize() > 0)
            f.Height = -chosen.pixelSize();
        else
            f.Height = -((chosen.pointSize() * 96 + 36) / 72);
        f.Style = (chosen.bold() ? fsBold : 0) | (chosen.italic() ? fsItalic : 0);
        return true;
    };
    auto* top = new QVBoxLayout(this);
    Pages = new QTabWidget;
    top->addWidget(Pages);

    // フォントと色
    {
        auto* page = new QWidget;
        auto* v = new QVBoxLayout(page);
        auto* fg = new QGroupBox(QStringLiteral("フォント"));
        auto* fl = new QHBoxLayout(fg);
        lblFont = new QLabel;
        lblFont->setMinimumWidth(220);
        lblFont->setFrameShape(QFrame::StyledPanel);
        auto* btnFont = new QPushButton(QStringLiteral("変更(&F)..."));
        fl->addWidget(lblFont, 1);
        fl->addWidget(btnFont);
        connect(btnFont, &QPushButton::clicked, this, [this] {
            TEditorFont f = FFont;
            if (FontDialog && FontDialog(f)) {
                FFont.Name = f.Name;
                FFont.Height = f.Height;
                FFont.Style = f.Style;
                showFont();
            }
        });
        v->addWidget(fg);
        auto* cg = new QGroupBox(QStringLiteral("色"));
        auto* cl = new QFormLayout(cg);
        btnFontColor = new TColorButton(false);
        btnColor = new TColorButton(false);
        cl->addRow(QStringLiteral("文字色(&T):"), btnFontColor);
        cl->addRow(QStringLiteral("背景色(&B):"), btnColor);
        connect(btnFontColor, &TColorButton::ColorChanged, this, [this](TColor c) {
            FFont.Color = c;
            showFont();
        });
        connect(btnColor, &TColorButton::ColorChanged, this, [this] { showFont(); });
        auto* sel = new QHBoxLayout;
        btnSelectBk = new TColorButton(true);
        btnSelectFg = new TColorButton(true);
        sel->addWidget(new QLabel(QStringLiteral("背景")));
        sel->addWidget(btnSelectBk);
        sel->addWidget(new QLabel(QStringLiteral("文字")));
        sel->addWidget(btnSelectFg);
        cl->addRow(QStringLiteral("選択範囲:"), sel);
        auto* hit = new QHBoxLayout;
        btnHitBk = new TColorButton(true);
        btnHitFg = new TColorButton(true);
        hit->addWidget(new QLabel(QStringLiteral("背景")));
        hit->addWidget(btnHitBk);
        hit->addWidget(new QLabel(QStringLiteral("文字")));
        hit->addWidget(btnHitFg);
        cl->addRow(QStringLiteral("検索で見つかった文字:"), hit);
        cmbHitStyle = NewCombo({"選択範囲にする", "色を付ける", "キャレットで示す"});
        cl->addRow(QStringLiteral("見つかった文字の示し方(&H):"), cmbHitStyle);
        v->addWidget(cg);
        v->addStretch(1);
        Pages->addTab(page, QStringLiteral("フォントと色"));
    }
    // 余白とマーク
    {
        auto* page = new QWidget;
        auto* v = new QVBoxLayout(page);
        auto* mg = new QGroupBox(QStringLiteral("余白 (ピクセル)"));
        auto* ml = new QGridLayout(mg);
        edtTop = NewSpin(0, 100);
        edtLeft = NewSpin(0, 100);
        edtCharacter = NewSpin(0, 100);
        edtLine = NewSpin(0, 100);
        ml->addWidget(new QLabel(QStringLiteral("上(&U):")), 0, 0);
        ml->addWidget(edtTop, 0, 1);
        ml->addWidget(new QLabel(QStringLiteral("左(&L):")), 0, 2);
        ml->addWidget(edtLeft, 0, 3);
        ml->addWidget(new QLabel(QStringLiteral("字間(&C):")), 1, 0);
        ml->addWidget(edtCharacter, 1, 1);
        ml->addWidget(new QLabel(QStringLiteral("行間(&R):")), 1, 2);
        ml->addWidget(edtLine, 1, 3);
        v->addWidget(mg);
        auto* kg = new QGroupBox(QStringLiteral("マーク"));
        auto* kl = new QGridLayout(kg);
        const std::pair<MarkRow*, const char*> marks[] = {{&RetMark, "改行マーク"},
                                                          {&EofMark, "[EOF] マーク"},
                                                          {&WrapMark, "折り返しマーク"},
                                                          {&HideMark, "1000 桁を超える行のマーク"},
                                                          {&Underline, "キャレット行の下線"}};
        int row = 0;
        for (auto [m, caption] : marks) {
            m->visible = NewCheck(caption);
            m->color = new TColorButton(true);
            kl->addWidget(m->visible, row, 0);
            kl->addWidget(m->color, row, 1);
            ++row;
        }
        v->addWidget(kg);
        v->addStretch(1);
        Pages->addTab(page, QStringLiteral("余白とマーク"));
    }
    // ルーラーと行番号
    {
        auto* page = new QWidget;
        auto* v = new QVBoxLayout(page);
        auto* rg = new QGroupBox(QStringLiteral("ルーラー"));
        auto* rl = new QFormLayout(rg);
        cbRuler = NewCheck("ルーラーを表示する(&V)");
        cbRulerEdge = NewCheck("縁を付ける");
        cmbGauge = NewCombo({"8 桁", "10 桁"});
        btnRulerBk = new TColorButton(true);
        btnRulerFg = new TColorButton(false);
        btnRulerMark = new TColorButton(true);
        rl->addRow(cbRuler);
        rl->addRow(cbRulerEdge);
        rl->addRow(QStringLiteral("目盛の間隔:"), cmbGauge);
        rl->addRow(QStringLiteral("背景色:"), btnRulerBk);
        rl->addRow(QStringLiteral("目盛の色:"), btnRulerFg);
        rl->addRow(QStringLiteral("キャレット位置の色:"), btnRulerMark);
        v->addWidget(rg);
        auto* lg = new QGroupBox(QStringLiteral("行番号"));
        auto* ll = new QFormLayout(lg);
        cbLeftbar = NewCheck("行番号の欄を表示する(&N)");
        cbShowNumber = NewCheck("番号を表示する");
        cmbNumberMode = NewCombo({"表示行ごと", "改行ごと (論理行)"});
        edtColumn = NewSpin(1, 8);
        cbZeroBase = NewCheck("0 から数える");
        cbZeroLead = NewCheck("頭を 0 で埋める");
        cbLeftbarEdge = NewCheck("縁を付ける");
        btnLeftbarBk = new TColorButton(true);
        btnLeftbarFg = new TColorButton(false);
        ll->addRow(cbLeftbar);
        ll->addRow(cbShowNumber);
        ll->addRow(QStringLiteral("数え方:"), cmbNumberMode);
        ll->addRow(QStringLiteral("最小の桁数:"), edtColumn);
        ll->addRow(cbZeroBase);
        ll->addRow(cbZeroLead);
        ll->addRow(cbLeftbarEdge);
        ll->addRow(QStringLiteral("背景色:"), btnLeftbarBk);
        ll->addRow(QStringLiteral("文字色:"), btnLeftbarFg);
        v->addWidget(lg);
        v->addStretch(1);
        Pages->addTab(page, QStringLiteral("ルーラーと行番号"));
    }
    // 折り返し
    {
        auto* page = new QWidget;
        auto* v = new QFormLayout(page);
        cbWordWrap = NewCheck("折り返す(&W)");
        edtWrapByte = NewSpin(20, 250);
        cmbScrollBars = NewCombo({"なし", "横", "縦", "縦と横"});
        cbFollowRetMark = NewCheck("改行マークをぶら下げる");
        cbFollowPunctuation = NewCheck("句読点をぶら下げる");
        edtPunctuationStr = new QLineEdit;
        cbLeading = NewCheck("禁則処理をする (追い出し)");
        edtFollowStr = new QLineEdit;
        edtLeadStr = new QLineEdit;
        cbWordBreak = NewCheck("英単語の途中で折り返さない");
        v->addRow(cbWordWrap);
        v->addRow(QStringLiteral("折り返し文字数 (半角):"), edtWrapByte);
        v->addRow(QStringLiteral("スクロールバー:"), cmbScrollBars);
        v->addRow(cbFollowRetMark);
        v->addRow(cbFollowPunctuation);
        v->addRow(QStringLiteral("ぶら下げる句読点:"), edtPunctuationStr);
        v->addRow(cbLeading);
        v->addRow(QStringLiteral("行頭禁則文字:"), edtFollowStr);
        v->addRow(QStringLiteral("行末禁則文字:"), edtLeadStr);
        v->addRow(cbWordBreak);
        Pages->addTab(page, QStringLiteral("折り返し"));
    }
    // キャレット
    {
        auto* page = new QWidget;
        auto* v = new QGridLayout(page);
        cbAutoIndent = NewCheck("自動インデント");
        cbBackSpaceUnIndent = NewCheck("BackSpace でインデントを戻す");
        cbPrevSpaceIndent = NewCheck("前の行の空白に合わせてインデント");
        cbTabIndent = NewCheck("Tab でインデント");
        cbSoftTab = NewCheck("Tab を空白で入力する");
        cbFreeCaret = NewCheck("行末より右にキャレットを置ける");
        cbFreeRow = NewCheck("[EOF] より下にキャレットを置ける");
        cbInTab = NewCheck("タブの中にキャレットを置ける");
        cbKeepCaret = NewCheck("上下の移動で桁を保つ");
        cbNextLine = NewCheck("行末から次の行へ移る");
        cbLockScroll = NewCheck("スクロールしてもキャレットを画面に残す");
        cbRowSelect = NewCheck("左余白のクリックで行を選択");
        cbSelMove = NewCheck("選択範囲をドラッグで移動");
        cbAutoCursor = NewCheck("場所に合わせてマウスカーソルを変える");
        QCheckBox* checks[] = {cbAutoIndent, cbBackSpaceUnIndent, cbPrevSpaceIndent, cbTabIndent,
                               cbSoftTab,    cbFreeCaret,         cbFreeRow,         cbInTab,
                               cbKeepCaret,  cbNextLine,          cbLockScroll,      cbRowSelect,
                               cbSelMove,    cbAutoCursor};
        int i = 0;
        for (QCheckBox* c : checks) {
            v->addWidget(c, i / 2, i % 2);
            ++i;
        }
        auto* f = new QFormLayout;
        cmbCaretStyle = NewCombo({"行の高さ", "挿入時は細い線"});
        cmbTabWidth = NewCombo({"2", "4", "6", "8"});
        f->addRow(QStringLiteral("キャレットの形:"), cmbCaretStyle);
        f->addRow(QStringLiteral("タブ幅 (半角):"), cmbTabWidth);
        v->addLayout(f, (i + 1) / 2, 0, 1, 2);
        v->setRowStretch((i + 1) / 2 + 1, 1);
        Pages->addTab(page, QStringLiteral("キャレット"));
    }
    // その他
    {
        auto* page = new QWidget;
        auto* v = new QFormLayout(page);
        cbUrl = NewCheck("URL に色を付ける");
        cbMail = NewCheck("メールアドレスに色を付ける");
        cbControlCode = NewCheck("制御文字コード (#13 など) に色を付ける");
        edtExtensions = new QLineEdit;
        edtExtensions->setPlaceholderText(QStringLiteral(".txt .memo"));
        v->addRow(cbUrl);
        v->addRow(cbMail);
        v->addRow(cbControlCode);
        v->addRow(QStringLiteral("対象の拡張子 (空白区切り):"), edtExtensions);
        Pages->addTab(page, QStringLiteral("その他"));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    top->addWidget(buttons);
}

void TFormViewEditor::showFont() {
    lblFont->setFont(ToQFont(FFont));
    const int px = FFont.Height < 0 ? -FFont.Height : FFont.Height;
    lblFont->setText(
        QStringLiteral("%1  %2px  あいうABC").arg(QString::fromStdString(FFont.Name)).arg(px));
    QPalette pal = lblFont->palette();
    pal.setColor(QPalette::Window, ToQColor(btnColor->Color(), palette()));
    pal.setColor(QPalette::WindowText, ToQColor(FFont.Color, palette()));
    lblFont->setPalette(pal);
    lblFont->setAutoFillBackground(true);
}

void TFormViewEditor::Load(const TEditorProp& p) {
    FFont = p.Font;
    btnColor->SetColor(p.Color);
    btnFontColor->SetColor(p.Font.Color);
    showFont();
    const TEditorViewColors& vc = p.View.Colors();
    btnSelectBk->SetColor(vc.Select.BkColor);
    btnSelectFg->SetColor(vc.Select.Color);
    btnHitBk->SetColor(vc.Hit.BkColor);
    btnHitFg->SetColor(vc.Hit.Color);
    cmbHitStyle->setCurrentIndex(p.HitStyle);
    edtTop->setValue(p.Margin.Top());
    edtLeft->setValue(p.Margin.Left());
    edtCharacter->setValue(p.Margin.Character());
    edtLine->setValue(p.Margin.Line());
    const std::pair<MarkRow*, const TEditorMark*> marks[] = {{&RetMark, &p.Marks.RetMark},
                                                             {&EofMark, &p.Marks.EofMark},
                                                             {&WrapMark, &p.Marks.WrapMark},
                                                             {&HideMark, &p.Marks.HideMark},
                                                             {&Underline, &p.Marks.Underline}};
    for (auto [row, mark] : marks) {
        row->visible->setChecked(mark->Visible());
        row->color->SetColor(mark->Color());
    }
    cbRuler->setChecked(p.Ruler.Visible());
    cbRulerEdge->setChecked(p.Ruler.Edge());
    cmbGauge->setCurrentIndex(p.Ruler.GaugeRange() == 8 ? 0 : 1);
    btnRulerBk->SetColor(p.Ruler.BkColor());
    btnRulerFg->SetColor(p.Ruler.Color());
    btnRulerMark->SetColor(p.Ruler.MarkColor());
    cbLeftbar->setChecked(p.Leftbar.Visible());
    cbShowNumber->setChecked(p.Leftbar.ShowNumber());
    cmbNumberMode->setCurrentIndex(p.Leftbar.ShowNumberMode() == nmRow ? 0 : 1);
    edtColumn->setValue(p.Leftbar.Column());
    cbZeroBase->setChecked(p.Leftbar.ZeroBase());
    cbZeroLead->setChecked(p.Leftbar.ZeroLead());
    cbLeftbarEdge->setChecked(p.Leftbar.Edge());
    btnLeftbarBk->SetColor(p.Leftbar.BkColor());
    btnLeftbarFg->SetColor(p.Leftbar.Color());
    cbWordWrap->setChecked(p.WordWrap);
    edtWrapByte->setValue(p.WrapOption.WrapByte);
    cmbScrollBars->setCurrentIndex(p.ScrollBars);
    cbFollowRetMark->setChecked(p.WrapOption.FollowRetMark);
    cbFollowPunctuation->setChecked(p.WrapOption.FollowPunctuation);
    edtPunctuationStr->setText(FromCp932(p.WrapOption.PunctuationStr));
    cbLeading->setChecked(p.WrapOption.Leading);
    edtFollowStr->setText(FromCp932(p.WrapOption.FollowStr));
    edtLeadStr->setText(FromCp932(p.WrapOption.LeadStr));
    cbWordBreak->setChecked(p.WrapOption.WordBreak);
    const TEditorCaret& c = p.Caret;
    cbAutoIndent->setChecked(c.AutoIndent());
    cbBackSpaceUnIndent->setChecked(c.BackSpaceUnIndent());
    cbPrevSpaceIndent->setChecked(c.PrevSpaceIndent());
    cbTabIndent->setChecked(c.TabIndent());
    cbSoftTab->setChecked(c.SoftTab());
    cbFreeCaret->setChecked(c.FreeCaret());
    cbFreeRow->setChecked(c.FreeRow());
    cbInTab->setChecked(c.InTab());
    cbKeepCaret->setChecked(c.KeepCaret());
    cbNextLine->setChecked(c.NextLine());
    cbLockScroll->setChecked(c.LockScroll());
    cbRowSelect->setChecked(c.RowSelect());
    cbSelMove->setChecked(c.SelMove());
    cbAutoCursor->setChecked(c.AutoCursor());
    cmbCaretStyle->setCurrentIndex(c.Style() == csBrief ? 1 : 0);
    cmbTabWidth->setCurrentIndex(c.TabSpaceCount() / 2 - 1);
    cbUrl->setChecked(p.View.Url());
    cbMail->setChecked(p.View.Mail());
    cbControlCode->setChecked(p.View.ControlCode());
    QStringList exts;
    for (const std::string& e : p.FileExtList.Items())
        exts << QString::fromStdString(e);
    edtExtensions->setText(exts.join(QLatin1Char(' ')));
}

void TFormViewEditor::Store(TEditorProp& p) const {
    p.Font = FFont;
    p.Font.Color = btnFontColor->Color();
    p.Color = btnColor->Color();
    TEditorViewColors vc = p.View.Colors();
    vc.Select.BkColor = btnSelectBk->Color();
    vc.Select.Color = btnSelectFg->Color();
    vc.Hit.BkColor = btnHitBk->Color();
    vc.Hit.Color = btnHitFg->Color();
    p.View.SetColors(vc);
    p.HitStyle = static_cast<TEditorHitStyle>(cmbHitStyle->currentIndex());
    p.Margin.SetTop(edtTop->value());
    p.Margin.SetLeft(edtLeft->value());
    p.Margin.SetCharacter(edtCharacter->value());
    p.Margin.SetLine(edtLine->value());
    const std::pair<const MarkRow*, TEditorMark*> marks[] = {{&RetMark, &p.Marks.RetMark},
                                                             {&EofMark, &p.Marks.EofMark},
                                                             {&WrapMark, &p.Marks.WrapMark},
                                                             {&HideMark, &p.Marks.HideMark},
                                                             {&Underline, &p.Marks.Underline}};
    for (auto [row, mark] : marks) {
        mark->SetVisible(row->visible->isChecked());
        mark->SetColor(row->color->Color());
    }
    p.Ruler.SetVisible(cbRuler->isChecked());
    p.Ruler.SetEdge(cbRulerEdge->isChecked());
    p.Ruler.SetGaugeRange(cmbGauge->currentIndex() == 0 ? 8 : 10);
    p.Ruler.SetBkColor(btnRulerBk->Color());
    p.Ruler.SetColor(btnRulerFg->Color());
    p.Ruler.SetMarkColor(btnRulerMark->Color());
    p.Leftbar.SetVisible(cbLeftbar->isChecked());
    p.Leftbar.SetShowNumber(cbShowNumber->isChecked());
    p.Leftbar.SetShowNumberMode(cmbNumberMode->currentIndex() == 0 ? nmRow : nmLine);
    p.Leftbar.SetColumn(edtColumn->value());
    p.Leftbar.SetZeroBase(cbZeroBase->isChecked());
    p.Leftbar.SetZeroLead(cbZeroLead->isChecked());
    p.Leftbar.SetEdge(cbLeftbarEdge->isChecked());
    p.Leftbar.SetBkColor(btnLeftbarBk->Color());
    p.Leftbar.SetColor(btnLeftbarFg->Color());
    p.WordWrap = cbWordWrap->isChecked();
    p.WrapOption.SetWrapByte(edtWrapByte->value());
    p.ScrollBars = static_cast<TScrollStyle>(cmbScrollBars->currentIndex());
    p.WrapOption.FollowRetMark = cbFollowRetMark->isChecked();
    p.WrapOption.FollowPunctuation = cbFollowPunctuation->isChecked();
    p.WrapOption.PunctuationStr = ToCp932(edtPunctuationStr->text());
    p.WrapOption.Leading = cbLeading->isChecked();
    p.WrapOption.FollowStr = ToCp932(edtFollowStr->text());
    p.WrapOption.LeadStr = ToCp932(edtLeadStr->text());
    p.WrapOption.WordBreak = cbWordBreak->isChecked();
    TEditorCaret& c = p.Caret;
    c.SetAutoIndent(cbAutoIndent->isChecked());
    c.SetBackSpaceUnIndent(cbBackSpaceUnIndent->isChecked());
    c.SetPrevSpaceIndent(cbPrevSpaceIndent->isChecked());
    c.SetTabIndent(cbTabIndent->isChecked());
    c.SetSoftTab(cbSoftTab->isChecked());
    c.SetFreeCaret(cbFreeCaret->isChecked());
    c.SetFreeRow(cbFreeRow->isChecked());
    c.SetInTab(cbInTab->isChecked());
    c.SetKeepCaret(cbKeepCaret->isChecked());
    c.SetNextLine(cbNextLine->isChecked());
    c.SetLockScroll(cbLockScroll->isChecked());
    c.SetRowSelect(cbRowSelect->isChecked());
    c.SetSelMove(cbSelMove->isChecked());
    c.SetAutoCursor(cbAutoCursor->isChecked());
    c.SetStyle(cmbCaretStyle->currentIndex() == 1 ? csBrief : csDefault);
    c.SetTabSpaceCount((cmbTabWidth->currentIndex() + 1) * 2);
    p.View.SetUrl(cbUrl->isChecked());
    p.View.SetMail(cbMail->isChecked());
    p.View.SetControlCode(cbControlCode->isChecked());
    std::vector<std::string> exts;
    for (QString e : edtExtensions->text().split(QRegularExpression(QStringLiteral("[\\s,;]+")),
                                                 Qt::SkipEmptyParts)) {
        if (!e.startsWith(QLatin1Char('.'))) e.prepend(QLatin1Char('.'));
        exts.push_back(e.toStdString());
    }
    p.FileExtList.Assign(exts);
}

bool TFormViewEditor::Execute(TEditorProp& set, QWidget* parent, const QString& title) {
    TFormViewEditor dlg(parent);
    dlg.setWindowTitle(QStringLiteral("プロパティ - ") + title);
    dlg.Load(set);
    if (dlg.exec() != QDialog::Accepted) return false;
    TEditorProp edited(set);
    dlg.Store(edited);
    edited.Name = set.Name;
    set.Assign(edited);
    return true;
}
