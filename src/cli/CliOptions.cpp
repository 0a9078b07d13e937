#include "cli/CliOptions.h"

#include <algorithm>
#include <charconv>

#include "encode/DeviceProfile.h"

namespace tessaro::cli {
namespace {

bool LooksLikeOption(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

}  // namespace

CliOptions::CliOptions(std::span<const std::string> arguments, std::span<const OptionRule> rules) {
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument == "--") {
            operands_.insert(operands_.end(),
                             arguments.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                             arguments.end());
            return;
        }
        if (!LooksLikeOption(argument)) {
            operands_.push_back(argument);
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionRule& rule = RuleFor(name, rules);
        if (!rule.takesValue) {
            if (equals != std::string::npos) throw UsageError("option " + name + " takes no value");
            Record(name, std::nullopt);
        } else if (equals != std::string::npos) {
            Record(name, argument.substr(equals + 1));
        } else if (index + 1 < arguments.size()) {
            Record(name, arguments[++index]);
        } else {
            throw UsageError("option " + name + " needs a value");
        }
    }
}

const OptionRule& CliOptions::RuleFor(std::string_view name,
                                      std::span<const OptionRule> rules) const {
    const auto found = std::find_if(rules.begin(), rules.end(),
                                    [&](const OptionRule& s) { return s.name == name; });
    if (found == rules.end()) throw UsageError("unknown option " + std::string(name));
    return *found;
}

void CliOptions::Record(std::string name, std::optional<std::string> value) {
    if (options_.count(name) != 0) throw UsageError("option " + name + " is given twice");
    options_.emplace(std::move(name), std::move(value));
}

bool CliOptions::Has(std::string_view name) const {
    return options_.find(name) != options_.end();
}

std::optional<std::string> CliOptions::Value(std::string_view name) const {
    const auto found = options_.find(name);
    return found == options_.end() ? std::nullopt : found->second;
}

int CliOptions::IntValue(std::string_view name, int low, int high, int fallback) const {
    const std::optional<std::string> text = Value(name);
    if (!text) return fallback;
    int value = 0;
    const char* end = text->data() + text->size();
    const auto [rest, error] = std::from_chars(text->data(), end, value);
    if (text->empty() || error != std::errc() || rest != end || value < low || value > high)
        throw UsageError("option " + std::string(name) + " takes a whole number from " +
                         std::to_string(low) + " to " + std::to_string(high) + ", not \"" + *text +
                         "\"");
    return value;
}

bool AsksForHelp(std::span<const std::string> arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--") return false;
        if (argument == "--help" || argument == "-h") return true;
    }
    return false;
}

int DeviceIndex(const CliOptions& options) {
    return options.IntValue(kDeviceOption.name, 0, kSerialCount - 1, 0);
}

}  // namespace tessaro::cli
