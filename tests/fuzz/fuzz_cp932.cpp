// The CP932 line writer: lines of any text, converted and written to a file. What is written
// is exactly what the conversion gives, and nothing is written when a character has no code.
#include <QFile>
#include <QString>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    start_fuzz_application();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::vector<QString> lines;
    for (const QString& line : text.split(u'\n')) lines.push_back(line);
    (void)to_cp932(text);
    const auto bytes = cp932_lines(lines);
    // Writing a file costs a hundred conversions: one input in sixteen goes through to disk.
    if (size == 0 || data[0] % 16 != 0) return 0;
    const QString path = QString::fromStdString(fuzz_folder() + "/lines.csv");
    QFile::remove(path);
    QString error;
    const bool written = write_cp932_lines(path, lines, &error);
    if (written != bytes.has_value()) __builtin_trap();
    if (written) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) __builtin_trap();
        if (file.readAll().toStdString() != *bytes) __builtin_trap();
    }
    return 0;
}
