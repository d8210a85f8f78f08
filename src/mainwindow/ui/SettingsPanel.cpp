// The display settings panel: its controls, the live preview, "決定", "キャンセル" and
// "規定値に戻す", and the window-width wrap of memo editors.
#include "mainwindow/ui/SettingsPanel.h"

#include "editor/ui/ColorPalette.h"
#include "editor/ui/EditorWidget.h"
#include "editor/ui/FontDialog.h"
#include "editor/ui/QtConversions.h"
#include "mainwindow/DisplayPanelSteps.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/SharedObjects.h"
#include "platform/ui/QtMessageSink.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>

namespace {

TEditor* EditorOf(TPageText* pe) {
    return pe ? static_cast<TEditorPageEditor*>(pe)->Editor() : nullptr;
}

void PaintButton(QPushButton* b, TColor bk, TColor fg) {
    const QPalette pal = b->palette();
    b->setStyleSheet(QStringLiteral("background-color: %1; color: %2;")
                         .arg(ColorToQColor(bk, pal).name(), ColorToQColor(fg, pal).name()));
}

} // namespace

TSettingsPanel::TSettingsPanel(TMainWindow& fm, TSharedObjects& dt, TPages& pages)
    : QObject(&fm), fm_(fm), dt_(dt), pages_(pages) {
    FontDialog = [this](const QString& family, int points, QString& chosen, int& chosenPoints) {
        QFont f(family);
        f.setPointSize(std::max(1, points));
        if (!TEditorFontDialog::GetFont(f, fm_.pnlLeft)) return false;
        chosen = f.family();
        chosenPoints = f.pointSize() > 0 ? f.pointSize() : points;
        return true;
    };
    QTabWidget* pc = fm_.PageControl2;
    Form = new TFormView(
        pc, TLay::Fixed, SettingsPanelForm(), model_,
        {{"colorPage", pc->widget(0)}, {"marginPage", pc->widget(1)}, {"tsTab", fm_.tsTab}},
        [this](const TControl&) { return ColorPalette1 = new TColorPalette; });
    auto* lblFont = Form->Get<QLabel>("lblFont");
    lblFont->setAutoFillBackground(true);
    lblFont->setFrameShape(QFrame::StyledPanel);
    connect(ColorPalette1, &TColorPalette::Change, this, [this] {
        if (ColorPalette1->ForegroundIndex() >= 0)
            model_.Values.FontColor = ColorPalette1->ForegroundColor();
        if (ColorPalette1->BackgroundIndex() >= 0)
            model_.Values.Color = ColorPalette1->BackgroundColor();
        showFontLabel();
        preview();
    });
    for (const char* n :
         {"edtTop", "edtLeft", "edtCharacter", "edtLine", "cbRet", "cbEof", "cbULine", "cbRuler",
          "edtWrap", "cbTabStyle", "edtTabLen", "btnKiteiTab"})
        Form->On(n, [this] { effect(); });
    Form->On("btnFont", [this] {
        QString family;
        int points = 0;
        if (FontDialog && FontDialog(QString::fromStdString(model_.Values.FontName),
                                     model_.Values.FontSize, family, points))
            SetPanelFont(family.toStdString(), points);
    });
    auto pickColor = [this](TColor& target) {
        const QColor c = QColorDialog::getColor(ColorToQColor(target, fm_.palette()), fm_.pnlLeft);
        if (!c.isValid()) return;
        target = RGBColor(c.red(), c.green(), c.blue());
        fill();
        emit TabLookChanged();
    };
    Form->On("btnTabColorAct", [this, pickColor] { pickColor(model_.Values.TabColorAct); });
    Form->On("btnTabColorDeAct", [this, pickColor] { pickColor(model_.Values.TabColorDeAct); });
    Form->On("btnKiteiEditor", [this] { KiteiEditor(); });
    Form->On("btnKettei", [this] { Kettei(); });
    Form->On("btnCancel", [this] { Cancel(); });
    connect(pc, &QTabWidget::currentChanged, this, [this] { placeOkPanel(); });
    for (int i = 0; i < pc->count(); ++i)
        pc->widget(i)->installEventFilter(this);
    placeOkPanel();
    model_.Values = PanelValuesFromSettings(fm_.Settings);
    connect(pages_.PageControl1(), &QTabWidget::currentChanged, this, [this] { pageChanged(); });
    pages_.PageControl1()->installEventFilter(this);
    refit_.Opened(pages_.ActivePage());
}

