// The message-box front: builds the boxes the program asks for and hands them to the sink.
#include "platform/MessageBox.h"

#include "platform/TextUtil.h"

#include <cstdio>

namespace {

class TConsoleSink final : public TMessageSink {
  public:
    bool Show(const TMessage& m) override {
        std::fprintf(stderr, "[%s] %s\n", BoxCaption(m).c_str(), m.text.c_str());
        return !m.yesNo || m.defaultYes;
    }
};

TConsoleSink consoleSink;
TMessageSink* currentSink = nullptr;

std::string captionOr(std::string_view caption, std::string_view fallback) {
    return std::string(TrimView(caption).empty() ? fallback : caption);
}

} // namespace

TMessageSink& MessageSink() {
    return currentSink ? *currentSink : consoleSink;
}
std::string MessageLines(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            s += text[i];
        } else {
            s += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
    }
    return s;
}

void SetMessageSink(TMessageSink* sink) {
    currentSink = sink;
}

TScopedMessageSink::TScopedMessageSink(TMessageSink* sink) : previous_(currentSink) {
    currentSink = sink;
}
TScopedMessageSink::~TScopedMessageSink() {
    currentSink = previous_;
}

bool AskYesNo(std::string_view msg, bool defaultYes) {
    return AskYesNoTitled(msg, kConfirmCaption, defaultYes);
}

bool AskYesNoTitled(std::string_view msg, std::string_view caption, bool defaultYes) {
    TMessage m;
    m.caption = captionOr(caption, kConfirmCaption);
    m.text = std::string(msg);
    m.icon = TMsgIcon::Question;
    m.yesNo = true;
    m.defaultYes = defaultYes;
    return MessageSink().Show(m);
}

void InfoBox(std::string_view msg, std::string_view caption) {
    TMessage m;
    m.caption = captionOr(caption, kConfirmCaption);
    m.text = std::string(msg);
    m.icon = TMsgIcon::Information;
    MessageSink().Show(m);
}

void ShowMessage(std::string_view msg) {
    TMessage m;
    m.caption = std::string(kAppTitle);
    m.text = std::string(msg);
    MessageSink().Show(m);
}

void ShowNotice(std::string_view msg) {
    TMessage m;
    m.text = std::string(msg);
    m.icon = TMsgIcon::Information;
    MessageSink().Show(m);
}

std::string BoxCaption(const TMessage& m) {
    return captionOr(m.caption, kAppTitle);
}

void ShowErrorBox(std::string_view msg) {
    TMessage m;
    m.caption = std::string(kAppTitle);
    m.text = std::string(msg);
    m.icon = TMsgIcon::Error;
    MessageSink().Show(m);
}
