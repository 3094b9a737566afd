#include "platform/FileWriteFailure.h"

QString WriteFailureReason(QFile& file) {
  file.write("\n", 1);
  file.flush();
  return file.errorString();
}
