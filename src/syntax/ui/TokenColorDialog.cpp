// The token colour dialog's window and its sample painting.
#include "syntax/ui/TokenColorDialog.h"

#include "app/ui/ColorButton.h"
#include "platform/Cp932.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>

namespace {

QString FromCp932(std::string_view s) {
    const std::u16string u = Cp932ToUtf16(s);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

} // namespace

TTokenSample::TTokenSample(const TFountain& fountain, const QFont& font, const QColor& background,
                           const QColor& text, QWidget* parent)
    : QWidget(parent), FFountain(fountain), FFont(font), FBackground(background), FText(text) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTokenSample::SetRows(std::vector<std::string> rows) {
    FRows = std::move(rows);
    updateGeometry();
    update();
}

QSize TTokenSample::sizeHint() const {
    const QFontMetrics fm(FFont);
    return {460, static_cast<int>(FRows.size()) * fm.height() + 12};
}

// Each byte one cell of half the width of a full-width character, as the editor lays rows out;
// each token in its item's colours, clNone standing for the editor's own.
void TTokenSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), FBackground);
    const QFontMetrics fm(FFont);
    const int cell = std::max(1, (fm.horizontalAdvance(QChar(u'あ')) + 1) / 2);
    const int h = fm.height();
    std::unique_ptr<TFountainParser> parser = FFountain.CreateParser();
    TFountainState state;
    int y = 6;
    for (const std::string& row : FRows) {
        parser->NewData(row, state);
        for (int kind = parser->NextToken(); kind != toEof; kind = parser->NextToken()) {
            const int start = parser->SourcePos();
            const std::string_view text = parser->TokenString();
            const TFountainColor* c = parser->TokenColor();
            QColor fg = FText, bk = FBackground;
            QFont f = FFont;
            if (c) {
                if (c->Color() != clNone) fg = ColorToQColor(c->Color(), palette());
                if (c->BkColor() != clNone) bk = ColorToQColor(c->BkColor(), palette());
                f.setBold(c->Style() & fsBold);
                f.setItalic(c->Style() & fsItalic);
                f.setUnderline(c->Style() & fsUnderline);
                f.setStrikeOut(c->Style() & fsStrikeOut);
            }
            const int x = 6 + start * cell;
            p.fillRect(x, y, static_cast<int>(text.size()) * cell, h, bk);
            p.setFont(f);
            p.setPen(fg);
            for (std::size_t i = 0; i < text.size();) {
                const unsigned char b = static_cast<unsigned char>(text[i]);
                const std::size_t n =
                    ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < text.size()
                        ? 2
                        : 1;
                p.drawText(x + static_cast<int>(i) * cell, y + fm.ascent(),
                           FromCp932(text.substr(i, n)));
                i += n;
            }
        }
        state = parser->State();
        y += h;
    }
}

TFormFountainEditor::TFormFountainEditor(const TFountain& fountain, const QFont& font,
                                         const QColor& background, const QColor& text,
                                         QWidget* parent)
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

bool TFormFountainEditor::Execute(TFountain& fountain, QWidget* parent, const QFont& font,
                                  const QColor& background, const QColor& text) {
    TFormFountainEditor dlg(fountain, font, background, text, parent);
    if (dlg.exec() != QDialog::Accepted) return false;
    fountain.Assign(dlg.Edited());
    return true;
}
