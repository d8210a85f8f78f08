// The display settings panel: its controls, the live preview, "決定", "キャンセル" and
// "規定値に戻す", and the window-width wrap of memo editors.
#include "mainwindow/ui/SettingsPanel.h"

#include "editor/ui/ColorPalette.h"
#include "editor/ui/EditorWidget.h"
#include "editor/ui/QtConversions.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/SharedObjects.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QFontDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>

namespace {

const char* const kFountainRefusal =
    "表示設定は今のところメモファイル(.txt)しか出来ません\r\nメモファイルをアクティブにしてから、"
    "\r\n表示設定を選択してください。";

TEditor* EditorOf(TPageEditor* pe) {
    auto* e = dynamic_cast<TEditorPageEditor*>(pe);
    return e ? e->Editor() : nullptr;
}

QLabel* Label(QWidget* parent, const QString& text, int x, int y, int w = 0) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    if (w) l->setFixedWidth(w);
    return l;
}

QSpinBox* Spin(QWidget* parent, const char* name, const QString& caption, int max, int x, int y) {
    Label(parent, caption, x, y + 3);
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0, max);
    s->setGeometry(x + 34, y, 56, 24);
    s->setAccessibleName(caption);
    return s;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& caption, int x, int y) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    c->move(x, y);
    return c;
}

void PaintButton(QPushButton* b, TColor bk, TColor fg) {
    const QPalette pal = b->palette();
    b->setStyleSheet(QStringLiteral("background-color: %1; color: %2;")
                         .arg(ToQColor(bk, pal).name(), ToQColor(fg, pal).name()));
}

} // namespace

TSettingsPanel::TSettingsPanel(TfmEditor& fm, TdtEditor& dt, TPages& pages)
    : QObject(&fm), fm_(fm), dt_(dt), pages_(pages) {
    FontDialog = [this](const QString& family, int points, QString& chosen, int& chosenPoints) {
        bool ok = false;
        QFont start(family);
        start.setPointSize(std::max(1, points));
        const QFont f = QFontDialog::getFont(&ok, start, fm_.pnlLeft, QStringLiteral("フォント"),
                                             QFontDialog::MonospacedFonts);
        if (!ok) return false;
        chosen = f.family();
        chosenPoints = f.pointSize() > 0 ? f.pointSize() : points;
        return true;
    };
    build();
    FValues = PanelValuesFromSettings(fm_.Settings);
    connect(pages_.PageControl1(), &QTabWidget::currentChanged, this, [this] { pageChanged(); });
    pages_.PageControl1()->installEventFilter(this);
    FLastPage = pages_.ActivePage();
}

// --- building ------------------------------------------------------------------------------

