// A recording asker put in place of the window layer's Qt boxes for its lifetime (widget tests).
#pragma once

#include "RecordingAsker.h"
#include "platform/ui/QtMessageSink.h"

class RecordingSink : public RecordingAsker {
  public:
    RecordingSink() : scope_(this) {}

  private:
    TScopedWindowAsker scope_;
};
