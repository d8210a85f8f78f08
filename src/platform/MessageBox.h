// Message boxes as the core asks for them. The core only describes the box; the Qt layer (or a
// test) installs the sink that shows it. Texts are UTF-8 and keep the program's "\r\n" breaks.
#pragma once

#include <string>
#include <string_view>

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
};

class TMessageSink {
  public:
    virtual ~TMessageSink() = default;
    // Shows the box and waits; true for Yes (and for OK).
    virtual bool Show(const TMessage& m) = 0;
};

// A message's text as a box shows it: each "\r\n" and each lone "\r" a plain line break.
std::string MessageLines(std::string_view text);

// The sink in use. Without one installed, boxes go to stderr and take their default button.
TMessageSink& MessageSink();
void SetMessageSink(TMessageSink* sink);

// Installs a sink for the lifetime of the object and restores the previous one afterwards.
class TScopedMessageSink {
  public:
    explicit TScopedMessageSink(TMessageSink* sink);
    ~TScopedMessageSink();
    TScopedMessageSink(const TScopedMessageSink&) = delete;
    TScopedMessageSink& operator=(const TScopedMessageSink&) = delete;

  private:
    TMessageSink* previous_;
};

// Yes/No box, caption "確認", question icon; true for Yes.
bool AskYesNo(std::string_view msg, bool defaultYes);
// As AskYesNo with the given caption ("確認" when the caption is blank).
bool AskYesNoTitled(std::string_view msg, std::string_view caption, bool defaultYes);
// OK box with the information icon; caption "確認" when blank.
void InfoBox(std::string_view msg, std::string_view caption);
// Plain notice: the application title as caption and an OK button.
void ShowMessage(std::string_view msg);
// Notice with the information icon: the application title as caption and an OK button.
void ShowNotice(std::string_view msg);
// The caption a box is shown with: its own, or the application title when that is blank.
std::string BoxCaption(const TMessage& m);
// The default error box: an error that no handler caught, with its text.
void ShowErrorBox(std::string_view msg);
