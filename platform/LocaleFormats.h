#pragma once

#include <QDateTime>
#include <QString>

// The user's short date and time formats.
QString ShortDateText(const QDate& date);
QString ShortTimeText(const QTime& time);
