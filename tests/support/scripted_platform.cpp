#include "tests/support/scripted_platform.h"

namespace sifton {

void ScriptedPlatform::showWarning(const std::string& title, const std::string& text) {
    messages.push_back({title, text});
}

std::optional<std::string> ScriptedPlatform::openFileDialog(const FileDialogSettings& settings) {
    dialogsShown.push_back(settings);
    if (dialogAnswers.empty()) return std::nullopt;
    auto answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPlatform::saveFileDialog(const FileDialogSettings& settings) {
    saveDialogsShown.push_back(settings);
    if (saveAnswers.empty()) return std::nullopt;
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

bool ScriptedPlatform::setClipboardText(const std::string& text) {
    if (clipboardFails) return false;
    clipboard = text;
    ++clipboardWrites;
    return true;
}

bool ScriptedPlatform::openExternal(const std::string& target) {
    opened.push_back(target);
    return !openFails;
}

}  // namespace sifton
