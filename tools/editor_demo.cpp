// A manual look at the editing control alone: opens it in a window with a sample text.
// Build target editor_demo; TOLMO_EDITOR_DEMO_CLIP puts a text on the clipboard first.
#include "editor/ProgramPropertySets.h"
#include "editor/ui/EditorWidget.h"
#include "platform/Cp932.h"

#include <QApplication>
#include <QClipboard>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TEditor ed;
    TEditorProp p = MakeEditorProp_Default();
    p.Leftbar.SetVisible(true);
    p.Marks.Underline.SetVisible(true);
    p.WrapOption.SetWrapByte(40);
    p.AssignTo(ed.Core());
    ed.SetText(Utf8ToCp932("トルモの編集コントロール。日本語の文章を折り返して表示します。"
                           "http://example.com/ の URL も色付けされます。\r\n\r\n    字下げした行\r\n"
                           "abc\tdef\r\n"));
    ed.resize(640, 400);
    ed.setWindowTitle("Tolmo editor");
    if (!qEnvironmentVariableIsEmpty("TOLMO_EDITOR_DEMO_CLIP"))
        QGuiApplication::clipboard()->setText(qEnvironmentVariable("TOLMO_EDITOR_DEMO_CLIP"));
    ed.show();
    return QApplication::exec();
}
