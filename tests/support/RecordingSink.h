// A recording asker put in place of the window layer's for its lifetime (widget tests).
#pragma once

#include "RecordingAsker.h"

class RecordingSink : public RecordingAsker {
  public:
    RecordingSink() : scope_(this) {}

  private:
    TScopedMessageSink scope_;
};
