// An asker for tests: records every box and answers Yes/No boxes from a queue (the box's default
// button when the queue is empty), boxes of their own buttons from another. A test hands it to
// the operation it checks. A box without a caption fails the test that made it: the window
// system would show the bare application name there.
#pragma once

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

class RecordingAsker : public TAsker {
  public:
    bool Show(const TMessage& m) override {
        EXPECT_NE(m.caption.find_first_not_of(' '), std::string::npos) << "no caption: " << m.text;
        boxes.push_back(m);
        if (!m.yesNo) return true;
        if (answers.empty()) return m.defaultYes;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    // Boxes of their own buttons answer from choices (the first button when it is empty).
    int Choose(const TMessage& m) override {
        EXPECT_NE(m.caption.find_first_not_of(' '), std::string::npos) << "no caption: " << m.text;
        boxes.push_back(m);
        if (choices.empty()) return 0;
        const int c = choices.front();
        choices.pop_front();
        return c;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& b : boxes)
            t.push_back(b.text);
        return t;
    }
    std::vector<TMessage> boxes;
    std::deque<bool> answers;
    std::deque<int> choices;
};
