#include "update/http/kuLoginComponent.h"

#include <QByteArray>
#include <QIODevice>

#include "update/http/kuFiler.h"

namespace tessaro {
namespace {

constexpr unsigned char kScrambleKey = 0xA7;

void Scramble(QByteArray& bytes, unsigned char n) {
    const auto mask = static_cast<char>(n ^ kScrambleKey);
    for (char& byte : bytes) byte = static_cast<char>(byte ^ mask);
}

}  // namespace

TkuLoginComponent::TkuLoginComponent(QObject* owner) : QObject(owner) {}

bool TkuLoginComponent::CanStoreLogin() const {
    return username_.size() + password_.size() <= kMostStoredLoginBytes;
}

void TkuLoginComponent::DefineProperties(TkuFiler& filer) {
    filer.DefineBinaryProperty(
        "LInfo", [this](QIODevice& stream) { return ReadData(stream); },
        [this](QIODevice& stream) { return WriteData(stream); },
        !username_.empty() || !password_.empty());
}

bool TkuLoginComponent::ReadData(QIODevice& stream) {
    char n = 0;
    if (!stream.getChar(&n)) return false;
    const auto count = static_cast<unsigned char>(n);
    QByteArray record = stream.read(count);
    if (count == 0 || record.size() != count) return false;
    Scramble(record, count);
    const auto userLength = static_cast<unsigned char>(record[0]);
    if (userLength > count - 1) return false;
    username_.assign(record.constData() + 1, userLength);
    password_.assign(record.constData() + 1 + userLength, count - 1u - userLength);
    return true;
}

bool TkuLoginComponent::WriteData(QIODevice& stream) const {
    if (!CanStoreLogin()) return false;
    const auto count = static_cast<unsigned char>(1 + username_.size() + password_.size());
    QByteArray record;
    record.append(static_cast<char>(username_.size()));
    record.append(username_.data(), static_cast<qsizetype>(username_.size()));
    record.append(password_.data(), static_cast<qsizetype>(password_.size()));
    Scramble(record, count);
    record.prepend(static_cast<char>(count));
    return stream.write(record) == record.size();
}

}  // namespace tessaro
