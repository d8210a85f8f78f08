// TEditorStrings: the logical-line view (an editor's Lines) over a row store; holds no text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/RowStore.h"

// What Lines asks of its editor around an update (hide the caret, stop redrawing, ...).
class TLinesUpdateClient {
  public:
    virtual ~TLinesUpdateClient() = default;
    virtual void LinesUpdateBegin() {}
    virtual void LinesUpdateEnd() {}
};

class TEditorStrings {
  public:
    TEditorStrings(TEditorScreenStrings* rows, TLinesUpdateClient* editor = nullptr)
        : FRows(rows), FEditor(editor) {}
    void SetRows(TEditorScreenStrings* rows) { FRows = rows; }
    TEditorScreenStrings* Rows() const { return FRows; }

    int Count() const;
    std::string Get(int i) const;
    void Put(int i, std::string_view s);
    void Insert(int i, std::string_view s);
    int Add(std::string_view s); // returns the former Count
    void Delete(int i);
    void Clear();
    std::string Text() const;
    void SetText(std::string_view s);
    void LoadFromFile(const std::string& fileName);
    // Writes Text to the file atomically (a temporary file beside it, then a rename). Line ends
    // are CR LF; every other byte is written as it is.
    void SaveToFile(const std::string& fileName) const;
    // Text := the lines joined with CR LF; the caret of the editors goes to the end of the text.
    void Assign(const std::vector<std::string>& lines);
    void Assign(const TEditorStrings& src);
    std::vector<std::string> ToVector() const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

  private:
    void CheckLine(int i) const;
    int RowsOfLine(int i, int& first) const;
    TEditorScreenStrings* FRows;
    TLinesUpdateClient* FEditor;
    int FUpdateCount = 0;
};