void TSettingsPanel::build() {
    QTabWidget* pc = fm_.PageControl2;
    buildColorPage(pc->widget(0));
    buildMarginPage(pc->widget(1));
    buildTabPage(fm_.tsTab);
    pnlLeftOk = new QWidget(pc->widget(0));
    pnlLeftOk->setObjectName(QStringLiteral("pnlLeftOk"));
    pnlLeftOk->resize(229, 36);
    btnKettei = new QPushButton(QStringLiteral("決定"), pnlLeftOk);
    btnKettei->setObjectName(QStringLiteral("btnKettei"));
    btnKettei->setGeometry(8, 4, 100, 28);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), pnlLeftOk);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(120, 4, 100, 28);
    connect(btnKettei, &QPushButton::clicked, this, [this] { Kettei(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { Cancel(); });
    connect(pc, &QTabWidget::currentChanged, this, [this] { placeOkPanel(); });
    for (int i = 0; i < pc->count(); ++i)
        pc->widget(i)->installEventFilter(this);
    placeOkPanel();
}

void TSettingsPanel::buildColorPage(QWidget* page) {
    auto* g = new QGroupBox(QStringLiteral(" フォントと背景のカラー "), page);
    g->setGeometry(6, 6, 235, 196);
    ColorPalette1 = new TColorPalette(g);
    ColorPalette1->setObjectName(QStringLiteral("ColorPalette1"));
    ColorPalette1->move(11, 24);
    Label(g, QStringLiteral("カラーパレットをクリックしてください。"), 12, 116);
    Label(g, QStringLiteral("左クリック → フォント色(FG)"), 12, 140);
    Label(g, QStringLiteral("右クリック → 背景色(BG)"), 12, 162);
    connect(ColorPalette1, &TColorPalette::Change, this, [this] {
        if (FFilling) return;
        if (ColorPalette1->ForegroundIndex() >= 0)
            FValues.FontColor = ColorPalette1->ForegroundColor();
        if (ColorPalette1->BackgroundIndex() >= 0) FValues.Color = ColorPalette1->BackgroundColor();
        showFontLabel();
        preview();
    });

    auto* f = new QGroupBox(QStringLiteral(" フォントサイズ "), page);
    f->setGeometry(6, 208, 235, 92);
    lblFont = new QLabel(QStringLiteral("FixedSys"), f);
    lblFont->setObjectName(QStringLiteral("lblFont"));
    lblFont->setGeometry(12, 24, 211, 30);
    lblFont->setAutoFillBackground(true);
    lblFont->setFrameShape(QFrame::StyledPanel);
    lblFontSize = new QLabel(f);
    lblFontSize->setObjectName(QStringLiteral("lblFontSize"));
    lblFontSize->setGeometry(12, 60, 60, 24);
    btnFont = new QPushButton(QStringLiteral("変更"), f);
    btnFont->setObjectName(QStringLiteral("btnFont"));
    btnFont->setGeometry(143, 58, 80, 28);
    connect(btnFont, &QPushButton::clicked, this, [this] {
        QString family;
        int points = 0;
        if (FontDialog &&
            FontDialog(QString::fromStdString(FValues.FontName), FValues.FontSize, family, points))
            SetPanelFont(family.toStdString(), points);
    });
}

void TSettingsPanel::buildMarginPage(QWidget* page) {
    auto* g = new QGroupBox(QStringLiteral(" マージン "), page);
    g->setGeometry(6, 6, 235, 84);
    edtTop = Spin(g, "edtTop", QStringLiteral("上"), kPanelMarginMax, 10, 22);
    edtLeft = Spin(g, "edtLeft", QStringLiteral("左"), kPanelMarginMax, 120, 22);
    edtCharacter = Spin(g, "edtCharacter", QStringLiteral("字間"), kPanelSpacingMax, 10, 52);
    edtLine = Spin(g, "edtLine", QStringLiteral("行間"), kPanelSpacingMax, 120, 52);
    for (QSpinBox* s : {edtTop, edtLeft, edtCharacter, edtLine})
        connect(s, &QSpinBox::valueChanged, this, [this] {
            if (FFilling) return;
            readControls();
            preview();
        });
    auto* m = new QGroupBox(QStringLiteral(" マーク "), page);
    m->setGeometry(6, 96, 235, 74);
    cbRet = Check(m, "cbRet", QStringLiteral("改行"), 12, 22);
    cbEof = Check(m, "cbEof", QStringLiteral("文末"), 120, 22);
    cbULine = Check(m, "cbULine", QStringLiteral("下線"), 12, 46);
    cbRuler = Check(m, "cbRuler", QStringLiteral("Ruler(目盛)"), 120, 46);
    for (QCheckBox* c : {cbRet, cbEof, cbULine, cbRuler})
        connect(c, &QCheckBox::clicked, this, [this] {
            readControls();
            preview();
        });
    auto* w = new QGroupBox(QStringLiteral(" 折返し "), page);
    w->setGeometry(6, 176, 235, 110);
    Label(w, QStringLiteral("折返し文字数"), 12, 26);
    edtWrap = new QLineEdit(w);
    edtWrap->setObjectName(QStringLiteral("edtWrap"));
    edtWrap->setGeometry(120, 22, 60, 24);
    edtWrap->setMaxLength(6);
    edtWrap->setAccessibleName(QStringLiteral("折返し文字数"));
    Label(w, QStringLiteral("( 0 は表示幅、-1 は折り返さない"), 12, 52);
    Label(w, QStringLiteral("[Return]で表示が変わります→ )"), 12, 70);
    Label(w, QStringLiteral("最小値 20   最大値 250"), 12, 88);
    connect(edtWrap, &QLineEdit::returnPressed, this, [this] { WrapReturn(); });
    btnKiteiEditor = new QPushButton(QStringLiteral("規定値に戻す"), page);
    btnKiteiEditor->setObjectName(QStringLiteral("btnKiteiEditor"));
    btnKiteiEditor->resize(120, 28);
    connect(btnKiteiEditor, &QPushButton::clicked, this, [this] { KiteiEditor(); });
}

void TSettingsPanel::buildTabPage(QWidget* page) {
    cbTabStyle = Check(page, "cbTabStyle", QStringLiteral("シングルライン"), 12, 12);
    Label(page, QStringLiteral("タブ幅 :"), 12, 44);
    edtTabLen = new QSpinBox(page);
    edtTabLen->setObjectName(QStringLiteral("edtTabLen"));
    edtTabLen->setRange(0, 400);
    edtTabLen->setGeometry(70, 40, 70, 24);
    Label(page, QStringLiteral("0 は自動"), 150, 44);
    btnTabColorAct = new QPushButton(QStringLiteral("アクティブなタブ"), page);
    btnTabColorAct->setObjectName(QStringLiteral("btnTabColorAct"));
    btnTabColorAct->setGeometry(12, 76, 211, 28);
    btnTabColorDeAct = new QPushButton(QStringLiteral("その他のタブ"), page);
    btnTabColorDeAct->setObjectName(QStringLiteral("btnTabColorDeAct"));
    btnTabColorDeAct->setGeometry(12, 110, 211, 28);
    btnKiteiTab = new QPushButton(QStringLiteral("規定値に戻す"), page);
    btnKiteiTab->setObjectName(QStringLiteral("btnKiteiTab"));
    btnKiteiTab->setGeometry(12, 150, 120, 28);
    auto pickColor = [this](TColor& target) {
        const QColor c = QColorDialog::getColor(ToQColor(target, fm_.palette()), fm_.pnlLeft);
        if (!c.isValid()) return;
        target = RGBColor(c.red(), c.green(), c.blue());
        fillControls();
        emit TabLookChanged();
    };
    connect(btnTabColorAct, &QPushButton::clicked, this,
            [this, pickColor] { pickColor(FValues.TabColorAct); });
    connect(btnTabColorDeAct, &QPushButton::clicked, this,
            [this, pickColor] { pickColor(FValues.TabColorDeAct); });
    connect(cbTabStyle, &QCheckBox::clicked, this, [this] {
        readControls();
        emit TabLookChanged();
    });
    connect(edtTabLen, &QSpinBox::valueChanged, this, [this] {
        if (FFilling) return;
        readControls();
        emit TabLookChanged();
    });
    connect(btnKiteiTab, &QPushButton::clicked, this, [this] {
        const TSettings d;
        FValues.TabStyle = d.cbTabStyle;
        FValues.TabLen = d.TabLen;
        FValues.TabColorAct = d.TabColorAct;
        FValues.TabColorDeAct = d.TabColorDeAct;
        FValues.TabFontAct = d.TabFontAct;
        FValues.TabFontDeAct = d.TabFontDeAct;
        fillControls();
        emit TabLookChanged();
    });
}

// The OK panel sits on the selected page, 68 pixels above the panel's bottom; "規定値に戻す" 94.
void TSettingsPanel::placeOkPanel() {
    QWidget* page = fm_.PageControl2->currentWidget();
    if (!page) return;
    if (pnlLeftOk->parentWidget() != page) {
        pnlLeftOk->setParent(page);
        pnlLeftOk->show();
    }
    const int bottom = fm_.pnlLeft->height();
    const int pageTop = page->mapTo(fm_.pnlLeft, QPoint(0, 0)).y();
    pnlLeftOk->move(6, std::max(0, bottom - 68 - pageTop));
    QWidget* margins = fm_.PageControl2->widget(1);
    const int mTop = margins->mapTo(fm_.pnlLeft, QPoint(0, 0)).y();
    btnKiteiEditor->move(14, std::max(292, bottom - 94 - mTop));
}

bool TSettingsPanel::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::Resize) {
        if (o == pages_.PageControl1())
            windowResized();
        else
            placeOkPanel();
    }
    return QObject::eventFilter(o, e);
}

