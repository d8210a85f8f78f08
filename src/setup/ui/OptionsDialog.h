// TfmSet: the options dialog on the main window's settings, with the association, "send to"
// and stand-alone buttons that act on the system at once.
#pragma once

#include "app/Settings.h"
#include "setup/Options.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

class TfmSet : public QDialog {
    Q_OBJECT
  public:
    TfmSet(TSettings& settings, std::string settingsFile, std::string programFolder,
           QWidget* parent = nullptr);

    bool Cancelled() const { return cancelled_; }

    QTabWidget* PageControl1;
    QWidget *tsHyouji, *tsDousa, *tsKidou, *tsDousa2, *tsSonota;
    QRadioButton *rbWpLine, *rbEdLine, *rbCenter, *rbZenkai;
    QSpinBox* edtMenuCount;
    QRadioButton *rbWaYMD, *rbYMD;
    QCheckBox* cbYoubi;
    QLabel* lblYMD;
    QCheckBox* cbKnKakunin;
    QSpinBox *edtCLine1, *edtCLine2;
    QCheckBox* cbJHanten;
    QRadioButton* rgCurs[3];
    QComboBox *cbNewEncoding, *cbNewLineEnd; // the format new pages are saved in
    QCheckBox *cbisClick, *cbisBrowser, *cbisEditor;
    QLineEdit *edtBrowser, *edtEditor;
    QPushButton *btnBrowser, *btnEditor;
    QGroupBox* gbEditor;
    QCheckBox* cbLocal;
    QLabel* lblLocal;
    QPushButton *btnTolmoKanren, *btnSendTo;
    QPushButton *BitBtn1, *btnCancel;

    // The file chooser (replaceable for tests): title, start folder, preset file.
    std::function<QString(const QString&, const QString&, const QString&)> ChooseFile;

  protected:
    void done(int r) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    QWidget* buildHyouji();
    QWidget* buildDousa();
    QWidget* buildKidou();
    QWidget* buildSonota();
    void updateSample();
    void updateAssociationButton();
    void browse(QLineEdit* edit);
    void applyValues();

    TSettings& settings_;
    std::string settingsFile_, programFolder_, program_;
    bool cancelled_ = false;
    THiddenPanelKeys keys_;
};
