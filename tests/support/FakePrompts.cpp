#include "support/FakePrompts.h"

#include <stdexcept>

namespace vn574::test {
namespace {

template <typename T> T takeNext(std::deque<T>& queue, const char* what) {
    if (queue.empty()) {
        throw std::logic_error(std::string("unexpected prompt: ") + what);
    }
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
}

} // namespace

void FakePrompts::message(const std::string& text, app::Icon icon) {
    messages.push_back(text);
    icons.push_back(icon);
}

app::Answer FakePrompts::ask(const std::string& text, app::Buttons buttons) {
    questions.push_back({text, buttons});
    return takeNext(answers, "question");
}

std::optional<std::string> FakePrompts::chooseSaveFile(const std::string& filter,
                                                       const std::string& suggestedFile) {
    saveFilters.push_back(filter);
    saveSuggestions.push_back(suggestedFile);
    return takeNext(saveFiles, "save dialog");
}

std::optional<std::string> FakePrompts::chooseOpenFile(const std::string& filter) {
    openFilters.push_back(filter);
    return takeNext(openFiles, "open dialog");
}

std::optional<std::string> FakePrompts::askPassword() {
    ++passwordRequests;
    return takeNext(passwords, "password window");
}

} // namespace vn574::test
