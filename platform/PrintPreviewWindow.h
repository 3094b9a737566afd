#pragma once

#include <exception>
#include <functional>

#include <QDialog>
#include <QPageLayout>
#include <QPrinter>

#include "platform/Printer.h"

class QLabel;
class QPrintPreviewWidget;
class QToolBar;

// "Print Preview": the pages draw produces on the given paper, drawn by a
// QtPrinter like the printout itself, with zoom, page navigation and a
// Print button. The pages are made when the window is made.
class PrintPreviewWindow : public QDialog {
  Q_OBJECT

 public:
  // Raises the failure of draw, if any.
  PrintPreviewWindow(const QPageLayout& layout, int resolution, bool bothSides,
                     std::function<void(Printer&)> draw, QWidget* parent = nullptr);

  int PageCount() const;
  // Shows the window until it closes; true when the user chose Print.
  bool Run();

 private:
  void Paint(QPrinter* printer);
  void GoToPage(int page);
  void ShowPageNumber();
  QToolBar* MakeToolBar();

  std::function<void(Printer&)> draw_;
  bool bothSides_;
  QPrinter printer_;
  QPrintPreviewWidget* preview_;
  QLabel* pageNumber_;
  QStringList pageNames_;
  std::exception_ptr failure_;
};
