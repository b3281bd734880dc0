// The desktop operations the program needs, behind one small interface.
//
// The computing code and the windows never talk to the desktop directly: they call a Platform.
// The program runs on QtPlatform; tests run on ScriptedPlatform, which records what was shown
// and answers dialogs from a script, so no modal dialog can ever block a test.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sifton {

// Settings of the open-file dialog. Filters are (description, pattern) pairs such as
// ("All Files (*.*)", "*.*"); selectedFilter counts from 1; an empty initialFolder lets
// the dialog choose its own default folder.
struct FileDialogSettings {
    std::string fileName;
    std::vector<std::pair<std::string, std::string>> filters;
    int selectedFilter = 1;
    std::string initialFolder;
};

struct Date {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Modal message box with a warning icon and an OK button only.
    virtual void showWarning(const std::string& title, const std::string& text) = 0;

    // Modal open-file dialog; the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFileDialog(const FileDialogSettings& settings) = 0;

    // Modal save-file dialog with the same settings (fileName is the name offered); the chosen
    // path, or nothing when the user cancelled. A name typed without an ending gets the chosen
    // filter's ending; overwriting a file is confirmed in the dialog.
    virtual std::optional<std::string> saveFileDialog(const FileDialogSettings& settings) = 0;

    // Plain text on the clipboard, empty when it holds none.
    virtual std::string clipboardText() = 0;

    // Replaces the clipboard content with plain text, without reading what it held, so a
    // clipboard owner that does not answer cannot hold the program up; false when the desktop
    // did not take the text (the clipboard then keeps what it held).
    virtual bool setClipboardText(const std::string& text) = 0;

    // Folder of the running executable, without a trailing separator.
    virtual std::string executableFolder() = 0;

    virtual Date today() = 0;

    // Opens a document path or a web address with the desktop's default program and returns
    // without waiting for it; false when the desktop refused.
    virtual bool openExternal(const std::string& target) = 0;
};

}  // namespace sifton
