// TheStringList: an ordered list of items with two strings, an object pointer and two data words.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Raised for every list access outside the valid range; the message names the index.
class EListError : public std::out_of_range {
  public:
    explicit EListError(int index);
    int Index() const { return FIndex; }

  private:
    int FIndex;
};

// Throws EListError(index) unless 0 <= index < limit.
void CheckListIndex(int index, int limit);

class TheStringList {
  public:
    struct Item {
        std::string Text;
        std::string DataStr;
        void* Object = nullptr; // not owned
        uint32_t DataA = 0;
        uint32_t DataB = 0;
    };

    TheStringList() = default;
    virtual ~TheStringList() = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    // Capacity grows by 4 up to 8 items, by 16 up to 64, then by a quarter.
    int Capacity() const { return FCapacity; }

    const std::string& Get(int i) const;
    void Put(int i, const std::string& s);
    const std::string& DataStr(int i) const;
    void SetDataStr(int i, const std::string& s);
    void* Object(int i) const;
    void SetObject(int i, void* o);
    uint32_t DataA(int i) const;
    void SetDataA(int i, uint32_t v);
    uint32_t DataB(int i) const;
    void SetDataB(int i, uint32_t v);
    const Item& At(int i) const;

    int Add(const std::string& s);
    void Insert(int i, const std::string& s); // 0 <= i <= Count
    void Delete(int i);
    void Exchange(int i, int j);
    void Clear();

    // Nested; OnChanging/OnChange fire only outside an update.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    std::function<void()> OnChanging;
    std::function<void()> OnChange;

  protected:
    virtual void Changing();
    virtual void Changed();

  private:
    void Grow();
    std::vector<Item> FItems;
    int FCapacity = 0;
    int FUpdateCount = 0;
};
