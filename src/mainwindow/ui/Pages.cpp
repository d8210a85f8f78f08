// The pages as tab sheets with editing controls: the page host of TPageBook.
#include "mainwindow/ui/Pages.h"

#include "app/ui/QtText.h"
#include "mainwindow/pages/DocumentFile.h"
#include "mainwindow/MainMenu.h"
#include "mainwindow/ui/PageTabBar.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/ui/QtMessageSink.h"

#include <QApplication>
#include <QDir>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString tabCaption(const std::string& s) {
    return QStr(LiteralCaption(s));
}

// Keeps the page-change handling out of programmatic tab switches.
class SwitchGuard {
  public:
    explicit SwitchGuard(int& n) : n_(n) { ++n_; }
    ~SwitchGuard() { --n_; }

  private:
    int& n_;
};

class TPageControl : public QTabWidget {
  public:
    TPageControl(QWidget* parent, TPageTabBar* bar) : QTabWidget(parent) {
        setTabBar(bar);
        setObjectName("PageControl1");
        setDocumentMode(true);
    }
};

} // namespace

TPages::TPages(QWidget* window, TMyFileList& list, TPageEditorFactory factory)
    : QObject(window), window_(window), list_(list), factory_(std::move(factory)),
      book_(*this, list) {
    tabBar_ = new TPageTabBar;
    pageControl_ = new TPageControl(window, tabBar_);
    book_.expandPath = [](const std::string& s) { return s; };
    connect(pageControl_, &QTabWidget::currentChanged, this, [this] {
        if (switching_ == 0) book_.PageChange();
    });
    tabBar_->OnChanging = [this] { book_.PageChanging(); };
    tabBar_->OnRightClick = [this](int index, bool ctrl) { book_.RightClickTab(index, ctrl); };
    tabBar_->OnDrop = [this](int target) { book_.DropTab(target); };
}

TPages::~TPages() {
    recent_.Save(); // the recent lists are written when the main window goes
    while (PageCount() > 0)
        takeSheet(PageCount() - 1).reset(); // the controls before the widgets that hold them
}

// --- TPageHost ----------------------------------------------------------------------------

int TPages::ActivePage() const {
    return pageControl_->currentIndex();
}

void TPages::SetActivePage(int index) {
    SwitchGuard g(switching_);
    pageControl_->setCurrentIndex(index);
}

void TPages::hookEditor(TEditorPageEditor* e, TSheet& s) {
    e->OnCaretMoved = [this, e] { CaretMoved(e); };
    e->OnChange = [this, e, &s] { Changed(s, e); };
    e->OnFocus = [this, e, &s] { Focused(s, e); };
    e->OnLoadProgress = [this, e] { LoadProgressed(e); };
    e->OnSelectionModeChange = [this, e] { SelectionModeChanged(e); };
}

void TPages::InsertPage(const std::string& caption, const std::string& path) {
    auto s = std::make_unique<Sheet>();
    s->widget = new QWidget;
    auto* layout = new QVBoxLayout(s->widget);
    layout->setContentsMargins(0, 0, 0, 0);
    s->splitter = new QSplitter(Qt::Vertical, s->widget);
    s->splitter->setChildrenCollapsible(false);
    s->splitter->setHandleWidth(5);
    layout->addWidget(s->splitter);
    std::unique_ptr<TEditorPageEditor> editor = factory_(s->splitter);
    TEditorPageEditor* e = editor.get();
    s->splitter->addWidget(e->Widget());
    e->ApplyPropertiesFor(path);
    QWidget* widget = s->widget;
    hookEditor(e, addSheet(std::move(s), std::move(editor)));
    SwitchGuard g(switching_);
    pageControl_->addTab(widget, tabCaption(caption));
}

void TPages::SetPageCaption(int index, const std::string& caption) {
    pageControl_->setTabText(index, tabCaption(caption));
}

