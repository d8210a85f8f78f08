// The copy's window: progress with a Cancel button, and the overwrite question for a file that
// exists already (Yes / Yes to all / No / Cancel).
#pragma once

#include "setup/FolderCopy.h"

#include <QProgressDialog>

class TCopyProgress : public QProgressDialog, public TCopyObserver {
    Q_OBJECT
  public:
    explicit TCopyProgress(const QString& title, QWidget* parent = nullptr);
    bool Progress(const std::string& file, int done, int total) override;
    TOverwriteAnswer AskOverwrite(const std::string& target) override;
};
