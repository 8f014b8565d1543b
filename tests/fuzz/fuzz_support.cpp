#include "tests/fuzz/fuzz_support.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>

void start_fuzz_application() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    static QApplication* app = new QApplication(argc, argv);  // lives as long as the process
    (void)app;
}

namespace {
struct Folder {
    Folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kv_fuzz_XXXXXX").string();
        path = mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
    }
    ~Folder() {
        std::error_code ec;
        if (path != "/tmp") std::filesystem::remove_all(path, ec);
    }
    std::string path;
};
}  // namespace

const std::string& fuzz_folder() {
    static Folder folder;
    return folder.path;
}

std::string write_fuzz_file(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz_folder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}
