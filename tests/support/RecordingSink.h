// A message sink for tests: records every box and answers Yes/No boxes from a queue (the box's
// default button when the queue is empty). Installed for its lifetime.
#pragma once

#include "platform/MessageBox.h"

#include <deque>
#include <string>
#include <vector>

class RecordingSink : public TMessageSink {
  public:
    RecordingSink() : scope_(this) {}
    bool Show(const TMessage& m) override {
        boxes.push_back(m);
        if (!m.yesNo) return true;
        if (answers.empty()) return m.defaultYes;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& b : boxes)
            t.push_back(b.text);
        return t;
    }
    std::vector<TMessage> boxes;
    std::deque<bool> answers;

  private:
    TScopedMessageSink scope_;
};
