// sifton-report's entry: the command (report_command.h) on the process's streams, environment
// and folder, and the plot writer, which paints through Qt on its offscreen platform.
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>

#include "report_cli/report_command.h"
#include "ui/plot_geometry.h"
#include "ui/plot_painter.h"

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const char* date = std::getenv("SIFTON_DATE");

    // Painting needs a QGuiApplication, made only when a plot is asked for; the offscreen
    // platform needs no display and shows nothing.
    std::unique_ptr<QGuiApplication> app;
    auto writePlot = [&](const sifton::PlotGeometry& geometry,
                         const std::string& path) -> std::string {
        if (QGuiApplication::instance() == nullptr) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            app = std::make_unique<QGuiApplication>(argc, argv);
        }
        if (!sifton::writePlot(geometry, path, *sifton::plotFormatFor(path)))
            return "the plot could not be written.";
        return {};
    };

    sifton::cli::Environment env{std::cin,
                                 std::cout,
                                 std::cerr,
                                 ec ? std::string(".") : self.parent_path().string(),
                                 date != nullptr ? date : "",
                                 {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                                 isatty(STDERR_FILENO) == 1,
                                 writePlot};
    return sifton::cli::runReportCommand({argv + 1, argv + argc}, env);
}
