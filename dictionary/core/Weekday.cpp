#include "Weekday.h"

namespace glossa {

QString WeekdayName(const QDate& date) {
    static const char16_t* const names[] = {u"星期日", u"星期一", u"星期二", u"星期三",
                                            u"星期四", u"星期五", u"星期六"};
    // QDate counts Monday as 1 and Sunday as 7; the table starts on Sunday.
    return QString::fromUtf16(names[date.dayOfWeek() % 7]);
}

} // namespace glossa
