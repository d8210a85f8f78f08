// TSetupDialog: the setup page, the start-up methods page and the backup and restore page, of
// which one is shown (the page tabs are hidden).
#pragma once

#include "app/ui/FormView.h"
#include "setup/SetupDialogModel.h"
#include "setup/ui/SetupDialogs.h"

#include <QDialog>

#include <functional>
#include <memory>

class TSetupDialog : public QDialog, private TSetupHost {
    Q_OBJECT
  public:
    TSetupDialog(int mode, TSetupContext context, QWidget* parent = nullptr);
    ~TSetupDialog() override;

    std::unique_ptr<TSetupDialogModel> Model;
    TFormView* Form;

    // The folder chooser (replaceable for tests): title, start folder; empty on Cancel.
    std::function<QString(const QString&, const QString&)> ChooseFolder;

  protected:
    void done(int r) override;

  private:
    void showOptionGroup();

    // TSetupHost
    void FocusSetupFolder() override;
    bool StartInstalled(const std::string& program, const std::string& folder) override;
    void Wait(int milliseconds) override;
    void EndProgram() override;

    TSetupContext context_;
    bool ending_ = false;
};
