// The program's property sets and the choice of a set and a colouring definition by extension.
#include "editor/PagePropSets.h"

#include "editor/ProgramPropertySets.h"
#include "syntax/Fountain.h"

struct TPagePropSets::Impl {
    std::vector<TEditorProp> sets{MakeEditorProp_Delphi(), MakeEditorProp_HTML(),
                                  MakeEditorProp_Default(), MakeEditorProp_DefaultOrg(),
                                  MakeEditorProp_HTMLOrg()};
    std::vector<TFountain*> fountains;
};

TPagePropSets::TPagePropSets() : d_(std::make_unique<Impl>()) {}
TPagePropSets::~TPagePropSets() = default;

std::vector<TEditorProp>& TPagePropSets::Sets() {
    return d_->sets;
}
const std::vector<TEditorProp>& TPagePropSets::Sets() const {
    return d_->sets;
}

TEditorProp* TPagePropSets::Find(const std::string& name) {
    for (TEditorProp& p : d_->sets)
        if (p.Name == name) return &p;
    return nullptr;
}

TEditorProp& TPagePropSets::Default() {
    return d_->sets[2];
}
const TEditorProp& TPagePropSets::Default() const {
    return d_->sets[2];
}
const TEditorProp& TPagePropSets::DefaultOrg() const {
    return d_->sets[3];
}

std::string ExtensionOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1))
        return path.substr(dot);
    return {};
}

const TEditorProp& TPagePropSets::ForPath(const std::string& path) const {
    const std::string ext = ExtensionOf(path);
    if (!ext.empty())
        for (const TEditorProp& p : d_->sets)
            if (p.IsFileExt(ext)) return p;
    return Default();
}

void TPagePropSets::SetFountains(std::vector<TFountain*> fountains) {
    d_->fountains = std::move(fountains);
}

const std::vector<TFountain*>& TPagePropSets::Fountains() const {
    return d_->fountains;
}

TFountain* TPagePropSets::FindFountain(const std::string& name) const {
    for (TFountain* f : d_->fountains)
        if (f && f->Name() == name) return f;
    return nullptr;
}

const TFountain* TPagePropSets::FountainForPath(const std::string& path) const {
    const std::string ext = ExtensionOf(path);
    if (!ext.empty())
        for (const TFountain* f : d_->fountains)
            if (f && f->HasExtension(ext)) return f;
    return nullptr;
}

bool TPagePropSets::SetShowsPath(const TEditorProp& set, const std::string& path) const {
    const std::string ext = ExtensionOf(path);
    return (!ext.empty() && set.IsFileExt(ext)) || (&set == &Default() && path.empty());
}

namespace {

const std::string kPropPrefix = "EditorProp_";
const std::string kFountainSuffix = "Fountain1";

std::string WithoutAmpersands(std::string s) {
    std::erase(s, '&');
    return s;
}

} // namespace

std::string PropSetCaption(const std::string& name) {
    return name.starts_with(kPropPrefix) ? name.substr(kPropPrefix.size()) : name;
}

std::string PropSetName(const std::string& caption) {
    return kPropPrefix + WithoutAmpersands(caption);
}

std::string FountainCaption(const std::string& name) {
    return name.ends_with(kFountainSuffix) ? name.substr(0, name.size() - kFountainSuffix.size())
                                           : name;
}

std::string FountainName(const std::string& caption) {
    return WithoutAmpersands(caption) + kFountainSuffix;
}
