// TReleaseNotice, the notice that this version has grown old, and TAboutDialog, the version box.
#pragma once

#include "app/ui/FormView.h"
#include "setup/InfoDialogModel.h"

#include <QDialog>

class TReleaseNotice : public QDialog {
    Q_OBJECT
  public:
    TReleaseNotice(TSettings& settings, QWidget* parent = nullptr);

    TInfoDialogModel Model;
    TFormView* Form;

  protected:
    void done(int r) override;

  private:
    TSettings& settings_;
    bool web_ = false;
};

class TAboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutDialog(QWidget* parent = nullptr);

    TAboutDialogModel Model;
    TFormView* Form;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};
