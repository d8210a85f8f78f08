// Colours, fonts, glyph cache, cursors and clipboard data of the editor widget.
#include "editor/ui/QtConversions.h"

#include "app/ui/QtFont.h"
#include "editor/BoxClipboard.h"
#include "editor/FontChoice.h"
#include "platform/Cp932.h"
#include "text/DocumentCodec.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <unordered_map>

// What the font database knows of a face, asked once per face.
TFaceInfo InstalledFaceInfo(const std::string& name) {
    static std::unordered_map<std::string, TFaceInfo> cache;
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    TFaceInfo info;
    const QString family = QString::fromStdString(name);
    info.Installed = QFontDatabase::families().contains(family);
    if (info.Installed) {
        info.Japanese = QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
        // A face that claims a fixed pitch, or whose "i" and "M" share one advance: fontconfig
        // marks the Japanese ones "dual" (full-width glyphs take two), which Qt does not count
        // as fixed, and leaves some unmarked.
        QFont f(family, 12);
        f.setStyleStrategy(QFont::NoFontMerging);
        const QFontMetrics fm{f};
        info.FixedPitch =
            QFontDatabase::isFixedPitch(family) ||
            fm.horizontalAdvance(QLatin1Char('i')) == fm.horizontalAdvance(QLatin1Char('M'));
    }
    cache.emplace(name, info);
    return info;
}

QString DrawingFace(const std::string& name) {
    static std::unordered_map<std::string, QString> cache;
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    const QString face = QString::fromStdString(ChooseEditorFace(name, InstalledFaceInfo));
    cache.emplace(name, face);
    return face;
}

QFont ToQFont(const TEditorFont& f) {
    return ToQFont(EditorFontRequest(DrawingFace(f.Name).toStdString(), f.Height, f.Style));
}

static QString Cp932Glyph(std::string_view ch) {
    static std::unordered_map<unsigned, QString> cache;
    unsigned key = static_cast<unsigned char>(ch[0]);
    if (ch.size() > 1) key = key << 8 | static_cast<unsigned char>(ch[1]);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    const std::u16string u = Cp932ToUtf16(ch);
    QString s = QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
    cache.emplace(key, s);
    return s;
}

QString DocumentGlyph(std::string_view ch, const TCharTable* table) {
    if (table && ch.size() == 2 &&
        TCharTable::IsTableCode(static_cast<unsigned char>(ch[0]),
                                static_cast<unsigned char>(ch[1]))) {
        const std::u16string u = DocumentToUtf16(ch, table);
        return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
    }
    return Cp932Glyph(ch);
}

QCursor ToQCursor(TCursor c) {
    return c == edc::crIBeam         ? Qt::IBeamCursor
           : c == edc::crDrag        ? Qt::DragMoveCursor
           : c == edc::crDragSelCopy ? Qt::DragCopyCursor
           : c == edc::crRightArrow  ? Qt::PointingHandCursor
                                     : Qt::ArrowCursor;
}

// Clipboard data, its line ends LF: plain text (converted from the document's bytes) and, for box
// text, the private type.
static QMimeData* MakeEditorMime(const std::string& bytes, bool box, const TCharTable* table) {
    auto* mime = new QMimeData;
    const std::string cp932 = ClipboardLineEnds(bytes);
    const std::u16string u = DocumentToUtf16(cp932, table);
    QString text = QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
    mime->setText(text);
    if (box) {
        const std::string payload = BoxTextPayload(cp932);
        mime->setData(BoxTextMimeType,
                      QByteArray(payload.data(), static_cast<qsizetype>(payload.size())));
    }
    return mime;
}

std::string EditorMimeText(const QMimeData* mime, bool& box, int& lost,
                           const TPasteConvert& convert, const TCharTable* table) {
    box = false;
    lost = 0;
    if (!mime || !mime->hasText()) return {};
    const QString t = mime->text();
    box = mime->hasFormat(BoxTextMimeType);
    const QByteArray b = mime->data(BoxTextMimeType);
    const std::string payload(b.constData(), static_cast<size_t>(b.size()));
    return PastedBytes(std::u16string_view(reinterpret_cast<const char16_t*>(t.utf16()),
                                           static_cast<size_t>(t.size())),
                       box ? &payload : nullptr, table, convert, lost);
}

QString LostCharsMessage(int lost) {
    return QString("シフトJISで表せない文字が %1 文字あったため、「?」に置き換えました。")
        .arg(lost);
}

int ToTableKey(int k, Qt::KeyboardModifiers mods) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return tkey::F1 + (k - Qt::Key_F1);
    if ((mods & Qt::ControlModifier) && (mods & Qt::ShiftModifier)) {
        // The digit row with Shift held, on a US layout.
        static const int shifted[] = {Qt::Key_ParenRight,  Qt::Key_Exclam,    Qt::Key_At,
                                      Qt::Key_NumberSign,  Qt::Key_Dollar,    Qt::Key_Percent,
                                      Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,
                                      Qt::Key_ParenLeft};
        for (int n = 0; n <= 9; ++n)
            if (k == shifted[n]) return '0' + n;
    }
    static const std::pair<int, int> keys[] = {
        {Qt::Key_Left, tkey::Left},     {Qt::Key_Right, tkey::Right},
        {Qt::Key_Up, tkey::Up},         {Qt::Key_Down, tkey::Down},
        {Qt::Key_Home, tkey::Home},     {Qt::Key_End, tkey::End},
        {Qt::Key_PageUp, tkey::PageUp}, {Qt::Key_PageDown, tkey::PageDown},
        {Qt::Key_Return, tkey::Return}, {Qt::Key_Enter, tkey::Return},
        {Qt::Key_Tab, tkey::Tab},       {Qt::Key_Backspace, tkey::Backspace},
        {Qt::Key_Delete, tkey::Delete}, {Qt::Key_Insert, tkey::Insert},
        {Qt::Key_Escape, tkey::Escape}};
    if (k == Qt::Key_Shift || k == Qt::Key_Control)
        return k == Qt::Key_Shift ? tkey::Shift : tkey::Control;
    if (k == Qt::Key_CapsLock || k == Qt::Key_NumLock || k == Qt::Key_Kana_Lock ||
        k == Qt::Key_Kana_Shift)
        return tkey::LockKey;
    for (const auto& [qt, key] : keys)
        if (k == qt) return key;
    return 0;
}

unsigned ToTableModifiers(Qt::KeyboardModifiers mods) {
    unsigned m = kmNone;
    if (mods & Qt::ShiftModifier) m |= kmShift;
    if (mods & Qt::ControlModifier) m |= kmCtrl;
    if (mods & Qt::AltModifier) m |= kmAlt;
    return m;
}

QKeySequence ToKeySequence(const std::string& text) {
    return text.empty() ? QKeySequence() : QKeySequence(QString::fromStdString(text));
}

std::string TQtEditorClipboard::Text(bool& box) {
    int lost = 0;
    std::string s =
        EditorMimeText(QGuiApplication::clipboard()->mimeData(), box, lost, convert, table);
    if (lost && warn_ && !s.empty()) warn_(LostCharsMessage(lost));
    return s;
}

void TQtEditorClipboard::SetText(const std::string& cp932, bool box) {
    QGuiApplication::clipboard()->setMimeData(MakeEditorMime(cp932, box, table));
}

bool TQtEditorClipboard::HasText() const {
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    return m && m->hasText();
}
