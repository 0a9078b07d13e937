#include "settings/StatusTexts.h"

#include <mutex>

namespace tessaro {
namespace {

struct Texts {
    std::mutex lock;
    std::string stopped;
    std::string completed;
    std::string failedJobs;
};

Texts& Shared() {
    static Texts texts;
    return texts;
}

std::string Get(std::string Texts::*member) {
    Texts& texts = Shared();
    std::lock_guard guard(texts.lock);
    return texts.*member;
}

void Set(std::string Texts::*member, std::string text) {
    Texts& texts = Shared();
    std::lock_guard guard(texts.lock);
    texts.*member = std::move(text);
}

}  // namespace

std::string StoppedText() {
    return Get(&Texts::stopped);
}
std::string CompletedText() {
    return Get(&Texts::completed);
}
std::string FailedJobsText() {
    return Get(&Texts::failedJobs);
}
void SetStoppedText(std::string text) {
    Set(&Texts::stopped, std::move(text));
}
void SetCompletedText(std::string text) {
    Set(&Texts::completed, std::move(text));
}
void SetFailedJobsText(std::string text) {
    Set(&Texts::failedJobs, std::move(text));
}

}  // namespace tessaro
