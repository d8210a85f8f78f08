// The copy's window: progress with a Cancel button while files are copied, and the overwrite
// question for a file that exists already (Yes / Yes to all / No / Cancel). The progress window
// is made at the first file and hidden whenever a question is open, so that it never covers one;
// it is gone when the copy ends, before its result is reported.
#pragma once

#include "setup/FolderCopy.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

class TCopyProgress : public TCopyObserver {
  public:
    // owner: the window the progress and the questions belong to.
    TCopyProgress(const QString& title, QWidget* owner);
    ~TCopyProgress() override;
    bool Progress(const std::string& file, int done, int total) override;
    TOverwriteAnswer AskOverwrite(const std::string& target) override;
    void Finished() override;
    // The progress window while it exists (for tests).
    QProgressDialog* Window() const { return dialog_; }

  private:
    QString title_;
    QWidget* owner_;
    QPointer<QProgressDialog> dialog_;
    QElapsedTimer started_;
    bool cancelled_ = false;
};
