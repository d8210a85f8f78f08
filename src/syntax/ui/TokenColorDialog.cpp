// The token colour dialog and its sample painting.
#include "syntax/ui/TokenColorDialog.h"

#include "app/ui/ColorButton.h"
#include "platform/Cp932.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>
#include <map>

namespace {

// Captions of the token kinds' colour items.
QString KindCaption(const char* name) {
    static const std::map<std::string, const char*> captions = {
        {"Reserve", "予約語"},      {"Ank", "英数字の語"},    {"AsmBlock", "asm ブロック"},
        {"Comment", "コメント"},    {"DBCS", "全角文字"},     {"Int", "数値"},
        {"Str", "文字列"},          {"Symbol", "記号"},       {"Ampersand", "文字参照 (&...;)"},
        {"Mail", "メールアドレス"}, {"TagAttribute", "属性"}, {"TagAttributeValue", "属性の値"},
        {"TagColor", "タグ"},       {"TagElement", "要素名"}, {"Url", "URL"},
    };
    auto it = captions.find(name);
    return it != captions.end() ? QString::fromUtf8(it->second) : QString::fromUtf8(name);
}

QString FromCp932(std::string_view s) {
    const std::u16string u = Cp932ToUtf16(s);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

// Sample texts by the definition's first extension.
std::vector<std::string> SampleRows(const TFountain& f) {
    const bool html = !f.FileExtList().empty() && f.FileExtList().front().rfind(".htm", 0) == 0;
    std::vector<const char*> utf8;
    if (html)
        utf8 = {"<!-- トルモのメモ -->", "<p class=\"memo\" id=note>今日の予定 &amp; 買い物</p>",
                "<a href=\"http://example.jp/\">リンク</a> mail@example.jp",
                "http://example.jp/memo.html"};
    else
        utf8 = {"{ トルモのメモ }", "procedure Sample(const S: string);",
                "var N: Integer; // 数える", "begin N := 10 + $1F; Writeln('日本語の文字列'); end;",
                "asm mov eax, 1 end;"};
    std::vector<std::string> rows;
    for (const char* s : utf8)
        rows.push_back(Utf8ToCp932(s));
    return rows;
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
    : QDialog(parent), FCopy(fountain.CreateEmpty()) {
    FCopy->Assign(fountain);
    QString name = QString::fromStdString(fountain.Name());
    if (name.endsWith(QLatin1String("Fountain1"))) name.chop(9);
    setWindowTitle(QStringLiteral("トークンの色 - ") + name);
    for (const auto& [n, c] : FCopy->ColorItems())
        FItems.push_back({KindCaption(n), c});
    for (int i = 0; i < FCopy->Brackets().Count(); ++i) {
        TFountainBracketItem& b = FCopy->Brackets().Items(i);
        FItems.push_back({QStringLiteral("範囲 %1 … %2")
                              .arg(FromCp932(b.LeftBracket()), FromCp932(b.RightBracket())),
                          &b.ItemColor()});
    }

    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    lstTokens = new QListWidget;
    for (const Item& i : FItems)
        lstTokens->addItem(i.caption);
    lstTokens->setMinimumWidth(180);
    auto* left = new QVBoxLayout;
    auto* lbl = new QLabel(QStringLiteral("トークンの種類(&K):"));
    lbl->setBuddy(lstTokens);
    left->addWidget(lbl);
    left->addWidget(lstTokens);
    row->addLayout(left);
    auto* g = new QGroupBox(QStringLiteral("色と書体"));
    auto* form = new QFormLayout(g);
    btnColor = new TColorButton(true);
    btnBkColor = new TColorButton(true);
    form->addRow(QStringLiteral("文字色:"), btnColor);
    form->addRow(QStringLiteral("背景色:"), btnBkColor);
    cbBold = new QCheckBox(QStringLiteral("太字(&B)"));
    cbItalic = new QCheckBox(QStringLiteral("斜体(&I)"));
    cbUnderline = new QCheckBox(QStringLiteral("下線(&U)"));
    cbStrikeOut = new QCheckBox(QStringLiteral("取り消し線(&S)"));
    for (QCheckBox* c : {cbBold, cbItalic, cbUnderline, cbStrikeOut}) {
        form->addRow(c);
        connect(c, &QCheckBox::toggled, this, [this] { storeItem(); });
    }
    form->addRow(new QLabel(QStringLiteral("「既定」はエディタの色です。")));
    row->addWidget(g, 1);
    top->addLayout(row);
    top->addWidget(new QLabel(QStringLiteral("見本:")));
    Sample = new TTokenSample(*FCopy, font, background, text);
    Sample->SetRows(SampleRows(*FCopy));
    top->addWidget(Sample);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    top->addWidget(buttons);

    connect(btnColor, &TColorButton::ColorChanged, this, [this] { storeItem(); });
    connect(btnBkColor, &TColorButton::ColorChanged, this, [this] { storeItem(); });
    connect(lstTokens, &QListWidget::currentRowChanged, this, [this] { showItem(); });
    lstTokens->setCurrentRow(0);
}

TFormFountainEditor::~TFormFountainEditor() = default;

void TFormFountainEditor::showItem() {
    const int i = lstTokens->currentRow();
    if (i < 0 || i >= static_cast<int>(FItems.size())) return;
    const TFountainColor& c = *FItems[static_cast<std::size_t>(i)].color;
    FFilling = true;
    btnColor->SetColor(c.Color());
    btnBkColor->SetColor(c.BkColor());
    cbBold->setChecked(c.Style() & fsBold);
    cbItalic->setChecked(c.Style() & fsItalic);
    cbUnderline->setChecked(c.Style() & fsUnderline);
    cbStrikeOut->setChecked(c.Style() & fsStrikeOut);
    FFilling = false;
}

void TFormFountainEditor::storeItem() {
    const int i = lstTokens->currentRow();
    if (FFilling || i < 0 || i >= static_cast<int>(FItems.size())) return;
    TFountainColor& c = *FItems[static_cast<std::size_t>(i)].color;
    c.SetColor(btnColor->Color());
    c.SetBkColor(btnBkColor->Color());
    c.SetStyle((cbBold->isChecked() ? fsBold : 0) | (cbItalic->isChecked() ? fsItalic : 0) |
               (cbUnderline->isChecked() ? fsUnderline : 0) |
               (cbStrikeOut->isChecked() ? fsStrikeOut : 0));
    Sample->update();
}

bool TFormFountainEditor::Execute(TFountain& fountain, QWidget* parent, const QFont& font,
                                  const QColor& background, const QColor& text) {
    TFormFountainEditor dlg(fountain, font, background, text, parent);
    if (dlg.exec() != QDialog::Accepted) return false;
    fountain.Assign(dlg.Edited());
    return true;
}
