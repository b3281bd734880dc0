// The desktop as Qt provides it: message boxes, the open-file dialog, the system clipboard, the
// executable's folder, today's date and opening documents or web addresses.
#pragma once

#include <QString>

#include "platform/platform.h"

namespace sifton {

class QtPlatform : public Platform {
  public:
    void showWarning(const std::string& title, const std::string& text) override;
    std::optional<std::string> openFileDialog(const FileDialogSettings& settings) override;
    std::optional<std::string> saveFileDialog(const FileDialogSettings& settings) override;
    std::string clipboardText() override;
    bool setClipboardText(const std::string& text) override;
    std::string executableFolder() override;
    Date today() override;
    bool openExternal(const std::string& target) override;
};

// One Qt name filter from a (description, pattern) pair. Patterns with letters also match the
// upper-case spelling ("*.csv" gives "*.csv *.CSV", since file names on this desktop are case
// sensitive), and "*.*" becomes "*" so that files without a dot are shown too. A pattern list
// already written at the end of the description in parentheses is replaced, not repeated.
QString qtNameFilter(const std::string& description, const std::string& pattern);

}  // namespace sifton
