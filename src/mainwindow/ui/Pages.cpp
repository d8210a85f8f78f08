// The pages as tab sheets with editing controls: the page host of TPageBook.
#include "mainwindow/ui/Pages.h"

#include "mainwindow/DocumentFile.h"
#include "mainwindow/MainMenu.h"
#include "mainwindow/ui/PageTabBar.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QString tabCaption(const std::string& s) {
    return q(LiteralCaption(s));
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
    connect(pageControl_, &QTabWidget::currentChanged, this, &TPages::currentChanged);
    tabBar_->OnChanging = [this] { book_.PageChanging(); };
    tabBar_->OnRightClick = [this](int index, bool ctrl) { book_.RightClickTab(index, ctrl); };
    tabBar_->OnDrop = [this](int target) { book_.DropTab(target); };
}

TPages::~TPages() {
    SaveRecentLists(); // the recent lists are written when the main window goes
    for (auto& s : sheets_) {
        s->upper.reset();
        s->editor.reset();
    }
}

void TPages::currentChanged(int) {
    if (switching_ == 0) book_.PageChange();
}

void TPages::SetRowColMode(bool rowCol) {
    rowCol_ = rowCol;
    UpdateCaretPanel();
}

// --- TPageHost ----------------------------------------------------------------------------

int TPages::PageCount() const {
    return static_cast<int>(sheets_.size());
}

int TPages::ActivePage() const {
    return pageControl_->currentIndex();
}

void TPages::SetActivePage(int index) {
    SwitchGuard g(switching_);
    pageControl_->setCurrentIndex(index);
}

void TPages::hookEditor(TEditorPageEditor* e, Sheet* s) {
    e->OnCaretMoved = [this, e] {
        if (e == ActivePageEditor()) UpdateCaretPanel();
    };
    e->OnChange = [this, e, s] {
        if (e == ActivePageEditor() && OnModifiedMark) OnModifiedMark(e->Modified());
        if (OnTextChanged) OnTextChanged(pageControl_->indexOf(s->widget));
    };
    e->OnFocus = [this, e, s] {
        s->focused = e;
        if (e == ActivePageEditor()) UpdatePageStatus();
    };
    e->OnLoadProgress = [this, e] {
        if (e != ActivePageEditor()) return;
        const std::string text = e->LoadProgressText();
        ShowProgress(text);
        if (text.empty()) UpdatePageStatus(); // ended: line ends, read-only
    };
    e->OnSelectionModeChange = [this, e] {
        if (e == ActivePageEditor()) setPanel(5, q(BoxPanelText(e->BoxSelection())));
    };
}

void TPages::InsertPage(const std::string& caption, const std::string& path) {
    auto s = std::make_unique<Sheet>();
    s->id = nextId_++;
    s->widget = new QWidget;
    auto* layout = new QVBoxLayout(s->widget);
    layout->setContentsMargins(0, 0, 0, 0);
    s->splitter = new QSplitter(Qt::Vertical, s->widget);
    s->splitter->setChildrenCollapsible(false);
    s->splitter->setHandleWidth(5);
    layout->addWidget(s->splitter);
    s->editor = factory_(s->splitter);
    s->splitter->addWidget(s->editor->Widget());
    s->editor->ApplyPropertiesFor(path);
    s->focused = s->editor.get();
    hookEditor(s->editor.get(), s.get());
    sheets_.push_back(std::move(s));
    SwitchGuard g(switching_);
    pageControl_->addTab(sheets_.back()->widget, tabCaption(caption));
}

void TPages::SetPageCaption(int index, const std::string& caption) {
    pageControl_->setTabText(index, tabCaption(caption));
}

void TPages::ApplyPropertiesFor(int index, const std::string& path) {
    Sheet& s = sheet(index);
    s.editor->ApplyPropertiesFor(path);
    if (s.upper) s.upper->ApplyPropertiesFor(path);
}

