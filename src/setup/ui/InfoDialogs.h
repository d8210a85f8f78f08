// TfmInfo, the notice that this version has grown old, and TfmAbout, the version box.
#pragma once

#include "app/Settings.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TfmInfo : public QDialog {
    Q_OBJECT
  public:
    TfmInfo(TSettings& settings, QWidget* parent = nullptr);
    bool WebOpened() const { return web_; }

    QLabel *lblVersion, *lblInfo;
    QPushButton *btnWeb, *btnClose;

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

    QLabel *lbl_Version, *lblVerKaku;
    QPushButton* FramSpeedBtn1;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    bool armed_ = false;
};
