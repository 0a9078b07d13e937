#pragma once

#include <QObject>

#include <cstddef>
#include <string>

class QIODevice;

namespace tessaro {

class TkuFiler;

// Keeps a user name and password and stores them, scrambled, as the binary
// property "LInfo": one byte N = 1 + length(user name) + length(password), then
// N bytes (the user name's length, the user name, the password), each combined
// by exclusive-or with N XOR a fixed key. The record holds at most 254 bytes of
// user name and password together: longer login data stays usable in memory
// but is refused for storing (WriteData writes nothing and returns false, and
// the property is then not written), never cut short.
class TkuLoginComponent : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuLoginComponent)

public:
    static constexpr std::size_t kMostStoredLoginBytes = 254;

    explicit TkuLoginComponent(QObject* owner = nullptr);

    const std::string& Username() const { return username_; }
    void SetUsername(const std::string& username) { username_ = username; }
    const std::string& Password() const { return password_; }
    void SetPassword(const std::string& password) { password_ = password; }

    // Whether the "LInfo" record can hold the user name and password.
    bool CanStoreLogin() const;

    // Defines "LInfo", written only when the user name or the password is set.
    virtual void DefineProperties(TkuFiler& filer);

    // False, with the login unchanged, for a short or inconsistent record.
    bool ReadData(QIODevice& stream);
    // False, writing nothing, when the login is too long for the record.
    bool WriteData(QIODevice& stream) const;

private:
    std::string username_;
    std::string password_;
};

}  // namespace tessaro
