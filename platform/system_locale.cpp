#include "platform/system_locale.h"

#include <QDate>

namespace corvane::platform {

bool isChinesePrc(const QLocale& locale)
{
    return locale.language() == QLocale::Chinese && locale.territory() == QLocale::China;
}

bool systemLocaleIsChinesePrc()
{
    return isChinesePrc(QLocale::system());
}

model::CalendarDate SystemDateSource::today() const
{
    const QDate date = QDate::currentDate();
    return {date.year(), date.month(), date.day()};
}

std::string SystemDateSource::shortDate(const model::CalendarDate& date) const
{
    return QLocale::system().toString(QDate(date.year, date.month, date.day), QLocale::ShortFormat).toStdString();
}

} // namespace corvane::platform