void TPages::RemovePage(int index) {
    SwitchGuard g(switching_);
    std::unique_ptr<Sheet> s = std::move(sheets_.at(static_cast<std::size_t>(index)));
    sheets_.erase(sheets_.begin() + index);
    pageControl_->removeTab(index);
    s->upper.reset();
    s->editor.reset();
    delete s->widget;
}

void TPages::MovePage(int from, int to) {
    SwitchGuard g(switching_);
    std::unique_ptr<Sheet> s = std::move(sheets_.at(static_cast<std::size_t>(from)));
    sheets_.erase(sheets_.begin() + from);
    sheets_.insert(sheets_.begin() + to, std::move(s));
    tabBar_->moveTab(from, to);
}

bool TPages::LoadPageText(int index, const std::string& path, std::string* error) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool ok = sheet(index).editor->LoadFromFile(path, error);
    QApplication::restoreOverrideCursor();
    if (ok && OnFileRead) OnFileRead(index, path);
    return ok;
}

bool TPages::SavePageText(int index, const std::string& path, std::string* error) {
    Sheet& s = sheet(index);
    TEditorPageEditor* e = s.focused ? s.focused : s.editor.get();
    // A file still loading is saved whole: the rest is read first.
    if (!e->WaitForWholeText()) {
        if (error) *error = "ページが閉じられました。";
        return false;
    }
    if (BeforeFileWrite && !BeforeFileWrite(index, path, error)) return false;
    std::string bytes;
    if (!e->FileBytes(&bytes, error)) return false;
    if (!SaveDocumentFile(path, bytes, error)) return false;
    if (OnFileWritten) OnFileWritten(index, path);
    return true;
}

bool TPages::IsModified(int index) const {
    const Sheet& s = sheet(index);
    return s.editor->Modified() || (s.upper && s.upper->Modified());
}

void TPages::SetModified(int index, bool modified) {
    Sheet& s = sheet(index);
    s.editor->SetModified(modified);
    if (s.upper) s.upper->SetModified(modified);
    if (index == ActivePage() && OnModifiedMark) OnModifiedMark(modified);
}

bool TPages::IsReadOnly(int index) const {
    const Sheet& s = sheet(index);
    return (s.focused ? s.focused : s.editor.get())->ReadOnly();
}

void TPages::SetReadOnly(int index, bool readOnly) {
    Sheet& s = sheet(index);
    s.editor->SetReadOnly(readOnly);
    if (s.upper) s.upper->SetReadOnly(readOnly);
}

void TPages::GetCaret(int index, int* row, int* topRow) const {
    const Sheet& s = sheet(index);
    *row = s.editor->CaretRow();
    *topRow = s.editor->TopRow();
}

void TPages::SetCaret(int index, int row, int topRow) {
    Sheet& s = sheet(index);
    s.editor->SetTopRow(topRow);
    s.editor->SetCaretRow(row);
}

bool TPages::IsSplit(int index) const {
    return sheet(index).upper != nullptr;
}

void TPages::Unsplit(int index) {
    Sheet& s = sheet(index);
    if (!s.upper) return;
    if (s.upper->Modified()) s.editor->SetModified(true); // the text typed above stays modified
    s.focused = s.editor.get();
    s.upper.reset();
    if (index == ActivePage()) book_.PageChange();
}

void TPages::ToggleSplit() {
    const int index = ActivePage();
    if (index < 0) return;
    Sheet& s = sheet(index);
    if (s.upper) {
        Unsplit(index);
        return;
    }
    s.upper = s.editor->CreatePartner(s.splitter);
    if (!s.upper) return; // the control cannot share its text
    hookEditor(s.upper.get(), &s);
    s.splitter->insertWidget(0, s.upper->Widget());
    const int h = s.splitter->height();
    s.splitter->setSizes({h / 2, h - h / 2});
    // The lower control goes on where the upper one's visible rows end.
    s.upper->SetTopRow(s.editor->TopRow());
    s.upper->SetCaretRow(s.editor->CaretRow());
    s.upper->Widget()->show();
    s.upper->Widget()->setFocus();
    s.focused = s.upper.get();
}

