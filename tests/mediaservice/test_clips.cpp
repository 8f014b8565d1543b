#include "tests/mediaservice/test_clips.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>

#include "tools/frame_pattern.h"

namespace {
QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}
}  // namespace

std::string temp_path(const std::string& name) {
    return folder().filePath(QString::fromStdString(name)).toStdString();
}

std::string numbered_clip(const ClipSpec& spec, const std::string& name) {
    const std::string path = temp_path(name);
    if (std::filesystem::exists(path)) return path;
    const std::string error = write_clip(path, spec, [&](int k) {
        return numbered_frame(k, spec.width, spec.height);
    });
    EXPECT_EQ(error, "") << name;
    return path;
}

std::string percent_encoded(const std::string& path) {
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '.' || c == '_' || c == '~' || c == '/' || c == '-') {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}
