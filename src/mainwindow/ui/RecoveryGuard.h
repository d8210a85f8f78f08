// Keeps recovery files of the modified pages of one main window (TRecoveryPages): its timer, the
// pages' texts and controls, and the dialog that offers the pages of a crashed run back after
// the first show.
#pragma once

#include "mainwindow/pages/RecoveryPages.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class TSharedObjects;
class TMainWindow;
class TPages;

class TRecoveryGuard : public QObject {
    Q_OBJECT
  public:
    TRecoveryGuard(TMainWindow& window, TSharedObjects& dt, TPages& pages);

    void EndWithoutQuestions() { core_.EndWithoutQuestions(); }
    TRecoveryPages& Core() { return core_; }

  private:
    // The timer runs only until the next write an edit waits for (or at once: soon).
    void arm(bool soon = false);

    TRecoveryPages core_;
    QElapsedTimer clock_;
    QTimer timer_;
};
