#include "core/DialogButton.h"

#include <QPushButton>
#include <QVBoxLayout>

QPushButton* MakeButton(const char* caption, const char* name) {
  auto* button = new QPushButton(QString::fromLatin1(caption));
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

QVBoxLayout* ButtonColumn(std::initializer_list<QPushButton*> buttons) {
  auto* column = new QVBoxLayout;
  for (QPushButton* button : buttons) column->addWidget(button);
  column->addStretch();
  return column;
}
