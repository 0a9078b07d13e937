#include "update/utils/kuInternetTime.h"

#include <array>
#include <optional>
#include <string>

#include "update/utils/kuText.h"

namespace tessaro {
namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {"SUN", "MON", "TUE", "WED",
                                                       "THU", "FRI", "SAT"};
constexpr std::array<std::string_view, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// The text still to be read, consumed from the left.
class DateText {
public:
    explicit DateText(std::string_view s) : rest_(Trim(s)) {}

    const std::string& Rest() const { return rest_; }
    void Replace(std::string text) { rest_ = std::move(text); }
    void TrimLeftSide() { rest_ = TrimLeft(rest_); }

    std::string Peek(char delimiter) const { return rest_.substr(0, rest_.find(delimiter)); }

    std::string Take(char delimiter) {
        const std::size_t at = rest_.find(delimiter);
        std::string token = rest_.substr(0, at);
        rest_.erase(0, at == std::string::npos ? rest_.size() : at + 1);
        return token;
    }

private:
    std::string rest_;
};

int MonthNumber(std::string_view token) {
    const std::string upper = UpperCaseAscii(token);
    for (std::size_t i = 0; i < kMonths.size(); ++i)
        if (upper == kMonths[i]) return static_cast<int>(i) + 1;
    return 0;
}

bool StartsWithWeekday(const std::string& text) {
    const std::string head = UpperCaseAscii(std::string_view(text).substr(0, 3));
    for (std::string_view day : kWeekdays)
        if (head == day) return true;
    return false;
}

char FieldDelimiter(const std::string& text) {
    const std::size_t dash = text.find('-');
    const std::size_t space = text.find(' ');
    return dash != std::string::npos && dash >= 1 && dash < space ? '-' : ' ';
}

int FullYear(int year) {
    if (year < 80) return year + 2000;
    if (year < 100) return year + 1900;
    return year;
}

int ReadYear(DateText& text) {
    std::string token = text.Take(' ');
    int year = StrToIntDef(token, 1900);
    if (year == 1900) {
        // asctime puts the time before the year.
        year = StrToIntDef(text.Rest(), 1900);
        text.Replace(std::move(token));
    }
    return FullYear(year);
}

std::optional<TDateTime> ReadTimeOfDay(DateText& text) {
    if (text.Rest().find(':') == std::string::npos) return 0.0;
    DateText time(text.Take(' '));
    const int hours = StrToIntDef(time.Take(':'), 0);
    const int minutes = StrToIntDef(time.Take(':'), 0);
    const int seconds = StrToIntDef(time.Rest(), 0);
    return EncodeTime(hours, minutes, seconds);
}

std::optional<TDateTime> ReadDateAndTime(DateText& text) {
    if (StartsWithWeekday(text.Rest())) {
        text.Take(' ');
        text.TrimLeftSide();
    }
    const char delimiter = FieldDelimiter(text.Rest());
    int day = 1;
    int month = 0;
    if (MonthNumber(text.Peek(delimiter)) != 0) {
        month = MonthNumber(text.Take(delimiter));
        text.TrimLeftSide();
        day = StrToIntDef(text.Take(delimiter), 1);
    } else {
        day = StrToIntDef(text.Take(delimiter), 1);
        text.TrimLeftSide();
        month = MonthNumber(text.Take(delimiter));
    }
    text.TrimLeftSide();
    const int year = ReadYear(text);
    const auto date = EncodeDate(year, month, day);
    const auto time = ReadTimeOfDay(text);
    text.TrimLeftSide();
    if (!date || !time) return std::nullopt;
    return *date + *time;
}

int TwoDigits(std::string_view zone, std::size_t at) {
    return StrToIntDef(zone.substr(at, 2), -1);
}

// "+hhmm" or "-hhmm" in days; anything else, such as "GMT", is no offset.
TDateTime ZoneOffset(const std::string& rest) {
    if (rest.size() < 5) return 0;
    const std::string zone = Trim(rest).substr(0, 5);
    if (zone.size() < 5 || (zone[0] != '+' && zone[0] != '-')) return 0;
    const int hours = TwoDigits(zone, 1);
    const int minutes = TwoDigits(zone, 3);
    if (hours < 0 || minutes < 0 || zone[1] == '-' || zone[3] == '-') return 0;
    const double offset = (hours * 60.0 + minutes) / 1440.0;
    return zone[0] == '-' ? -offset : offset;
}

}  // namespace

TDateTime InternetTimeToDateTime(std::string_view s) {
    DateText text(s);
    if (text.Rest().empty()) return 0;
    const auto local = ReadDateAndTime(text);
    // A date that does not exist stays 0 rather than turning into 1899 plus an offset.
    if (!local) return 0;
    return GMTToLocalTime(*local - ZoneOffset(text.Rest()));
}

}  // namespace tessaro
