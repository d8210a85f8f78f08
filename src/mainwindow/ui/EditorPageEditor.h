// The page control of the program: TEditor, with the property set chosen by the file's extension.
#pragma once

#include "mainwindow/ui/PageEditor.h"

#include <QPointer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TEditor;
class TEditorProp;
class TFountain;

// The look of plain pages as the settings file stores it.
struct TPageDisplay {
    std::string fontName;
    int fontSize = 10; // points
    std::uint32_t fontColor = 0, color = 0xFFFFFF;
    int marginLeft = 3, marginTop = 7, marginCharacter = 0, marginLine = 0;
    bool wordWrap = true;
    bool verticalScrollOnly = true;
    int wrapByte = 80;
};

// The data module's property sets in their component order: EditorProp_Delphi, EditorProp_HTML,
// EditorProp_Default, EditorProp_DefaultOrg, EditorProp_HTMLOrg.
class TPagePropSets {
  public:
    TPagePropSets();
    ~TPagePropSets();
    // EditorProp_Default takes the look stored in the settings file.
    void ApplyDisplay(const TPageDisplay& d);
    // First set whose extension list holds the path's extension, else EditorProp_Default.
    const TEditorProp& ForPath(const std::string& path) const;
    // The colouring definitions on offer (not owned), in the order they are asked.
    void SetFountains(std::vector<const TFountain*> fountains);
    // First colouring definition that claims the path's extension, else null (plain colours).
    const TFountain* FountainForPath(const std::string& path) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

class TEditorPageEditor : public TPageEditor {
  public:
    TEditorPageEditor(QWidget* parent, const TPagePropSets& sets);
    // A control on an existing editor's row store (the split view).
    TEditorPageEditor(QWidget* parent, const TPagePropSets& sets, TEditor& shareWith);
    ~TEditorPageEditor() override;

    QWidget* Widget() override;
    TEditor* Editor() const { return editor_; }
    bool LoadFromFile(const std::string& path, std::string* error) override;
    std::string TextBytes() const override;
    bool FileBytes(std::string* bytes, std::string* error) override;
    TPageDocument* Document() override { return doc_.get(); }
    bool ReloadAs(const std::string& path, TEncoding e, std::string* error) override;
    void FormatChanged() override;
    void ClearText() override;
    bool Modified() const override;
    void SetModified(bool modified) override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    bool Overwrite() const override;
    bool BoxSelection() const override;
    int CaretRow() const override;
    int TopRow() const override;
    void SetCaretRow(int row) override;
    void SetTopRow(int row) override;
    TPageCaretInfo CaretInfo() const override;
    void ApplyPropertiesFor(const std::string& path) override;
    std::unique_ptr<TPageEditor> CreatePartner(QWidget* parent) override;

  private:
    void wire();
    bool load(const std::string& path, const TEncoding* chosen, std::string* error);
    const TPagePropSets& sets_;
    TEditor* editor_;
    QPointer<QWidget> alive_; // guards editor_ against its parent deleting it first
    std::shared_ptr<TPageDocument> doc_; // shared with the partner of a split page
};
