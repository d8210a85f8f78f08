// TfmInfo, the notice that this version has grown old, and TfmAbout, the version box.
#pragma once

#include "app/ui/FormView.h"
#include "setup/InfoDialogModel.h"

#include <QDialog>

class TfmInfo : public QDialog {
    Q_OBJECT
  public:
    TfmInfo(TSettings& settings, QWidget* parent = nullptr);

    TInfoDialogModel Model;
    TFormView* Form;

  protected:
    void done(int r) override;

  private:
    TSettings& settings_;
    bool web_ = false;
};

class TfmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit TfmAbout(QWidget* parent = nullptr);

    TAboutDialogModel Model;
    TFormView* Form;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};