void TPages::ShowJumpPanel(bool show) {
    if (JumpPanelHook) JumpPanelHook(show);
}

void TPages::FocusActive() {
    if (TEditorPageEditor* e = ActivePageEditor()) e->Widget()->setFocus();
}

void TPages::setPanel(int panel, const QString& text) {
    if (SetStatusPanel) SetStatusPanel(panel, text);
}

void TPages::UpdateCaretPanel() {
    TEditorPageEditor* e = ActivePageEditor();
    if (!e) return;
    setPanel(0, q(CaretPanelText(e->CaretInfo(), rowCol_)));
}

void TPages::UpdatePageStatus() {
    window_->setWindowTitle(QStringLiteral("  トルモ - Tolmo - "));
    TEditorPageEditor* e = ActivePageEditor();
    if (!e) return;
    if (OnModifiedMark) OnModifiedMark(e->Modified());
    setPanel(2, q(OverwritePanelText(e->Overwrite())));
    setPanel(5, q(BoxPanelText(e->BoxSelection())));
    UpdateCaretPanel();
    setPanel(1, q(ReadOnlyPanelText(e->ReadOnly())));
    if (OnPageStatus) OnPageStatus(e);
    if (OnStatusRefreshed) OnStatusRefreshed();
}

void TPages::ShowProgress(const std::string& text) {
    setPanel(6, q(text));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TPages::SuspendUpdates(bool suspend) {
    window_->setUpdatesEnabled(!suspend);
}

bool TPages::AskYesNo(const std::string& message, bool defaultYes) {
    return AskYesNoTitled(message, kConfirmCaption, defaultYes);
}

void TPages::Notice(const std::string& message) {
    TMessage m;
    m.text = message;
    m.icon = TMsgIcon::Information;
    MessageSink().Show(m);
}

void TPages::ErrorBox(const std::string& message) {
    ShowErrorBox(message);
}

bool TPages::ExternalEditorRunning() const {
    return ExternalEditorRunningHook && ExternalEditorRunningHook();
}

int TPages::IndexOfPage(int id) const {
    for (std::size_t i = 0; i < sheets_.size(); ++i)
        if (sheets_[i]->id == id) return static_cast<int>(i);
    return -1;
}

std::string TPages::CurrentDirectory() const {
    return QDir::currentPath().toStdString();
}

// --- Active control, clear ----------------------------------------------------------------

TEditorPageEditor* TPages::EditorOfPage(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    const Sheet& s = sheet(index);
    return s.focused ? s.focused : s.editor.get();
}

std::vector<TEditorPageEditor*> TPages::AllEditors() const {
    std::vector<TEditorPageEditor*> out;
    for (const auto& s : sheets_) {
        if (s->editor) out.push_back(s->editor.get());
        if (s->upper) out.push_back(s->upper.get());
    }
    return out;
}

TEditorPageEditor* TPages::ActivePageEditor() const {
    return EditorOfPage(ActivePage());
}

void TPages::Clear() {
    if (TEditorPageEditor* e = ActivePageEditor()) e->ClearText();
}

// --- Start and end ------------------------------------------------------------------------

void TPages::FirstShow(TIniFile& settings, const QStringList& args) {
    list_.SetSettingsPath(settings.FileName());
    list_.Load(IniSection(settings, TMyFileList::kSection));
    book_.firstShow = true;
    book_.RestoreList();
    std::vector<std::string> a;
    for (const QString& s : args)
        a.push_back(s.toStdString());
    book_.OpenArguments(a);
    book_.FinishFirstShow();
}

void TPages::OpenHandedOver(const QStringList& lines) {
    std::vector<std::string> l;
    for (const QString& s : lines)
        l.push_back(s.toStdString());
    book_.OpenHandedOver(l);
}

bool TPages::CloseQuery() {
    return book_.CloseQuery();
}

bool TPages::SaveFileList() {
    return SaveOpenFileList(list_, ProgramFile());
}
