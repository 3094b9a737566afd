#include "core/DialogButton.h"

#include <QPushButton>

QPushButton* MakeButton(const char* caption, const char* name) {
  auto* button = new QPushButton(QString::fromLatin1(caption));
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}
