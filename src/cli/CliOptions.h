#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Arguments a command cannot work with; the program prints it and exits with kExitUsage.
class UsageError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionRule {
    std::string_view name;  // "--device"
    bool takesValue = false;
};

// One command's arguments: "--name value", "--name=value", flags, and operands
// (everything not an option, and everything after "--").
class CliOptions final {
public:
    // Throws UsageError for an unknown option, a missing value or a repeated option.
    CliOptions(std::span<const std::string> arguments, std::span<const OptionRule> rules);

    bool Has(std::string_view name) const;
    std::optional<std::string> Value(std::string_view name) const;
    // The option's value as an integer within [low, high], or `fallback` when absent.
    int IntValue(std::string_view name, int low, int high, int fallback) const;
    const std::vector<std::string>& Operands() const { return operands_; }

private:
    const OptionRule& RuleFor(std::string_view name, std::span<const OptionRule> rules) const;
    void Record(std::string name, std::optional<std::string> value);

    std::map<std::string, std::optional<std::string>, std::less<>> options_;
    std::vector<std::string> operands_;
};

// "--help" or "-h" anywhere before "--".
bool AsksForHelp(std::span<const std::string> arguments);

// The device serial index option shared by the commands: 0 to 2, default 0.
inline constexpr OptionRule kDeviceOption{"--device", true};
int DeviceIndex(const CliOptions& options);

}  // namespace tessaro::cli
