#include "model/calendar.h"

#include <string>

namespace corvane::model {

namespace {

std::string padded(int value, std::size_t width)
{
    std::string text = std::to_string(value);
    if (text.size() < width) {
        text.insert(0, width - text.size(), '0');
    }
    return text;
}

} // namespace

std::string FixedDateSource::shortDate(const CalendarDate& date) const
{
    return padded(date.year, 4) + m_separator + padded(date.month, 2) + m_separator + padded(date.day, 2);
}

std::string compactDate(const CalendarDate& date)
{
    return padded(date.year, 4) + padded(date.month, 2) + padded(date.day, 2);
}

std::string twoDigitMonth(const CalendarDate& date)
{
    return padded(date.month, 2);
}

} // namespace corvane::model
