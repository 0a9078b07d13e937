#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace tessaro::test {

// Output of the `mediainfo` command for one file and one --Inform template,
// without its trailing line break: an independent reading of the same facts.
inline std::string MediaInfoCommand(const std::string& inform, const std::string& path) {
    const auto quote = [](std::string word) {
        for (size_t at = 0; (at = word.find('\'', at)) != std::string::npos; at += 4) word.replace(at, 1, "'\\''");
        return "'" + word + "'";
    };
    const std::string command = "mediainfo " + quote("--Inform=" + inform) + " " + quote(path);
    std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
    std::string output(1 << 16, '\0');
    output.resize(pipe ? fread(output.data(), 1, output.size(), pipe.get()) : 0);
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return output;
}

}  // namespace tessaro::test
