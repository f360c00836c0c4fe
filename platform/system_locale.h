#pragma once
// What the program takes from the system locale: only the choice of language. Numbers are
// never formatted with the locale (see model/number_text.h), and the program never changes
// the user's locale settings.

#include "model/calendar.h"

#include <QLocale>

namespace corvane::platform {

bool isChinesePrc(const QLocale& locale);
bool systemLocaleIsChinesePrc();

// Today's date and the system's short date format.
class SystemDateSource : public model::DateSource
{
public:
    model::CalendarDate today() const override;
    std::string shortDate(const model::CalendarDate& date) const override;
};

} // namespace corvane::platform
