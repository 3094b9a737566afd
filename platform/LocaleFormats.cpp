#include "platform/LocaleFormats.h"

#include <QLocale>

QString ShortDateText(const QDate& date) { return QLocale().toString(date, QLocale::ShortFormat); }

QString ShortTimeText(const QTime& time) { return QLocale().toString(time, QLocale::ShortFormat); }
