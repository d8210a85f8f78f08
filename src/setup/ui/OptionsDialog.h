// TOptionsDialog: the options dialog on the main window's settings, with the association, "send to"
// and stand-alone buttons that act on the system at once.
#pragma once

#include "app/ui/FormView.h"
#include "setup/OptionsDialogModel.h"

#include <QDialog>

#include <functional>

class TOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    TOptionsDialog(TSettings& settings, std::string settingsFile, std::string programFolder,
                   QWidget* parent = nullptr);

    bool Cancelled() const { return cancelled_; }

    TOptionsDialogModel Model;
    TFormView* Form;

    // The file chooser (replaceable for tests): title, start folder, preset file.
    std::function<QString(const QString&, const QString&, const QString&)> ChooseFile;

  protected:
    void done(int r) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    void browse(const std::string& edit);

    bool cancelled_ = false;
};
