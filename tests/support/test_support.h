#pragma once
// Helpers shared by the unit tests.

#include "platform/messages.h"

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

} // namespace testing_support
