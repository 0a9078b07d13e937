#pragma once

#include <QByteArray>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QIODevice;

namespace tessaro {

// The hook through which a component stores properties that are not plain
// values: it names a binary property, how to read and write it, and whether
// there is anything to write.
class TkuFiler {
public:
    using TStreamProc = std::function<bool(QIODevice& stream)>;

    virtual ~TkuFiler() = default;
    virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                      const TStreamProc& writeData, bool hasData) = 0;
};

// Collects the binary properties a component writes. A property whose writer
// refuses is left out and its name listed in Failed().
class TkuPropertyWriter final : public TkuFiler {
public:
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

    const std::map<std::string, QByteArray>& Properties() const { return properties_; }
    const std::vector<std::string>& Failed() const { return failed_; }

private:
    std::map<std::string, QByteArray> properties_;
    std::vector<std::string> failed_;
};

// Hands stored binary properties back to a component; properties that are not
// stored are not read. A property whose reader refuses is listed in Failed().
class TkuPropertyReader final : public TkuFiler {
public:
    explicit TkuPropertyReader(std::map<std::string, QByteArray> properties)
        : properties_(std::move(properties)) {}

    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

    const std::vector<std::string>& Failed() const { return failed_; }

private:
    std::map<std::string, QByteArray> properties_;
    std::vector<std::string> failed_;
};

}  // namespace tessaro
