// TheStringList: items with two strings, an object pointer and two data words.
#include "text/StringList.h"

#include <cstdio>
#include <utility>

namespace {
std::string IndexMessage(int index) {
    char buf[32];
    std::snprintf(buf, sizeof buf, " (%d)", index);
    return std::string("リストのインデックスが範囲を超えています") + buf;
}
} // namespace

EListError::EListError(int index) : std::out_of_range(IndexMessage(index)), FIndex(index) {}

void CheckListIndex(int index, int limit) {
    if (index < 0 || index >= limit) throw EListError(index);
}

const TheStringList::Item& TheStringList::At(int i) const {
    CheckListIndex(i, Count());
    return FItems[static_cast<size_t>(i)];
}
const std::string& TheStringList::Get(int i) const {
    return At(i).Text;
}
const std::string& TheStringList::DataStr(int i) const {
    return At(i).DataStr;
}
void* TheStringList::Object(int i) const {
    return At(i).Object;
}
uint32_t TheStringList::DataA(int i) const {
    return At(i).DataA;
}
uint32_t TheStringList::DataB(int i) const {
    return At(i).DataB;
}

void TheStringList::Put(int i, const std::string& s) {
    CheckListIndex(i, Count());
    Changing();
    FItems[static_cast<size_t>(i)].Text = s;
    Changed();
}
void TheStringList::SetDataStr(int i, const std::string& s) {
    CheckListIndex(i, Count());
    Changing();
    FItems[static_cast<size_t>(i)].DataStr = s;
    Changed();
}
void TheStringList::SetObject(int i, void* o) {
    CheckListIndex(i, Count());
    Changing();
    FItems[static_cast<size_t>(i)].Object = o;
    Changed();
}
void TheStringList::SetDataA(int i, uint32_t v) {
    CheckListIndex(i, Count());
    Changing();
    FItems[static_cast<size_t>(i)].DataA = v;
    Changed();
}
void TheStringList::SetDataB(int i, uint32_t v) {
    CheckListIndex(i, Count());
    Changing();
    FItems[static_cast<size_t>(i)].DataB = v;
    Changed();
}

void TheStringList::Grow() {
    int delta = FCapacity > 64 ? FCapacity / 4 : (FCapacity > 8 ? 16 : 4);
    FCapacity += delta;
    FItems.reserve(static_cast<size_t>(FCapacity));
}

int TheStringList::Add(const std::string& s) {
    int n = Count();
    Insert(n, s);
    return n;
}

void TheStringList::Insert(int i, const std::string& s) {
    CheckListIndex(i, Count() + 1);
    Changing();
    if (Count() == FCapacity) Grow();
    Item item;
    item.Text = s;
    FItems.insert(FItems.begin() + i, std::move(item));
    Changed();
}

void TheStringList::Delete(int i) {
    CheckListIndex(i, Count());
    Changing();
    FItems.erase(FItems.begin() + i);
    Changed();
}

void TheStringList::Exchange(int i, int j) {
    CheckListIndex(i, Count());
    CheckListIndex(j, Count());
    Changing();
    std::swap(FItems[static_cast<size_t>(i)], FItems[static_cast<size_t>(j)]);
    Changed();
}

void TheStringList::Clear() {
    if (FItems.empty() && FCapacity == 0) return;
    Changing();
    FItems.clear();
    FItems.shrink_to_fit();
    FCapacity = 0;
    Changed();
}

void TheStringList::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TheStringList::Changing() {
    if (FUpdateCount == 0 && OnChanging) OnChanging();
}
void TheStringList::Changed() {
    if (FUpdateCount == 0 && OnChange) OnChange();
}
