// The logical lines of an editor's row store as lines to print, read when the layout asks.
#pragma once

#include "print/PageLayout.h"
#include "text/LinesView.h"

#include <memory>

class TStorePrintLines : public TPrintLines {
  public:
    explicit TStorePrintLines(std::shared_ptr<TEditorScreenStrings> store)
        : store_(std::move(store)), lines_(store_.get()) {}
    std::size_t Count() const override { return static_cast<std::size_t>(lines_.Count()); }
    std::string_view Line(std::size_t i, std::string& buf) const override {
        buf = lines_.Get(static_cast<int>(i));
        return buf;
    }

  private:
    std::shared_ptr<TEditorScreenStrings> store_;
    TEditorStrings lines_;
};
