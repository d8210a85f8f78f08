// The editor's font dialog.
#include "editor/ui/FontDialog.h"

#include "editor/FontChoice.h"
#include "editor/ui/QtConversions.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace {

QListWidget* NamedList(const char* name, QWidget* parent) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

// Selects the row showing text (or the first row) and brings it into view.
void SelectText(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchFixedString);
    QListWidgetItem* item = found.isEmpty() ? list->item(0) : found.first();
    if (!item) return;
    list->setCurrentItem(item);
    list->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

} // namespace

TEditorFontDialog::TEditorFontDialog(const QFont& start, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(QStringLiteral("フォント"));
    families_ = NamedList("lstFamily", this);
    styles_ = NamedList("lstStyle", this);
    size_ = new QSpinBox(this); // above its list: first in the tab order
    size_->setObjectName(QStringLiteral("edtSize"));
    sizes_ = NamedList("lstSize", this);
    size_->setRange(1, 512);
    sample_ = new QLabel(QStringLiteral("AaBbYyZz 0123 あいうえお アイウエオ 漢字"), this);
    sample_->setObjectName(QStringLiteral("lblSample"));
    sample_->setFrameShape(QFrame::StyledPanel);
    sample_->setMinimumHeight(64);
    sample_->setAlignment(Qt::AlignCenter);

    std::vector<std::string> installed;
    for (const QString& f : QFontDatabase::families())
        installed.push_back(f.toStdString());
    for (const std::string& f : EditorFontFaces(installed, InstalledFaceInfo))
        families_->addItem(QString::fromStdString(f));
    for (const int points : QFontDatabase::standardSizes())
        sizes_->addItem(QString::number(points));

    auto* grid = new QGridLayout(this);
    const QString labels[] = {QStringLiteral("フォント名(&F):"), QStringLiteral("スタイル(&Y):"),
                              QStringLiteral("サイズ(&S):")};
    QWidget* buddies[] = {families_, styles_, size_};
    for (int c = 0; c < 3; ++c) {
        auto* l = new QLabel(labels[c], this);
        l->setBuddy(buddies[c]);
        grid->addWidget(l, 0, c);
    }
    grid->addWidget(families_, 1, 0, 2, 1);
    grid->addWidget(styles_, 1, 1, 2, 1);
    grid->addWidget(size_, 1, 2);
    grid->addWidget(sizes_, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("サンプル"), this), 3, 0);
    grid->addWidget(sample_, 4, 0, 1, 3);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 5, 0, 1, 3);
    resize(560, 420);

    // The face the editor draws with for the stored name, in the asked style and size.
    SelectText(families_, DrawingFace(start.family().toStdString()));
    QFont styled(families_->currentItem() ? families_->currentItem()->text() : start.family());
    styled.setBold(start.bold());
    styled.setItalic(start.italic());
    fillStyles(QFontDatabase::styleString(styled));
    const int points =
        start.pointSize() > 0 ? start.pointSize() : qRound(QFontInfo(start).pointSizeF());
    size_->setValue(std::max(1, points));
    SelectText(sizes_, QString::number(size_->value()));

    connect(families_, &QListWidget::currentTextChanged, this, [this] {
        fillStyles(styles_->currentItem() ? styles_->currentItem()->text() : QString());
        showSample();
    });
    connect(styles_, &QListWidget::currentTextChanged, this, [this] { showSample(); });
    connect(sizes_, &QListWidget::currentTextChanged, this, [this](const QString& t) {
        if (!t.isEmpty()) size_->setValue(t.toInt());
    });
    connect(size_, &QSpinBox::valueChanged, this, [this] { showSample(); });
    showSample();
}

void TEditorFontDialog::fillStyles(const QString& keep) {
    const QSignalBlocker block(styles_);
    styles_->clear();
    if (QListWidgetItem* f = families_->currentItem())
        styles_->addItems(QFontDatabase::styles(f->text()));
    // A style the face lacks falls back to its plain one.
    QString wanted = keep;
    if (styles_->findItems(wanted, Qt::MatchFixedString).isEmpty())
        for (const QString& plain : {QStringLiteral("Regular"), QStringLiteral("Book"),
                                     QStringLiteral("Normal"), QStringLiteral("Medium")})
            if (!styles_->findItems(plain, Qt::MatchFixedString).isEmpty()) {
                wanted = plain;
                break;
            }
    SelectText(styles_, wanted);
}

QFont TEditorFontDialog::SelectedFont() const {
    const QString family = families_->currentItem() ? families_->currentItem()->text() : QString();
    const QString style = styles_->currentItem() ? styles_->currentItem()->text() : QString();
    QFont f = QFontDatabase::font(family, style, size_->value());
    f.setFamily(family);
    f.setPointSize(size_->value());
    return f;
}

void TEditorFontDialog::showSample() {
    sample_->setFont(SelectedFont());
}

bool TEditorFontDialog::GetFont(QFont& font, QWidget* parent) {
    TEditorFontDialog d(font, parent);
    if (d.exec() != QDialog::Accepted) return false;
    font = d.SelectedFont();
    return true;
}
