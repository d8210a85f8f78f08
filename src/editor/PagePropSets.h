// The data module's editor property sets and colouring definitions, and the choice of both for a
// page by its file's extension.
#pragma once

#include "editor/PropertySet.h"

#include <memory>
#include <string>
#include <vector>

class TFountain;

// The sets in their component order: EditorProp_Delphi, EditorProp_HTML, EditorProp_Default,
// EditorProp_DefaultOrg, EditorProp_HTMLOrg.
class TPagePropSets {
  public:
    TPagePropSets();
    ~TPagePropSets();
    TPagePropSets(const TPagePropSets&) = delete;
    TPagePropSets& operator=(const TPagePropSets&) = delete;

    std::vector<TEditorProp>& Sets();
    const std::vector<TEditorProp>& Sets() const;
    // The set of that component name ("EditorProp_HTML"); null when there is none.
    TEditorProp* Find(const std::string& name);
    // The set of plain memo pages and its factory copy.
    TEditorProp& Default();
    const TEditorProp& Default() const;
    const TEditorProp& DefaultOrg() const;

    // First set whose extension list holds the path's extension, else EditorProp_Default.
    const TEditorProp& ForPath(const std::string& path) const;
    // The colouring definitions on offer (not owned), in the order they are asked.
    void SetFountains(std::vector<TFountain*> fountains);
    const std::vector<TFountain*>& Fountains() const;
    // The definition of that name ("HTMLFountain1"); null when there is none.
    TFountain* FindFountain(const std::string& name) const;
    // First colouring definition that claims the path's extension, else null (plain colours).
    const TFountain* FountainForPath(const std::string& path) const;
    // Whether a page of that path shows with the set: its extension is in the set's list, or
    // the page is untitled and the set is the default one.
    bool SetShowsPath(const TEditorProp& set, const std::string& path) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// ".html" of "/x/page.html"; empty for names without an extension (or starting with the dot).
std::string ExtensionOf(const std::string& path);

// The view menu's captions of the sets and colouring definitions ("HTML" for "EditorProp_HTML",
// "Delphi" for "DelphiFountain1") and back (a caption's "&" marks are dropped).
std::string PropSetCaption(const std::string& name);
std::string PropSetName(const std::string& caption);
std::string FountainCaption(const std::string& name);
std::string FountainName(const std::string& caption);
