#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/cp932.h"
#include "tests/platform/file_size_limit.h"

namespace {

std::string read_all(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<unreadable>";
}

void write_all(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

const std::string kOld = "a file the user already had, which no failure may take away\r\n";

TEST(Cp932Lines, EveryLineEndsInCrLf) {
    EXPECT_EQ(cp932_lines({QStringLiteral("時間"), QStringLiteral("ｘ－")}),
              std::string("\x8e\x9e\x8a\xd4\r\n\x82\x98\x81\x7c\r\n"));
    EXPECT_EQ(cp932_lines({}), std::string());
    EXPECT_FALSE(cp932_lines({QStringLiteral("ok"), QString::fromUtf8("\xF0\x9F\x98\x80")}));
}

// A failure of any kind reports an error and leaves the file that was there as it was.
TEST(WriteCp932Lines, AFailureKeepsTheFileThatWasThere) {
    struct Case {
        const char* name;
        std::vector<QString> lines;
        rlim_t size_limit;
        bool ok;
        std::string expected;
    };
    const rlim_t no_limit = RLIM_INFINITY;
    const Case cases[] = {
        {"replaced",
         {QStringLiteral("新"), QStringLiteral("x")},
         no_limit,
         true,
         "\x90\x56\r\nx\r\n"},
        {"a character without a code",
         {QString::fromUtf8("\xF0\x9F\x98\x80")},
         no_limit,
         false,
         kOld},
        {"a full disk", {QString(200, QLatin1Char('x'))}, 16, false, kOld},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.csv"));
        write_all(path, kOld);
        QString error;
        bool ok = false;
        {
            const FileSizeLimit limit(c.size_limit);
            ok = write_cp932_lines(path, c.lines, &error);
        }
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(error.isEmpty(), c.ok);
        EXPECT_EQ(read_all(path), c.expected);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

}  // namespace
