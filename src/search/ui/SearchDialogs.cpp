// The search and replace dialogs' windows: built from their descriptions, history fields,
// placement and help.
#include "search/ui/SearchDialogs.h"

#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>

TSearchDialog::TSearchDialog(QWidget* parent, const QString& storePath)
    : TSearchDialog(parent, storePath, false) {}

TSearchDialog::TSearchDialog(QWidget* parent, const QString& storePath, bool replace)
    : QDialog(parent), Model(replace, storePath.toStdString()) {
    setWindowTitle(replace ? QStringLiteral("置換") : QStringLiteral("検索"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    Form = new TFormView(this, TLay::HBox, SearchDialogForm(replace), Model);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    for (const char* name : {"ComboBox1", "ComboBox2"})
        if (auto* c = Form->Get<QComboBox>(name)) {
            c->setInsertPolicy(QComboBox::NoInsert); // the dialog keeps the history itself
            c->setMaxCount(int(kSearchHistoryMax));
            c->setMinimumContentsLength(28);
            c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        }
    auto finish = [this](bool ok) { ok ? accept() : reject(); };
    if (!replace) Form->On("btnOK", [this, finish] { finish(Model.Ok()); });
    Form->On("btnCancel", [this] { reject(); });
    Form->On("btnHelp", [this] {
        QMessageBox::information(this, windowTitle() + QStringLiteral(" - ヘルプ"),
                                 QString::fromStdString(Model.HelpText()));
    });
    if (!replace) return;
    Form->On("btnOK", [this, finish] { finish(Model.Finish(soReplace)); });
    Form->On("btnAll", [this, finish] { finish(Model.Finish(soReplaceAll)); });
}

void TSearchDialog::showEvent(QShowEvent* e) {
    if (!loaded_) {
        loaded_ = true;
        Model.Load();
        Form->Sync();
        auto* combo = Form->Get<QComboBox>("ComboBox1");
        combo->lineEdit()->selectAll();
        combo->setFocus();
        // Centred on the main window, else on the screen.
        if (QWidget* p = parentWidget())
            move(p->window()->frameGeometry().center() - rect().center());
    }
    QDialog::showEvent(e);
}

bool TSearchDialog::Execute(TSearchCommandState& s) {
    if (exec() != QDialog::Accepted) return false;
    s.Text = Model.SearchText();
    if (Model.Replace) s.Replacement = Model.Replacement();
    s.Options = Model.Options();
    return true;
}

TReplaceDialog::TReplaceDialog(QWidget* parent, const QString& storePath)
    : TSearchDialog(parent, storePath, true) {}
