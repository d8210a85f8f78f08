// A page host without a window: files are real, dialogs answer from queues the test fills.
#pragma once

#include "editor/EditorCore.h"
#include "mainwindow/pages/PageBook.h"
#include "mainwindow/pages/PageText.h"

#include "../support/RecordingAsker.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The next of the queued answers, or the default when none is left.
template <class T> T Next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T a = queue.front();
    queue.pop_front();
    return a;
}

struct FakePage {
    std::string caption, path, text;
    bool modified = false, readOnly = false, split = false;
    int caret = 0, top = 0;
};

// The dialogs and chores of a page host: what they show is recorded, their answers come from
// queues.
template <class Host> class FakeDialogs : public Host {
  public:
    std::vector<std::string> questions, notices, errors, progress;
    std::deque<bool> answers;                  // AskYesNo answers; default when empty
    std::deque<TSaveChoice> choices;           // AskSaveDiscardCancel answers; Cancel when empty
    std::deque<TSaveDialogResult> saveDialogs; // cancelled when empty
    std::vector<std::pair<std::string, std::string>> saveDialogStarts;
    std::string openDialogAnswer;
    bool editorRunning = false;

    void FocusActive() override {}
    void UpdatePageStatus() override {}
    void ShowProgress(const std::string& t) override { progress.push_back(t); }
    void SuspendUpdates(bool) override {}
    bool AskYesNo(const std::string& m, bool defaultYes) override {
        questions.push_back(m);
        return Next(answers, defaultYes);
    }
    TSaveChoice AskSaveDiscardCancel(const std::string& m) override {
        questions.push_back(m);
        return Next(choices, TSaveChoice::Cancel);
    }
    void Notice(const std::string& m) override { notices.push_back(m); }
    void ErrorBox(const std::string& m) override { errors.push_back(m); }
    TSaveDialogResult RunSaveDialog(const std::string& folder, const std::string& name) override {
        saveDialogStarts.emplace_back(folder, name);
        return Next(saveDialogs, {false, folder + name});
    }
    std::string RunOpenDialog(const std::string&) override { return openDialogAnswer; }
    bool ExternalEditorRunning() const override { return editorRunning; }
    std::string CurrentDirectory() const override { return "/cwd"; }
};

class FakePageHost : public FakeDialogs<TPageHost> {
  public:
    std::vector<FakePage> pages;
    int active = -1;
    std::vector<std::string> loads;                         // every file read, in order
    std::vector<std::pair<int, std::string>> propertiesFor; // ApplyPropertiesFor calls
    bool failWrites = false, failReads = false;

    int PageCount() const override { return static_cast<int>(pages.size()); }
    int ActivePage() const override { return active; }
    void SetActivePage(int i) override { active = i; }
    void InsertPage(const std::string& caption, const std::string& path) override {
        pages.push_back({caption, path, "", false, false, false, 0, 0});
    }
    void SetPageCaption(int i, const std::string& c) override { pages.at(i).caption = c; }
    void ApplyPropertiesFor(int i, const std::string& path) override {
        propertiesFor.emplace_back(i, path);
    }
    void RemovePage(int i) override {
        pages.erase(pages.begin() + i);
        if (active >= PageCount()) active = PageCount() - 1;
    }
    void MovePage(int from, int to) override {
        FakePage p = pages.at(from);
        pages.erase(pages.begin() + from);
        pages.insert(pages.begin() + to, p);
    }
    bool LoadPageText(int i, const std::string& path, std::string* error) override {
        if (failReads || !std::filesystem::is_regular_file(path)) {
            *error = "cannot open";
            return false;
        }
        pages.at(i).text = TempDir::Read(path);
        pages.at(i).modified = false;
        loads.push_back(path);
        return true;
    }
    bool SavePageText(int i, const std::string& path, std::string* error) override {
        if (failWrites) {
            *error = "No space left on device";
            return false;
        }
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        return static_cast<bool>(out << pages.at(i).text);
    }
    bool IsModified(int i) const override { return pages.at(i).modified; }
    void SetModified(int i, bool m) override { pages.at(i).modified = m; }
    bool IsReadOnly(int i) const override { return pages.at(i).readOnly; }
    void SetReadOnly(int i, bool r) override { pages.at(i).readOnly = r; }
    void GetCaret(int i, int* row, int* top) const override {
        *row = pages.at(i).caret;
        *top = pages.at(i).top;
    }
    void SetCaret(int i, int row, int top) override {
        pages.at(i).caret = row;
        pages.at(i).top = top;
    }
    bool IsSplit(int i) const override { return pages.at(i).split; }
    void Unsplit(int i) override { pages.at(i).split = false; }
};

// A page text on a bare editor core, on the row store of the page it splits or on one of its own;
// the files here are small enough to be read whole.
struct CorePage : TPageText {
    explicit CorePage(const TPagePropSets& sets, std::shared_ptr<TEditorScreenStrings> store =
                                                     std::make_shared<TEditorScreenStrings>())
        : TPageText(sets, std::make_shared<TPageDocument>()), c(std::move(store)) {}
    mutable TEditorCore c;
    mutable RecordingAsker told; // the page's questions and notices
    TEditorCore& core() const override { return c; }
    TAsker& asker() const override { return told; }
    void takeText(std::string&& text) override { c.TakeText(std::move(text)); }
    void beginBackground(const std::string&, std::unique_ptr<TBackgroundLoad>,
                         const TFileFormat&) override {
        ADD_FAILURE() << "no background load expected";
    }
};