// What a change of a control asks for: the preview, the tabs' look or the wrap.
void TSettingsPanel::effect() {
    switch (model_.Effect) {
    case TSettingsPanelModel::efPreview:
        preview();
        break;
    case TSettingsPanelModel::efTabLook:
        fill();
        emit TabLookChanged();
        break;
    case TSettingsPanelModel::efWrap:
        if (!target_) break;
        PreviewWrap(model_.Wrap, WindowWrapOf(*target_), target_->Core());
        target_->viewport()->update();
        break;
    case TSettingsPanelModel::efNone:
        break;
    }
}

// The OK panel sits on the selected page, 68 pixels above the panel's bottom; "規定値に戻す" 94.
void TSettingsPanel::placeOkPanel() {
    QWidget* page = fm_.PageControl2->currentWidget();
    if (!page) return;
    QWidget* ok = Form->Widget("pnlLeftOk");
    if (ok->parentWidget() != page) {
        ok->setParent(page);
        ok->show();
    }
    const int bottom = fm_.pnlLeft->height();
    ok->move(6, model_.OkPanelTop(bottom, page->mapTo(fm_.pnlLeft, QPoint(0, 0)).y()));
    QWidget* margins = fm_.PageControl2->widget(1);
    Form->Widget("btnKiteiEditor")
        ->move(14, model_.DefaultsButtonTop(bottom, margins->mapTo(fm_.pnlLeft, QPoint(0, 0)).y()));
    orderTabs();
}

// Tab walks from the page tabs through each page's controls in the order they are laid out,
// the OK panel last: the controls came to the window after its pages (and the OK panel moves
// with the page), which would leave them at the end of the window's tab order.
void TSettingsPanel::orderTabs() {
    QTabWidget* pc = fm_.PageControl2;
    QWidget* prev = pc;
    for (int i = 0; i < pc->count(); ++i)
        for (QWidget* w : pc->widget(i)->findChildren<QWidget*>()) {
            QWidget* parent = w->parentWidget();
            if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() ||
                qobject_cast<QAbstractSpinBox*>(parent) || qobject_cast<QComboBox*>(parent))
                continue;
            QWidget::setTabOrder(prev, w);
            prev = w;
        }
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

void TSettingsPanel::fill() {
    const TDisplayPanelValues& v = model_.Values;
    ColorPalette1->SetForegroundColor(v.FontColor);
    ColorPalette1->SetBackgroundColor(v.Color);
    model_.Fill();
    Form->Sync();
    showFontLabel();
    PaintButton(Form->Get<QPushButton>("btnTabColorAct"), v.TabColorAct, v.TabFontAct);
    PaintButton(Form->Get<QPushButton>("btnTabColorDeAct"), v.TabColorDeAct, v.TabFontDeAct);
}

// lblFont shows the font's name in that font and in the chosen colours; lblFontSize its size.
void TSettingsPanel::showFontLabel() {
    const TDisplayPanelValues& v = model_.Values;
    auto* lblFont = Form->Get<QLabel>("lblFont");
    TEditorFont f;
    f.Name = v.FontName;
    f.Height = HeightOfPoints(v.FontSize);
    lblFont->setFont(ToQFont(f));
    lblFont->setText(QString::fromStdString(v.FontName));
    QPalette pal = lblFont->palette();
    pal.setColor(QPalette::Window, ColorToQColor(v.Color, fm_.palette()));
    pal.setColor(QPalette::WindowText, ColorToQColor(v.FontColor, fm_.palette()));
    lblFont->setPalette(pal);
    Form->Get<QLabel>("lblFontSize")
        ->setText(QString::fromStdString(FontSizeText(v.FontName, v.FontSize)));
}

