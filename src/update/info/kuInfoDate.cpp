#include "update/info/kuInfoDate.h"

#include <cstdio>
#include <ctime>

#include "update/utils/kuText.h"

namespace tessaro {

TDateTime Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(0);
}

TDateTime KUDateToDate(std::string_view s) {
    const std::size_t p1 = s.find('/');
    if (p1 == std::string_view::npos) return Today();
    const std::size_t p2 = s.find('/', p1 + 1);
    if (p2 == std::string_view::npos) return Today();
    const auto month = ParseDecimal(s.substr(0, p1));
    const auto day = ParseDecimal(s.substr(p1 + 1, p2 - p1 - 1));
    const auto year = ParseDecimal(s.substr(p2 + 1));
    if (!month || !day || !year) return Today();
    return EncodeDate(*year, *month, *day).value_or(Today());
}

std::string DateToKUDate(TDateTime d) {
    const std::tm calendar = DateTimeToCalendar(d);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", calendar.tm_mon + 1, calendar.tm_mday,
                  calendar.tm_year + 1900);
    return text;
}

}  // namespace tessaro