void TPages::RemovePage(int index) {
    SwitchGuard g(switching_);
    std::unique_ptr<TSheet> s = takeSheet(index);
    pageControl_->removeTab(index);
    QWidget* widget = static_cast<Sheet&>(*s).widget;
    s.reset();
    delete widget;
    if (OnPageSettled) OnPageSettled();
}

void TPages::MovePage(int from, int to) {
    SwitchGuard g(switching_);
    moveSheet(from, to);
    tabBar_->moveTab(from, to);
}

bool TPages::LoadPageText(int index, const std::string& path, std::string* error) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = TPageSheets::LoadPageText(index, path, error);
    QApplication::restoreOverrideCursor();
    return ok;
}

void TPages::Unsplit(int index) {
    if (!IsSplit(index)) return;
    dropUpper(sheet(index));
    if (index == ActivePage()) book_.PageChange();
}

void TPages::ToggleSplit() {
    const int index = ActivePage();
    if (index < 0) return;
    if (IsSplit(index)) return Unsplit(index);
    auto& s = static_cast<Sheet&>(sheet(index));
    auto& lower = static_cast<TEditorPageEditor&>(*s.lower);
    std::unique_ptr<TEditorPageEditor> upper = lower.CreatePartner(s.splitter);
    TEditorPageEditor* e = upper.get();
    hookEditor(e, s);
    s.splitter->insertWidget(0, e->Widget());
    const int h = s.splitter->height();
    s.splitter->setSizes({h / 2, h - h / 2});
    // The lower control goes on where the upper one's visible rows end.
    e->SetTopRow(lower.TopRow());
    e->SetCaretRow(lower.CaretRow());
    s.upper = std::move(upper);
    e->Widget()->show();
    e->Widget()->setFocus();
    s.focused = e;
}

void TPages::ShowJumpPanel(bool show) {
    if (JumpPanelHook) JumpPanelHook(show);
}

void TPages::FocusActive() {
    if (TEditorPageEditor* e = ActivePageEditor()) e->Widget()->setFocus();
}

void TPages::UpdatePageStatus() {
    window_->setWindowTitle(QStringLiteral("  トルモ - Tolmo - "));
    ShowPageStatus();
}

void TPages::ShowProgress(const std::string& text) {
    setPanel(6, text);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TPages::SuspendUpdates(bool suspend) {
    window_->setUpdatesEnabled(!suspend);
}

bool TPages::AskYesNo(const std::string& message, bool defaultYes) {
    return WindowAsker().AskYesNoTitled(message, kConfirmCaption, defaultYes);
}

TSaveChoice TPages::AskSaveDiscardCancel(const std::string& message) {
    switch (
        WindowAsker().AskChoice(message, kConfirmCaption, {"保存(&S)", "破棄(&D)", "キャンセル"})) {
    case 0:
        return TSaveChoice::Save;
    case 1:
        return TSaveChoice::Discard;
    default:
        return TSaveChoice::Cancel;
    }
}

void TPages::Notice(const std::string& message) {
    WindowAsker().ShowNotice(message);
}

void TPages::ErrorBox(const std::string& message) {
    WindowAsker().ShowErrorBox(message);
}

bool TPages::ExternalEditorRunning() const {
    return ExternalEditorRunningHook && ExternalEditorRunningHook();
}

std::string TPages::CurrentDirectory() const {
    return QDir::currentPath().toStdString();
}

// --- Start and end ------------------------------------------------------------------------

void TPages::FirstShow(TIniFile& settings, const std::vector<std::string>& args) {
    list_.SetSettingsPath(settings.FileName());
    list_.Load(IniSection(settings, TMyFileList::kSection));
    book_.firstShow = true;
    book_.RestoreList();
    book_.OpenArguments(args);
    book_.FinishFirstShow();
}

bool TPages::CloseQuery() {
    return book_.CloseQuery();
}

bool TPages::SaveFileList() {
    return SaveOpenFileList(WindowAsker(), list_, ProgramFile());
}
