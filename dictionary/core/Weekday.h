#pragma once

#include <QDate>
#include <QString>

namespace glossa {

// "星期日" .. "星期六" for the day of the week of date.
QString WeekdayName(const QDate& date);

} // namespace glossa
