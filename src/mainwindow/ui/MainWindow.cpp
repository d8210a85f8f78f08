// Creation, first show and closing of the main window.
#include "mainwindow/ui/MainWindow.h"

#include "app/DataFolder.h"
#include "app/ShellUtil.h"
#include "app/ui/MemMapTimer.h"
#include "editor/DisplaySettings.h"
#include "mainwindow/StartUpLayout.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/SharedObjects.h"
#include "platform/IniFile.h"
#include "platform/ui/QtMessageSink.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

TMainWindow::TMainWindow(TSharedObjects& dt, TStartUpInfo info, QWidget* parent)
    : QMainWindow(parent), StartUp(std::move(info)), dt_(dt) {
    setWindowTitle(QStringLiteral("  トルモ - Tolmo - "));
    resize(kDesignWidth, kDesignHeight);
    buildComponents();
    // Where the settings live.
    const TDataFolderChoice c = ResolveDataFolder(
        WindowAsker(), StartUp.programFolder, CommonFilesFolder(), IsCdRomStart, StartRecordFile());
    DataFolder = c.dataFolder;
    passes_ = std::make_unique<TWindowPasses>(c.cdRom, c.first);
    SettingsFile = DataFolder + kSettingsFileName;
    pnlLeft->setVisible(false);
    // Settings, then the look of plain pages from them.
    ReadSettings();
    SettingsToPropertySet(Settings, dt_.PropSets.Default());
    // The display panel's tab and memo pages are never offered.
    PageControl2->setTabVisible(PageControl2->indexOf(tsTab), false);
    PageControl2->setTabVisible(PageControl2->indexOf(tsMemo), false);
    fitBarsToCaption();
    placeWindow();
    // The system folders other parts ask for.
    ProgramFilesFolder = ::ProgramFilesFolder();
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::buildComponents() {
    Menus = new TMenuView(*this);
    MemMapEvt1 = new TMemMapEvt1(this);
    connect(MemMapEvt1, &TMemMapEvt1::messengerArrived, this,
            [this] { BringToFront(this, MemMapEvt1->TakeActivationToken()); });
    connect(MemMapEvt1, &TMemMapEvt1::linesReceived, this,
            [this](const std::vector<std::string>& lines) {
                if (OnHandOffLines) OnHandOffLines(lines);
            });
    pnlClient = new QWidget;
    auto* client = new QHBoxLayout(pnlClient);
    client->setContentsMargins(0, 0, 0, 0);
    client->setSpacing(0);

    pnlLeft = new QWidget;
    pnlLeft->setObjectName(QStringLiteral("pnlLeft"));
    pnlLeft->setFixedWidth(253);
    auto* left = new QVBoxLayout(pnlLeft);
    left->setContentsMargins(0, 0, 0, 0);
    PageControl2 = new QTabWidget;
    PageControl2->addTab(new QWidget, QStringLiteral(" カラー "));
    PageControl2->addTab(new QWidget, QStringLiteral(" マージン "));
    tsTab = new QWidget;
    tsMemo = new QWidget;
    PageControl2->addTab(tsTab, QStringLiteral(" タブ "));
    PageControl2->addTab(tsMemo, QStringLiteral(" メモ "));
    left->addWidget(PageControl2);
    client->addWidget(pnlLeft);
    client->addStretch(1);

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(pnlClient, 1);
    pnlFunction = new QWidget;
    pnlFunction->setObjectName(QStringLiteral("pnlFunction"));
    pnlFunction->setFixedHeight(27);
    column->addWidget(pnlFunction);
    setCentralWidget(central);

    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
}

void TMainWindow::ReadSettings() {
    // Sets a property dialog stored come first; the [Editor] values then apply to the default set.
    dt_.ReadStoredObjects(SettingsFile);
    Settings = DefaultSettings(DisplayDefaultsOf(dt_.PropSets.Default()), StartUp.programFolder);
    ::ReadSettings(TIniFile(SettingsFile), Settings);
    // Derived values: the bars are set to the opposite and toggled once by their menu handlers,
    // so that visibility, check mark and caption all follow the stored value.
    pnlFunction->setVisible(!Settings.FuncChk);
    ToggleFunctionBar();
    StatusBar1->setVisible(!Settings.StatChk);
    ToggleStatusBar();
}

void TMainWindow::fitBarsToCaption() {
    const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    TBarHeights h = FitToCaptionHeight(caption);
    if (!h.known) return;
    StatusBar1->setFixedHeight(h.statusBar);
    pnlFunction->setFixedHeight(h.functionPanel);
}

void TMainWindow::placeWindow() {
    QScreen* screen = QGuiApplication::primaryScreen();
    QRect wa = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    TBounds b = PlaceMainWindow(Settings, {wa.x(), wa.y(), wa.width(), wa.height()}, kDesignWidth,
                                kDesignHeight);
    resize(b.width, b.height);
    move(b.left, b.top);
    if (Settings.isMaxSize) setWindowState(windowState() | Qt::WindowMaximized);
}

bool TMainWindow::WriteSettings(bool quiet) {
    // A Wayland window is never told where it is on the screen.
    const bool placeKnown = !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    TakeWindowState(Settings, isMaximized(), {pos().x(), pos().y(), width(), height()},
                    !pnlFunction->isHidden(), !StatusBar1->isHidden(), placeKnown);
    TIniFile ini(SettingsFile);
    if (::WriteSettings(ini, Settings, StartUp.programFolder)) return true;
    if (!quiet)
        if (const std::string m = settingsReport_.Failed(SettingsFile, ini.LastError()); !m.empty())
            WindowAsker().ShowMessage(m);
    return false;
}

void TMainWindow::WireCommands(
    TCommandPart part,
    std::initializer_list<std::pair<TWindowCommand, std::function<void()>>> list) {
    TCommandHandlers::TList handlers;
    for (const auto& [c, run] : list)
        handlers.push_back({c, [run](int) { run(); }});
    Menus->Wire(part, handlers);
}

QLabel* TMainWindow::AddStatusPanel(const QString& name, const TStatusPanelDesign& design,
                                    int stretch, bool permanent) {
    auto* l = new QLabel(QString::fromUtf8(design.Text));
    l->setObjectName(name);
    l->setMinimumWidth(design.Width);
    l->setAlignment(design.Centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    if (permanent)
        StatusBar1->addPermanentWidget(l, stretch);
    else
        StatusBar1->addWidget(l, stretch);
    return l;
}

void TMainWindow::ToggleFunctionBar() {
    pnlFunction->setVisible(pnlFunction->isHidden());
}

void TMainWindow::ToggleStatusBar() {
    StatusBar1->setVisible(StatusBar1->isHidden());
}

void TMainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TMainWindow::FormShow() {
    const TFirstShowPass pass = passes_->Show();
    if (!pass.Run) return;
    if (OnFirstShow) OnFirstShow();
    StatusShowsRows = Settings.isWpLine;
    if (HolidayFile.empty())
        HolidayFile = FindHolidayFile(StartUp.programFolder, ProgramFilesFolder);
    MemMapEvt1->Activate(); // later starts hand their command lines to this window
    if (!pass.SetupQuestion.empty() && WindowAsker().AskYesNo(pass.SetupQuestion, true) &&
        OnSetupRequested)
        OnSetupRequested();
}

void TMainWindow::closeEvent(QCloseEvent* e) {
    const TClosePass pass = TWindowPasses::Close(!ExternalEditorFile.empty());
    if (!pass.Refusal.empty()) WindowAsker().ShowMessage(pass.Refusal);
    const bool pagesAgree = !OnCloseQueryPages || OnCloseQueryPages();
    WriteSettings(); // on every attempt, also a refused one; only the first failure is shown
    e->setAccepted(pass.CanClose && pagesAgree);
}

void TMainWindow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    // Each activation runs FormActivate once the activation itself is done.
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && OnActivated)
        QTimer::singleShot(0, this, [this] {
            if (OnActivated) OnActivated();
        });
}
