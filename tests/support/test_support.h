#pragma once
// Helpers shared by the unit tests.

#include "platform/messages.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// Records every message box and answers questions from a script (default No).
class RecordingBoxes : public platform::MessageBoxes {
  public:
    RecordingBoxes() { previous_ = platform::SetMessageBoxes(this); }
    ~RecordingBoxes() override { platform::SetMessageBoxes(previous_); }

    struct Box {
        platform::MessageKind kind;
        std::string text;
    };
    std::vector<Box> shown;
    std::vector<std::string> asked;
    std::vector<bool> answers;

    void Show(platform::MessageKind kind, const std::string& text) override {
        shown.push_back({kind, text});
    }
    bool Ask(const std::string& text) override {
        asked.push_back(text);
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.erase(answers.begin());
        return a;
    }

  private:
    platform::MessageBoxes* previous_ = nullptr;
};

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
  public:
    TempFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "vorlix-test-XXXXXX").string();
        path_ = ::mkdtemp(tmpl.data()) ? tmpl + "/" : std::string();
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    // With a trailing "/".
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Sets an environment variable for the object's life and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { had_ ? ::setenv(name_, old_.c_str(), 1) : ::unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

// The decimal-comma locale the tests run under (tools/setup.sh generates it).
inline constexpr const char* kCommaLocale = "de_DE.UTF-8";

// Switches the C library's locale categories `category` (LC_ALL, or one of them) to
// the decimal-comma locale, as QApplication does for a German user; restores them
// with the object. Active() is false when the locale is not installed.
class CommaLocale {
  public:
    explicit CommaLocale(int category = LC_ALL) : category_(category) {
        const char* now = std::setlocale(category_, nullptr);
        previous_ = now ? now : "C";
        active_ = std::setlocale(category_, kCommaLocale) != nullptr;
    }
    ~CommaLocale() { std::setlocale(category_, previous_.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;
    bool Active() const { return active_; }

  private:
    int category_;
    std::string previous_;
    bool active_ = false;
};

// Skips the test when the comma locale is missing (run tools/setup.sh to generate it).
#define SKIP_WITHOUT_COMMA_LOCALE(guard)                                                           \
    if (!(guard).Active())                                                                         \
    GTEST_SKIP() << testing_support::kCommaLocale                                                  \
                 << " is not installed: tools/setup.sh generates it"

} // namespace testing_support
