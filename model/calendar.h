#pragma once
// Today's date and the system's short date format, as the new-document values need them. The
// shell passes the platform's implementation; tests pass a fixed date.

#include <string>

namespace corvane::model {

struct CalendarDate
{
    int year = 2000;
    int month = 1;
    int day = 1;
};

class DateSource
{
public:
    virtual ~DateSource() = default;
    virtual CalendarDate today() const = 0;
    // The date as the system's short date format writes it (for example "2026/12/11").
    virtual std::string shortDate(const CalendarDate& date) const = 0;
};

// A fixed date written as year/month/day; for tests and for programs without a locale.
class FixedDateSource : public DateSource
{
public:
    explicit FixedDateSource(CalendarDate date, char separator = '/') : m_date(date), m_separator(separator) {}
    CalendarDate today() const override { return m_date; }
    std::string shortDate(const CalendarDate& date) const override;

private:
    CalendarDate m_date;
    char m_separator;
};

// "yyyymmdd" and "mm" as the serial number and batch code defaults use them.
std::string compactDate(const CalendarDate& date);
std::string twoDigitMonth(const CalendarDate& date);

} // namespace corvane::model