// --- controls and values -------------------------------------------------------------------

void TSettingsPanel::fillControls() {
    FFilling = true;
    ColorPalette1->SetForegroundColor(FValues.FontColor);
    ColorPalette1->SetBackgroundColor(FValues.Color);
    showFontLabel();
    edtTop->setValue(FValues.MarginTop);
    edtLeft->setValue(FValues.MarginLeft);
    edtCharacter->setValue(FValues.MarginCharacter);
    edtLine->setValue(FValues.MarginLine);
    cbRet->setChecked(FValues.RetMark);
    cbEof->setChecked(FValues.EofMark);
    cbULine->setChecked(FValues.UnderLine);
    cbRuler->setChecked(FValues.Ruler);
    edtWrap->setText(QString::fromStdString(FValues.WrapText));
    cbTabStyle->setChecked(FValues.TabStyle);
    edtTabLen->setValue(FValues.TabLen);
    PaintButton(btnTabColorAct, FValues.TabColorAct, FValues.TabFontAct);
    PaintButton(btnTabColorDeAct, FValues.TabColorDeAct, FValues.TabFontDeAct);
    FFilling = false;
}

void TSettingsPanel::readControls() {
    FValues.MarginTop = edtTop->value();
    FValues.MarginLeft = edtLeft->value();
    FValues.MarginCharacter = edtCharacter->value();
    FValues.MarginLine = edtLine->value();
    FValues.RetMark = cbRet->isChecked();
    FValues.EofMark = cbEof->isChecked();
    FValues.UnderLine = cbULine->isChecked();
    FValues.Ruler = cbRuler->isChecked();
    FValues.WrapText = edtWrap->text().toStdString();
    FValues.TabStyle = cbTabStyle->isChecked();
    FValues.TabLen = edtTabLen->value();
}