void TSettingsPanel::preview() {
    if (!target_) return;
    PreviewPanelValues(model_.Values, target_->Core());
    target_->viewport()->update();
}

void TSettingsPanel::SetPanelFont(const std::string& name, int points) {
    model_.Values.FontName = name;
    model_.Values.FontSize = std::max(1, points);
    showFontLabel();
    preview();
}

const TDisplayPanelValues& TSettingsPanel::TabLook() const {
    static TDisplayPanelValues stored;
    if (IsOpen()) return model_.Values;
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

void TSettingsPanel::OpenDisplaySettings() {
    if (IsOpen()) {
        Cancel();
        return;
    }
    TEditor* e = ActiveEditor();
    if (const std::string refusal = PanelRefusal(e ? &e->Core() : nullptr); !refusal.empty())
        return WindowAsker().ShowMessage(refusal);
    target_ = e;
    refit_.Opened(pages_.ActivePage());
    model_.Values = PanelValuesFromSettings(fm_.Settings);
    fill();
    fm_.pnlLeft->show();
    placeOkPanel();
    // Opened from the keyboard, the panel takes it: the page's Tab key stays in the page.
    fm_.PageControl2->setFocus(Qt::OtherFocusReason);
    emit TabLookChanged();
}

void TSettingsPanel::closePanel() {
    const bool hadFocus = fm_.pnlLeft->isAncestorOf(QApplication::focusWidget());
    fm_.pnlLeft->hide();
    target_ = nullptr;
    emit TabLookChanged();
    if (TEditor* e = hadFocus ? ActiveEditor() : nullptr) e->setFocus(Qt::OtherFocusReason);
}

void TSettingsPanel::Kettei() {
    TEditor* active = target_ ? target_.data() : ActiveEditor();
    StorePanel(model_.Values, active ? WindowWrapOf(*active) : -1, fm_.Settings,
               dt_.PropSets.Default(), memoCores());
    closePanel();
}

void TSettingsPanel::Cancel() {
    if (target_) ApplyDisplaySettings(fm_.Settings, target_->Core());
    closePanel();
}

void TSettingsPanel::KiteiEditor() {
    ResetPanelToDefaults(model_.Values, dt_.PropSets.DefaultOrg(), fm_.Settings,
                         target_ ? WindowWrapOf(*target_) : -1,
                         target_ ? &target_->Core() : nullptr);
    fill();
    if (target_) target_->viewport()->update();
}

std::vector<TEditorCore*> TSettingsPanel::memoCores() const {
    std::vector<TEditorCore*> cores;
    for (TPageText* pe : pages_.AllTexts())
        cores.push_back(&EditorOf(pe)->Core());
    return cores;
}

// --- window-width wrap ---------------------------------------------------------------------

int TSettingsPanel::WindowWrapOf(const TEditor& e) {
    const bool vbar = ShowsVerticalBar(const_cast<TEditor&>(e).Core().GetScrollBars());
    const int scroll = vbar ? e.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &e) : 0;
    return WindowWidthWrap(e.width(), e.Metrics().LeftMargin, e.Metrics().CellWidth, scroll);
}

void TSettingsPanel::FollowWindowWidth(TEditor* e) {
    if (e)
        ::FollowWindowWidth(e->Core(), WindowWrapOf(*e),
                            IsOpen() && e == target_ ? &model_.Values : nullptr, fm_.Settings,
                            dt_.PropSets.Default());
}

void TSettingsPanel::windowResized() {
    // The page's editor gets its new size after the page control's own resize.
    if (refit_.Resized())
        QTimer::singleShot(0, this, [this] {
            refit_.RefitRan();
            FollowWindowWidth(ActiveEditor());
        });
}

void TSettingsPanel::pageChanged() {
    const TRefitSequence::TPageStep step = refit_.PageChanged(pages_.ActivePage(), IsOpen());
    if (step.CancelPanel) Cancel();
    if (step.RefitAll) // after the layouts have settled (a cancelled panel gives its width back)
        QTimer::singleShot(0, this, [this] {
            for (TPageText* pe : pages_.AllTexts())
                FollowWindowWidth(EditorOf(pe));
        });
}
