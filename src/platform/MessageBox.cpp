// The boxes the program asks for, built once for every asker.
#include "platform/MessageBox.h"

#include "platform/TextUtil.h"

#include <cstdio>

namespace {

std::string captionOr(std::string_view caption, std::string_view fallback) {
    return std::string(TrimView(caption).empty() ? fallback : caption);
}

} // namespace

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

bool TAsker::AskYesNo(std::string_view msg, bool defaultYes) {
    return AskYesNoTitled(msg, kConfirmCaption, defaultYes);
}

bool TAsker::AskYesNoTitled(std::string_view msg, std::string_view caption, bool defaultYes) {
    TMessage m;
    m.caption = captionOr(caption, kConfirmCaption);
    m.text = std::string(msg);
    m.icon = TMsgIcon::Question;
    m.yesNo = true;
    m.defaultYes = defaultYes;
    return Show(m);
}

void TAsker::InfoBox(std::string_view msg, std::string_view caption) {
    TMessage m;
    m.caption = captionOr(caption, kConfirmCaption);
    m.text = std::string(msg);
    m.icon = TMsgIcon::Information;
    Show(m);
}

void TAsker::ShowMessage(std::string_view msg) {
    TMessage m;
    m.caption = std::string(kAppTitle);
    m.text = std::string(msg);
    Show(m);
}

int TAsker::AskChoice(std::string_view msg, std::string_view caption,
                      const std::vector<std::string>& buttons) {
    TMessage m;
    m.caption = captionOr(caption, kConfirmCaption);
    m.text = std::string(msg);
    m.icon = TMsgIcon::Question;
    m.buttons = buttons;
    return Choose(m);
}

void TAsker::ShowNotice(std::string_view msg) {
    TMessage m;
    m.text = std::string(msg);
    m.icon = TMsgIcon::Information;
    Show(m);
}

bool TConsoleAsker::Show(const TMessage& m) {
    std::fprintf(stderr, "[%s] %s\n", BoxCaption(m).c_str(), m.text.c_str());
    return !m.yesNo || m.defaultYes;
}

std::string BoxCaption(const TMessage& m) {
    return captionOr(m.caption, kAppTitle);
}

void TAsker::ShowErrorBox(std::string_view msg) {
    TMessage m;
    m.caption = std::string(kAppTitle);
    m.text = std::string(msg);
    m.icon = TMsgIcon::Error;
    Show(m);
}