// lblFont shows the font's name in that font and in the chosen colours; lblFontSize its size.
void TSettingsPanel::showFontLabel() {
    TEditorFont f;
    f.Name = FValues.FontName;
    f.Height = HeightOfPoints(FValues.FontSize);
    lblFont->setFont(ToQFont(f));
    lblFont->setText(QString::fromStdString(FValues.FontName));
    QPalette pal = lblFont->palette();
    pal.setColor(QPalette::Window, ToQColor(FValues.Color, fm_.palette()));
    pal.setColor(QPalette::WindowText, ToQColor(FValues.FontColor, fm_.palette()));
    lblFont->setPalette(pal);
    lblFontSize->setText(QString::fromStdString(FontSizeText(FValues.FontName, FValues.FontSize)));
}

void TSettingsPanel::preview() {
    if (!FTarget) return;
    PreviewPanelValues(FValues, FTarget->Core());
    FTarget->viewport()->update();
}

void TSettingsPanel::SetPanelFont(const std::string& name, int points) {
    FValues.FontName = name;
    FValues.FontSize = std::max(1, points);
    showFontLabel();
    preview();
}

void TSettingsPanel::WrapReturn() {
    const TWrapPreview w = PreviewWrapField(edtWrap->text().toStdString());
    edtWrap->setText(QString::fromStdString(w.FieldText));
    FValues.WrapText = w.FieldText;
    if (!FTarget) return;
    PreviewWrap(w, WindowWrapOf(*FTarget), FTarget->Core());
    FTarget->viewport()->update();
}

const TDisplayPanelValues& TSettingsPanel::TabLook() const {
    static TDisplayPanelValues stored;
    if (IsOpen()) return FValues;
    stored = PanelValuesFromSettings(fm_.Settings);
    return stored;
}

// --- commands ------------------------------------------------------------------------------

TEditor* TSettingsPanel::ActiveEditor() const {
    return EditorOf(pages_.ActivePageEditor());
}

bool TSettingsPanel::IsOpen() const {
    return !fm_.pnlLeft->isHidden();
}

