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

std::string AccessibleNameOf(const TFormDesc& desc, std::size_t i) {
    const TControl& c = desc[i];
    auto plain = [](std::string_view t) {
        std::string out;
        for (std::size_t k = 0; k < t.size(); ++k)
            if (t[k] != '&' || (k + 1 < t.size() && t[k + 1] == '&' && ++k)) out += t[k];
        // A mnemonic in brackets at the end ("保存(&S)") says nothing when read.
        if (const std::size_t b = out.rfind('(');
            b != std::string::npos && out.size() - b == 3 && out.back() == ')')
            out.erase(b);
        return out;
    };
    if (c.Label[0]) return plain(c.Label);
    for (const TControl& l : desc)
        if (l.Kind == TCtl::Label && c.Name[0] && std::string_view(l.Buddy) == c.Name)
            return plain(l.Caption);
    const bool field = c.Kind == TCtl::Edit || c.Kind == TCtl::Spin || c.Kind == TCtl::Combo ||
                       c.Kind == TCtl::ComboEdit || c.Kind == TCtl::List ||
                       c.Kind == TCtl::ColorButton || c.Kind == TCtl::Memo;
    const bool button = c.Kind == TCtl::Button || c.Kind == TCtl::ToolButton ||
                        c.Kind == TCtl::Check || c.Kind == TCtl::Radio;
    // A push button's caption may come only when the dialog shows: it names itself then.
    if (!field && !(button && !c.Caption[0] && c.Kind != TCtl::Button)) return {};
    const TControl* parent = nullptr;
    for (const TControl& p : desc)
        if (c.Parent[0] && std::string_view(p.Name) == c.Parent) parent = &p;
    const bool grid = parent && parent->Layout == TLay::Grid;
    auto names = [&c](const TControl& l) {
        return std::string_view(l.Parent) == c.Parent && l.Caption[0] &&
               (l.Kind == TCtl::Label || l.Kind == TCtl::Check);
    };
    const TControl* best = nullptr;
    if (grid) { // the nearest caption to its left on its row
        for (const TControl& l : desc)
            if (names(l) && l.Row == c.Row && l.Col < c.Col && (!best || l.Col > best->Col))
                best = &l;
    } else {
        for (std::size_t k = i; k-- > 0 && !best;)
            if (names(desc[k])) best = &desc[k];
    }
    if (best) return plain(best->Caption);
    // Alone in a captioned frame: the frame's caption.
    if (parent && parent->Kind == TCtl::Group && parent->Caption[0]) {
        std::string t = plain(parent->Caption);
        const std::size_t a = t.find_first_not_of(' '), b = t.find_last_not_of(' ');
        return a == std::string::npos ? std::string() : t.substr(a, b - a + 1);
    }
    return {};
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
