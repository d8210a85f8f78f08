// The token colour dialog's window and its sample painting.
#include "syntax/ui/TokenColorDialog.h"

#include "app/ui/ColorButton.h"
#include "app/ui/QtFont.h"
#include "platform/Cp932.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>

TTokenSample::TTokenSample(const TFountain& fountain, const QFont& font, const QColor& background,
                           const QColor& text, QWidget* parent)
    : QWidget(parent), fountain_(fountain), font_(font), background_(background), text_(text) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTokenSample::SetRows(std::vector<std::string> rows) {
    rows_ = std::move(rows);
    updateGeometry();
    update();
}

QSize TTokenSample::sizeHint() const {
    const QFontMetrics fm(font_);
    return {460, static_cast<int>(rows_.size()) * fm.height() + 12};
}

// Each byte one cell of half the width of a full-width character, as the editor lays rows out.
void TTokenSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_);
    const QFontMetrics fm(font_);
    const int cell = std::max(1, (fm.horizontalAdvance(QChar(u'あ')) + 1) / 2), h = fm.height();
    auto colour = [this](TColor c, const QColor& own) {
        return c == clNone ? own : ColorToQColor(c, palette());
    };
    for (const TSampleToken& t : SampleTokens(fountain_, rows_)) {
        const int y = 6 + t.Row * h;
        QFont f = font_;
        if (t.Colored) SetFontStyle(f, t.Style);
        p.fillRect(6 + t.Cell * cell, y, t.Cells * cell, h, colour(t.BkColor, background_));
        p.setFont(f);
        p.setPen(colour(t.Color, text_));
        for (const auto& [c, bytes] : t.Chars)
            p.drawText(6 + c * cell, y + fm.ascent(),
                       QString::fromStdU16String(Cp932ToUtf16(bytes)));
    }
}

TTokenColorDialog::TTokenColorDialog(const TFountain& fountain, const QFont& font,
                                     const QColor& background, const QColor& text, QWidget* parent)
    : QDialog(parent), Model(fountain) {
    setWindowTitle(QString::fromStdString(Model.Title()));
    Form = new TFormView(this, TLay::VBox, TokenColorForm(), Model, {}, [&](const TControl& c) {
        if (c.Name == std::string("Sample")) {
            Sample = new TTokenSample(Model.Edited(), font, background, text);
            Sample->SetRows(Model.SampleRows());
            return static_cast<QWidget*>(Sample);
        }
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        return static_cast<QWidget*>(buttons);
    });
    Form->Widget("lstTokens")->setMinimumWidth(180);
    for (const char* n :
         {"btnColor", "btnBkColor", "cbBold", "cbItalic", "cbUnderline", "cbStrikeOut"})
        Form->On(n, [this] { Sample->update(); });
}

bool TTokenColorDialog::Execute(TFountain& fountain, QWidget* parent, const QFont& font,
                                const QColor& background, const QColor& text) {
    TTokenColorDialog dlg(fountain, font, background, text, parent);
    if (dlg.exec() != QDialog::Accepted) return false;
    fountain.Assign(dlg.Edited());
    return true;
}
