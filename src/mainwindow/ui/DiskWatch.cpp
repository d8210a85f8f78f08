// Kernel notifications for the disk watch of the pages, and the bar above a page's text.
#include "mainwindow/ui/DiskWatch.h"

#include "mainwindow/ui/Pages.h"

#include <QApplication>
#include <QFile>
#include <QFileSystemWatcher>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kLookMs = 2000; // how often every page's file is looked at besides notifications

// The watcher takes names as text: a name that does not come back to the same bytes is left to
// the timed look.
bool watchable(const std::string& path, QString* name) {
    *name = QFile::decodeName(QByteArray::fromStdString(path));
    return QFile::encodeName(*name).toStdString() == path;
}

} // namespace

TDiskWatch::TDiskWatch(TPages& pages, QObject* parent)
    : QObject(parent), pages_(pages), watcher_(new QFileSystemWatcher(this)),
      book_(pages, pages, pages.Book()) {
    // The timed look runs only while a page's name is one the watcher cannot take: an idle
    // window with ordinary names wakes for nothing.
    look_ = new QTimer(this);
    look_->setInterval(kLookMs);
    connect(look_, &QTimer::timeout, this, &TDiskWatch::CheckFiles);
    book_.Watch = [this](const std::string& path) {
        QString name;
        if (!watchable(path, &name)) {
            unwatchable_.insert(path);
            if (!look_->isActive()) look_->start();
        } else if (!watcher_->files().contains(name)) {
            watcher_->addPath(name);
        }
    };
    book_.Unwatch = [this](const std::string& path) {
        QString name;
        if (watchable(path, &name)) {
            watcher_->removePath(name);
        } else if (unwatchable_.erase(path) && unwatchable_.empty()) {
            look_->stop();
        }
    };
    book_.ShowNotice = [this](int index, const TDiskNotice& n) { showNotice(index, n); };
    book_.Reread = [this](int index, const std::string& path, std::string* error) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool ok = pages_.RereadPageText(index, path, error);
        QApplication::restoreOverrideCursor();
        return ok;
    };
    const auto read = pages_.OnFileRead, written = pages_.OnFileWritten;
    pages_.OnFileRead = [this, read](int index, const std::string& path) {
        if (read) read(index, path);
        book_.Record(index, path);
    };
    pages_.OnFileWritten = [this, written](int index, const std::string& path) {
        if (written) written(index, path);
        book_.Record(index, path);
    };
    pages_.BeforeFileWrite = [this](int index, const std::string& path, std::string* error) {
        return book_.BeforeWrite(index, path, error);
    };
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { CheckFiles(); });
}

void TDiskWatch::CheckFiles() {
    book_.Check();
}

QWidget* TDiskWatch::barOf(int index, bool make) {
    QWidget* sheet = pages_.PageControl1()->widget(index);
    if (!sheet) return nullptr;
    if (auto* bar =
            sheet->findChild<QWidget*>(QStringLiteral("DiskNoticeBar"), Qt::FindDirectChildrenOnly))
        return bar;
    auto* column = qobject_cast<QVBoxLayout*>(sheet->layout());
    if (!make || !column) return nullptr;
    auto* bar = new QFrame(sheet);
    bar->setObjectName(QStringLiteral("DiskNoticeBar"));
    bar->setFrameShape(QFrame::StyledPanel);
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xC8)); // a notice, not an error
    pal.setColor(QPalette::WindowText, Qt::black);
    bar->setPalette(pal);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 4, 8, 4);
    auto* text = new QLabel(bar);
    text->setObjectName(QStringLiteral("DiskNoticeText"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    row->addWidget(text, 1);
    const int id = pages_.PageId(index);
    const auto answer = [this, id](bool reread) {
        const int now = pages_.IndexOfPage(id);
        if (now >= 0) book_.Answer(now, reread);
    };
    for (const bool reread : {true, false}) {
        auto* b =
            new QPushButton(QString::fromUtf8(reread ? kRereadButton : kKeepEditingButton), bar);
        b->setObjectName(reread ? QStringLiteral("btnReread") : QStringLiteral("btnKeepEditing"));
        // The keys typed stay with the page; the mnemonic (Alt+R, Alt+C) works while the bar shows.
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [answer, reread] { answer(reread); });
        row->addWidget(b);
    }
    column->insertWidget(0, bar);
    bar->hide();
    return bar;
}

void TDiskWatch::showNotice(int index, const TDiskNotice& n) {
    QWidget* bar = barOf(index, n.change != TDiskChange::None);
    if (!bar) return;
    if (n.change == TDiskChange::None) {
        bar->hide();
        return;
    }
    bar->findChild<QLabel*>(QStringLiteral("DiskNoticeText"))
        ->setText(QString::fromStdString(n.text));
    bar->findChild<QPushButton*>(QStringLiteral("btnReread"))->setVisible(n.canReread);
    bar->show();
}
