// The dialog description's helpers and the state a dialog's rules keep for its controls.
#include "app/Form.h"

#include <algorithm>

std::vector<std::string> SplitItems(std::string_view items) {
    std::vector<std::string> out;
    if (items.empty()) return out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t bar = items.find('|', from);
        out.emplace_back(items.substr(from, bar - from));
        if (bar == std::string_view::npos) break;
        from = bar + 1;
    }
    return out;
}

TControl GridCell(TCtl kind, const char* name, const char* caption, const char* parent, int row,
                  int col, int rowSpan, int colSpan, unsigned flags) {
    return {.Kind = kind,
            .Name = name,
            .Caption = caption,
            .Parent = parent,
            .Row = row,
            .Col = col,
            .RowSpan = rowSpan,
            .ColSpan = colSpan,
            .Flags = flags};
}

TControl FixedCell(TCtl kind, const char* name, const char* caption, const char* parent, int x,
                   int y, int w, int h, unsigned flags) {
    return GridCell(kind, name, caption, parent, y, x, h, w, flags);
}

TControl FixedLabel(const char* parent, const char* caption, int x, int y, int w) {
    return FixedCell(TCtl::Label, "", caption, parent, x, y, w);
}

int NextVisible(const std::vector<bool>& visible, int current, int step) {
    const int n = static_cast<int>(visible.size());
    int i = current;
    for (int k = 0; k < n; ++k) {
        i = ((i + step) % n + n) % n;
        if (visible[static_cast<std::size_t>(i)]) return i;
    }
    return current;
}

const TControlState* TFormModel::Find(const std::string& name) const {
    auto it = state_.find(name);
    return it == state_.end() ? nullptr : &it->second;
}

int TFormModel::Int(const std::string& name) const {
    const TControlState* s = Find(name);
    return s ? s->Int : 0;
}

const std::string& TFormModel::Text(const std::string& name) const {
    static const std::string empty;
    const TControlState* s = Find(name);
    return s ? s->Text : empty;
}

const std::vector<std::string>& TFormModel::Items(const std::string& name) const {
    static const std::vector<std::string> none;
    const TControlState* s = Find(name);
    return s ? s->Items : none;
}

const std::string& TFormModel::Choice(const std::string& name) const {
    const std::vector<std::string>& items = Items(name);
    const int i = Int(name);
    return i >= 0 && i < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(i)]
                                                        : Text(name);
}

bool HoldsControls(TCtl k) {
    return k == TCtl::Box || k == TCtl::Group || k == TCtl::Panel || k == TCtl::Page ||
           k == TCtl::Tabs || k == TCtl::Stack;
}

bool LaysOutChildren(TCtl k) {
    return HoldsControls(k) && k != TCtl::Tabs && k != TCtl::Stack;
}

bool CaptionIsText(TCtl k) {
    return k != TCtl::Combo && k != TCtl::ComboEdit && k != TCtl::ColorButton;
}

bool TFormModel::Enabled(const std::string& name) const {
    const TControlState* s = Find(name);
    return !s || s->Enabled;
}

bool TFormModel::Visible(const std::string& name) const {
    const TControlState* s = Find(name);
    return !s || s->Visible;
}

void TFormModel::SetInt(const std::string& name, int v) {
    state_[name].Int = v;
    changed_[name] |= wInt;
}

void TFormModel::SetText(const std::string& name, const std::string& t) {
    state_[name].Text = t;
    changed_[name] |= wText;
}

void TFormModel::SetItems(const std::string& name, std::vector<std::string> items) {
    state_[name].Items = std::move(items);
    changed_[name] |= wItems;
}

void TFormModel::SetEnabled(const std::string& name, bool v) {
    state_[name].Enabled = v;
    changed_[name] |= wEnabled;
}

void TFormModel::SetVisible(const std::string& name, bool v) {
    state_[name].Visible = v;
    changed_[name] |= wVisible;
}

void TFormModel::SetEnabled(std::initializer_list<const char*> names, bool v) {
    for (const char* n : names)
        SetEnabled(n, v);
}

std::map<std::string, unsigned> TFormModel::TakeChanged() {
    std::map<std::string, unsigned> out;
    out.swap(changed_);
    return out;
}

void TFormModel::Seed(const TControl& c) {
    if (!c.Name[0] || Find(c.Name)) return;
    switch (c.Kind) {
    case TCtl::Label:
    case TCtl::Edit:
        UserText(c.Name, c.Caption);
        break;
    case TCtl::Spin:
        UserInt(c.Name, std::max(c.Min, std::min(0, std::max(c.Min, c.Max))));
        break;
    case TCtl::Combo:
    case TCtl::ComboEdit: {
        const std::vector<std::string> items = SplitItems(c.Items);
        UserText(c.Name, items.empty() ? std::string() : items.front());
        UserInt(c.Name, items.empty() ? -1 : 0);
        break;
    }
    case TCtl::Check:
    case TCtl::ColorButton: // black
        UserInt(c.Name, 0);
        break;
    default:
        if (c.Flags & fRadios) UserInt(c.Name, -1);
        break;
    }
}
