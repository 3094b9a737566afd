#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Shows the program's name, version and maker, with a link to the maker's
// web site that opens in the browser.
class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* parent = nullptr);

  QLabel* lblInternetLink;
  QPushButton* cmdOK;

  void lblInternetLink_MouseDown(Qt::MouseButton button);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The maker's web address shown and opened by the About dialog.
inline constexpr const char* kMakerWebAddress = "https://www.vantreo.com";