void TSettingsPanel::mnHyoujiSetClick() {
    if (IsOpen()) {
        Cancel();
        return;
    }
    TEditor* e = ActiveEditor();
    if (e && e->Core().Fountain()) {
        ShowMessage(kFountainRefusal);
        return;
    }
    FTarget = e;
    FLastPage = pages_.ActivePage();
    FValues = PanelValuesFromSettings(fm_.Settings);
    fillControls();
    fm_.pnlLeft->show();
    placeOkPanel();
    emit TabLookChanged();
}

void TSettingsPanel::close() {
    fm_.pnlLeft->hide();
    FTarget = nullptr;
    emit TabLookChanged();
}

void TSettingsPanel::Kettei() {
    readControls();
    TEditor* active = FTarget ? FTarget.data() : ActiveEditor();
    const int windowWrap = active ? WindowWrapOf(*active) : -1;
    StorePanelValues(FValues, windowWrap, fm_.Settings);
    close();
    SettingsToPropertySet(fm_.Settings, dt_.PropSets.Default());
    ApplyToMemoEditors();
}

void TSettingsPanel::Cancel() {
    if (FTarget) ApplyDisplaySettings(fm_.Settings, FTarget->Core());
    close();
}

void TSettingsPanel::KiteiEditor() {
    FValues = PanelValuesFromDefaults(dt_.PropSets.DefaultOrg(), fm_.Settings);
    fillControls();
    preview();
    if (FTarget) {
        TWrapPreview w = PreviewWrapField(FValues.WrapText);
        w.WordWrap = true; // the defaults always wrap
        PreviewWrap(w, WindowWrapOf(*FTarget), FTarget->Core());
    }
}

void TSettingsPanel::ApplyToMemoEditors() {
    for (TPageEditor* pe : pages_.AllEditors())
        if (TEditor* e = EditorOf(pe); e && !e->Core().Fountain())
            ApplyDisplaySettings(fm_.Settings, e->Core());
}

// --- window-width wrap ---------------------------------------------------------------------

int TSettingsPanel::WindowWrapOf(const TEditor& e) {
    const TScrollStyle sb = const_cast<TEditor&>(e).Core().GetScrollBars();
    const bool vbar = sb == ssVertical || sb == ssBoth;
    const int scroll = vbar ? e.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &e) : 0;
    return WindowWidthWrap(e.width(), e.Metrics().LeftMargin, e.Metrics().CellWidth, scroll);
}

void TSettingsPanel::FollowWindowWidth(TEditor* e) {
    if (!e || e->Core().Fountain()) return;
    if (IsOpen() && e == FTarget) {
        // The preview follows the width only in its own window-width mode; nothing is stored.
        const TWrapPreview p = PreviewWrapField(FValues.WrapText);
        if (p.WordWrap && p.WindowWidth && e->Core().GetWordWrap())
            PreviewWrap(p, WindowWrapOf(*e), e->Core());
        return;
    }
    if (!fm_.Settings.WrapDou || !fm_.Settings.WordWrap()) return;
    const int w = WindowWrapOf(*e);
    if (w < 0) return;
    fm_.Settings.WrapByte = std::clamp(w, kWrapMin, kWrapMax);
    dt_.PropSets.Default().WrapOption.SetWrapByte(fm_.Settings.WrapByte);
    TEditorWrapOption o = e->Core().GetWrapOption();
    o.SetWrapByte(fm_.Settings.WrapByte);
    e->Core().SetWrapOption(o);
}

void TSettingsPanel::windowResized() {
    FResized = true;
    if (FResizePending) return;
    FResizePending = true;
    // The page's editor gets its new size after the page control's own resize.
    QTimer::singleShot(0, this, [this] {
        FResizePending = false;
        FollowWindowWidth(ActiveEditor());
    });
}

void TSettingsPanel::pageChanged() {
    // Leaving the page the preview is drawn on drops the preview.
    if (IsOpen() && pages_.ActivePage() != FLastPage) Cancel();
    FLastPage = pages_.ActivePage();
    if (FResized) {
        FResized = false;
        // After the layouts have settled (a cancelled panel gives its width back first).
        QTimer::singleShot(0, this, [this] {
            for (TPageEditor* pe : pages_.AllEditors())
                FollowWindowWidth(EditorOf(pe));
        });
    }
}
