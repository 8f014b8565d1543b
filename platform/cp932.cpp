#include "platform/cp932.h"

#include <iconv.h>

#include "platform/replace_file.h"

std::optional<std::string> to_cp932(const QString& text) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    QByteArray in = text.toUtf8();
    std::string out(static_cast<std::size_t>(in.size()) * 2 + 8, '\0');
    char* inp = in.data();
    std::size_t inleft = static_cast<std::size_t>(in.size());
    char* outp = out.data();
    std::size_t outleft = out.size();
    const std::size_t rc = iconv(cd, &inp, &inleft, &outp, &outleft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || inleft != 0) return {};
    out.resize(out.size() - outleft);
    return out;
}

std::optional<std::string> cp932_lines(const std::vector<QString>& lines) {
    std::string bytes;
    for (const QString& line : lines) {
        const auto encoded = to_cp932(line);
        if (!encoded) return {};
        bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}

bool write_cp932_lines(const QString& path, const std::vector<QString>& lines, QString* error,
                       int* error_number) {
    const auto bytes = cp932_lines(lines);
    if (!bytes) {
        if (error) *error = QStringLiteral("CP932 に変換できない文字があります");
        if (error_number) *error_number = 0;
        return false;
    }
    return replace_file(path, *bytes, error, error_number);
}
