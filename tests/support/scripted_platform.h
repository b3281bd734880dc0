// A Platform for tests: records every message, clipboard write and opened target, answers the
// open and save dialogs from queues of scripted answers (cancel when a queue is empty), and can
// be told to fail clipboard writes.
#pragma once

#include <deque>

#include "platform/platform.h"

namespace sifton {

class ScriptedPlatform : public Platform {
  public:
    struct Message {
        std::string title;
        std::string text;
    };

    void showWarning(const std::string& title, const std::string& text) override;
    std::optional<std::string> openFileDialog(const FileDialogSettings& settings) override;
    std::optional<std::string> saveFileDialog(const FileDialogSettings& settings) override;
    std::string clipboardText() override { return clipboard; }
    bool setClipboardText(const std::string& text) override;
    std::string executableFolder() override { return folder; }
    Date today() override { return date; }
    bool openExternal(const std::string& target) override;

    // Script and records, public on purpose: tests set and read them directly.
    std::deque<std::optional<std::string>> dialogAnswers;
    std::vector<FileDialogSettings> dialogsShown;
    std::deque<std::optional<std::string>> saveAnswers;  // the save dialog's, likewise
    std::vector<FileDialogSettings> saveDialogsShown;
    std::vector<Message> messages;
    std::string clipboard;
    int clipboardWrites = 0;
    bool clipboardFails = false;
    std::string folder = ".";
    Date date{2026, 12, 5};
    std::vector<std::string> opened;
    bool openFails = false;
};

}  // namespace sifton
