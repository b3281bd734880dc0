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

// What the help window says when the desktop did not open the help document or the web page:
// what failed and where the document lies, so that it can be opened by hand.
inline std::string helpDocumentFailure(const std::string& path, bool documentExists) {
    if (!documentExists)
        return "The help document is missing. It belongs beside the program, at:\n\n" + path +
               "\n\nInstall the program again to get it back.";
    return "The help document could not be opened: no program for PDF files answered.\n\nIt "
           "lies at:\n\n" +
           path + "\n\nOpen it with any PDF viewer.";
}

inline std::string downloadPageFailure(const std::string& documentPath) {
    return std::string("The web page could not be opened: no web browser answered.\n\n") +
           kDownloadPageAddress + "\n\nThe help document lies at:\n\n" + documentPath;
}

}  // namespace sifton
