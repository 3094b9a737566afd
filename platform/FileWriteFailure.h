#pragma once

#include <QFile>
#include <QString>

// Why writing to file failed, in the system's words. A write cut short (the
// disk filled up in its middle) leaves no reason behind; one more byte, into
// the file that is dropped anyway, brings the system's ("No space left on
// device").
QString WriteFailureReason(QFile& file);
