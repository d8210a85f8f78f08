// The page control of the program: TEditor, with the property set chosen by the file's extension.
#pragma once

#include "editor/PagePropSets.h"
#include "mainwindow/ui/PageEditor.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class TEditor;

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
