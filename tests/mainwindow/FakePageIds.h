// The fake page host with page ids that follow moves and closes.
#pragma once

#include "FakePageHost.h"

class FakePageIdsHost : public FakePageHost, public TPageIds {
  public:
    std::vector<int> ids;
    void InsertPage(const std::string& caption, const std::string& path) override {
        FakePageHost::InsertPage(caption, path);
        ids.push_back(nextId_++);
    }
    void RemovePage(int i) override {
        FakePageHost::RemovePage(i);
        ids.erase(ids.begin() + i);
    }
    void MovePage(int from, int to) override {
        FakePageHost::MovePage(from, to);
        const int id = ids.at(from);
        ids.erase(ids.begin() + from);
        ids.insert(ids.begin() + to, id);
    }
    int PageId(int index) const override { return ids.at(index); }
    int IndexOfPage(int id) const override {
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == id) return static_cast<int>(i);
        return -1;
    }

  private:
    int nextId_ = 7;
};
