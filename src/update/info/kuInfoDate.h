#pragma once

#include <string>
#include <string_view>

#include "update/utils/kuDateTime.h"

namespace tessaro {

// Today's local date, without a time of day.
TDateTime Today();

// A "MM/DD/YYYY" text as a date; today's date when the text has no two "/",
// a field is not a decimal number or the day does not exist.
TDateTime KUDateToDate(std::string_view s);

// "MM/DD/YYYY" with two-digit month and day and a four-digit year, whatever
// the locale.
std::string DateToKUDate(TDateTime d);

}  // namespace tessaro
