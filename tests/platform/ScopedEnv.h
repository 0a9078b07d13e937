#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace tessaro::testing {

// Sets or clears one environment variable for the life of a test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        Set(name, value);
    }
    ~ScopedEnv() { Set(name_.c_str(), old_ ? old_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    static void Set(const char* name, const char* value) {
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace tessaro::testing
