// The texts and targets of the help window, kept free of Qt so that they can be checked byte for
// byte: the two message texts (lines end with CR alone), the download page address and the path
// of the help document beside the executable.
#pragma once

#include <filesystem>
#include <string>

namespace sifton {

// The program's download page, shown in the about text and opened by cmdDownload.
inline constexpr const char* kDownloadPageAddress = "https://sifton.example.org/download";

// File name of the help document in HelpFolder.
inline constexpr const char* kHelpDocumentName = "Sifton-help.pdf";

// The credit line and the program line of the help window's lblRizsa labels.
inline constexpr const char* kHelpCreditLine = "Sifton contributors";
inline constexpr const char* kHelpProgramLine = "Windows program for outlier test.";

inline std::string descriptionText() {
    return "The detailed description of this program and also the format of the data files can "
           "be found in the attached PDF file.\r\r";
}

inline std::string aboutText() {
    return std::string(
               "This is a test version, the author would be happy receive comments for the "
               "further development.\r\r"
               "The 'results' of the tests are just very coarse suggestions and valid only in "
               "special circumstances. For more details study the Description file, please\r\r"
               "Download, updates and Help(coming soon):\r") +
           kDownloadPageAddress + "\r\r";
}

// The help document in the given folder, joined with the platform's own separator.
inline std::string helpDocumentPath(const std::string& helpFolder) {
    return (std::filesystem::path(helpFolder) / kHelpDocumentName).string();
}

}  // namespace sifton
