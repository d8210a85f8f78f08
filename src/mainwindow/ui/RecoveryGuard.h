// Keeps recovery files of the modified pages of one main window: written in the background a few
// seconds after typing stops (at most every 30 seconds), removed once a page is saved, re-read or
// closed; offered back after a run that did not end normally; and written instead of asking when
// the program is made to end (a signal, the end of the desktop session).
#pragma once

#include "mainwindow/Recovery.h"
#include "mainwindow/RecoveryWriter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>

class QTimer;
class TdtEditor;
class TfmEditor;
class TPages;

class TRecoveryGuard : public QObject {
    Q_OBJECT
  public:
    TRecoveryGuard(TfmEditor& window, TdtEditor& dt, TPages& pages);
    ~TRecoveryGuard() override;

    // Ends without a question: named pages are saved where the settings allow it without asking,
    // every other modified page (and any that fails to save) goes to its recovery file, which is
    // kept for the next start; the settings and the open-file list are written.
    void EndWithoutQuestions();
    // Offers the pages of runs that did not end normally (after the first show).
    void OfferRecovery();
    // Writes every page that is due now (the timer does this each second).
    void Tick();
    // Writes every modified page at once and waits for the files (tests and the end).
    void WriteAllNow();
    const TRecoverySession& Session() const { return session_; }

  private:
    struct PageState : TRecoveryPageState {
        QPointer<QWidget> sheet;
    };
    int idOf(int index);
    void writePage(int index, int id, bool wait);
    bool restore(const TRecoveryCandidate& c);

    TfmEditor& window_;
    TdtEditor& dt_;
    TPages& pages_;
    TRecoverySession session_;
    std::unique_ptr<TRecoveryWriter> writer_;
    std::map<int, PageState> states_; // by page id
    int nextId_ = 1;
    bool ending_ = false; // an unattended end is under way: no more timed writes
    bool keep_ = false;   // recovery files were written for it: they stay for the next start
    QTimer* timer_ = nullptr;
    QElapsedTimer clock_;
};
