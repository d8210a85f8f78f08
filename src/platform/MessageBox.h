// Message boxes as the core asks for them. The core only describes the box; the asker its caller
// hands it (the Qt layer's, or a test's) shows it. Texts are UTF-8 and keep the program's "\r\n"
// breaks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The application title: caption of plain notices and the title a second start looks for.
inline constexpr std::string_view kAppTitle = "トルモ -Tolmo-";
// Caption of Yes/No questions.
inline constexpr std::string_view kConfirmCaption = "確認";

enum class TMsgIcon { None, Information, Question, Warning, Error };

// Every box carries a caption: the program's own unless one is given, so that a box never shows
// up under the bare application name the window system would put there.
struct TMessage {
    std::string caption = std::string(kAppTitle);
    std::string text;
    TMsgIcon icon = TMsgIcon::None;
    bool yesNo = false;     // Yes and No buttons; otherwise one OK button
    bool defaultYes = true; // the default button of a Yes/No box
    // A box of its own buttons (Choose): the first is the default, the last answers Escape.
    std::vector<std::string> buttons;
};

// Whoever shows the boxes: the window layer's Qt boxes, or a test's recording fake. A core
// operation that needs the user's answer is given one by its caller; nothing in the core reaches
// for one of its own.
class TAsker {
  public:
    virtual ~TAsker() = default;
    // Shows the box and waits; true for Yes (and for OK).
    virtual bool Show(const TMessage& m) = 0;
    // Shows a box of m.buttons and waits; the index of the button pressed. An asker that knows
    // only Yes and No shows the question and takes Yes for the first button, No for the last.
    virtual int Choose(const TMessage& m) {
        TMessage yesNo = m;
        yesNo.yesNo = true;
        yesNo.defaultYes = true;
        return Show(yesNo) ? 0 : static_cast<int>(m.buttons.size()) - 1;
    }

    // Yes/No box, caption "確認", question icon; true for Yes.
    bool AskYesNo(std::string_view msg, bool defaultYes);
    // As AskYesNo with the given caption ("確認" when the caption is blank).
    bool AskYesNoTitled(std::string_view msg, std::string_view caption, bool defaultYes);
    // A question with the given buttons (the first the default, the last taken by Escape),
    // caption "確認" when blank, question icon; the index of the button pressed.
    int AskChoice(std::string_view msg, std::string_view caption,
                  const std::vector<std::string>& buttons);
    // OK box with the information icon; caption "確認" when blank.
    void InfoBox(std::string_view msg, std::string_view caption);
    // Plain notice: the application title as caption and an OK button.
    void ShowMessage(std::string_view msg);
    // Notice with the information icon: the application title as caption and an OK button.
    void ShowNotice(std::string_view msg);
    // The default error box: an error that no handler caught, with its text.
    void ShowErrorBox(std::string_view msg);
};

// Boxes written to stderr, each answered with its default button: for a run without a window.
class TConsoleAsker final : public TAsker {
  public:
    bool Show(const TMessage& m) override;
};

// A message's text as a box shows it: each "\r\n" and each lone "\r" a plain line break.
std::string MessageLines(std::string_view text);
// The caption a box is shown with: its own, or the application title when that is blank.
std::string BoxCaption(const TMessage& m);
