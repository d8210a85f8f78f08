// The property dialog's window: built from its description, with the font label and dialog.
#include "editor/ui/PropertyDialog.h"

#include "app/FontRequest.h"
#include "app/ui/ColorButton.h"
#include "editor/ui/FontDialog.h"
#include "editor/ui/QtConversions.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TPropertyDialog::TPropertyDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("プロパティ"));
    setMinimumWidth(660);
    FontDialog = [this](TEditorFont& f) {
        QFont chosen = ToQFont(f);
        chosen.setFamily(QString::fromStdString(f.Name));
        if (!TEditorFontDialog::GetFont(chosen, this)) return false;
        f.Name = chosen.family().toStdString();
        f.Height =
            -(chosen.pixelSize() > 0 ? chosen.pixelSize() : PointsToPixels(chosen.pointSize()));
        f.Style = (chosen.bold() ? fsBold : 0) | (chosen.italic() ? fsItalic : 0);
        return true;
    };
    Form =
        new TFormView(this, TLay::VBox, PropertyDialogForm(), Model, {}, [this](const TControl&) {
            auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
            buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
            buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
            connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
            connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
            return buttons;
        });
    auto* lblFont = Form->Get<QLabel>("lblFont");
    lblFont->setMinimumWidth(220);
    lblFont->setFrameShape(QFrame::StyledPanel);
    Form->Get<QLineEdit>("edtExtensions")->setPlaceholderText(QStringLiteral(".txt .memo"));
    Form->On("btnFont", [this] {
        TEditorFont f = Model.Font;
        if (FontDialog && FontDialog(f)) Model.SetChosenFont(f);
        showFont();
    });
    Form->On("btnFontColor", [this] { showFont(); });
    Form->On("btnColor", [this] { showFont(); });
}

void TPropertyDialog::showFont() {
    Form->Sync();
    auto* lblFont = Form->Get<QLabel>("lblFont");
    lblFont->setFont(ToQFont(Model.Font));
    QPalette pal = lblFont->palette();
    pal.setColor(QPalette::Window,
                 ColorToQColor(static_cast<TColor>(Model.Int("btnColor")), palette()));
    pal.setColor(QPalette::WindowText, ColorToQColor(Model.Font.Color, palette()));
    lblFont->setPalette(pal);
    lblFont->setAutoFillBackground(true);
}

void TPropertyDialog::Load(const TEditorProp& p) {
    Model.Load(p);
    showFont();
}

bool TPropertyDialog::Execute(TEditorProp& set, QWidget* parent, const QString& title) {
    TPropertyDialog dlg(parent);
    dlg.setWindowTitle(QStringLiteral("プロパティ - ") + title);
    dlg.Load(set);
    if (dlg.exec() != QDialog::Accepted) return false;
    TEditorProp edited(set);
    dlg.Store(edited);
    edited.Name = set.Name;
    set.Assign(edited);
    return true;
}
