#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <limits>
#include <optional>

#include "tables/csv_table.h"
#include "tables/save_table_csv.h"
#include "tests/platform/file_size_limit.h"
#include "tests/tables/table_test_support.h"

namespace {

const QString kFilter = QStringLiteral("x,y-tデータ(*.csv)|*.csv");
const CsvHeader kHeader{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
const TableRowsNow kRows = [] {
    return std::vector<TableRow>{{0.0f, 0.5f, -0.25f}, {2.0f, 1.5f, 0.000015f}};
};
const std::string kRowsFile =
    "\"a\",\"b\",\"c\"\r\n\" 0\",\" .5\",\"-.25\"\r\n\" 2\",\" 1.5\",\" 1.5E-05\"\r\n";
const std::string kOldFile = "old contents that must survive a failed save\r\n";

using CsvSave = TableTest;

TEST_F(CsvSave, AsksForANewNameWithTheFilterAndCsvExtension) {
    desk.save_answers.push_back(path_in_dir("t.csv"));
    EXPECT_EQ(save_table_csv(kFilter, kHeader, kRows), CsvSaveOutcome::Saved);
    ASSERT_EQ(desk.save_requests.size(), 1u);
    EXPECT_EQ(desk.save_requests[0].filter, kFilter + QStringLiteral("|CSV UTF-8 (*.csv)|*.csv"));
    EXPECT_TRUE(desk.save_requests[0].file_name.isEmpty());
    EXPECT_EQ(desk.save_requests[0].default_extension, QStringLiteral("csv"));
    EXPECT_TRUE(desk.messages.empty()) << "a new name is not a question";
    EXPECT_EQ(read_bytes(path_in_dir("t.csv")), kRowsFile);
    EXPECT_EQ(desk.beeps, 0);
}

TEST_F(CsvSave, CancelAndNoLeaveTheDiskAsItWas) {
    write_bytes(path_in_dir("t.csv"), kOldFile);
    desk.save_answers.push_back(std::nullopt);
    EXPECT_EQ(save_table_csv(kFilter, kHeader, kRows), CsvSaveOutcome::Cancelled);
    EXPECT_TRUE(desk.messages.empty());

    desk.save_answers.push_back(path_in_dir("t.csv"));
    desk.yes_no_answers.push_back(false);
    EXPECT_EQ(save_table_csv(kFilter, kHeader, kRows), CsvSaveOutcome::KeptExisting);

    EXPECT_EQ(read_bytes(path_in_dir("t.csv")), kOldFile);
    EXPECT_EQ(dir_entries(), QStringList{QStringLiteral("t.csv")});
    EXPECT_EQ(desk.beeps, 0);
}

TEST_F(CsvSave, YesReplacesTheFileAndKeepsItsPermissions) {
    write_bytes(path_in_dir("t.csv"), kOldFile + kOldFile + kOldFile);
    const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path_in_dir("t.csv"), perms));
    desk.save_answers.push_back(path_in_dir("t.csv"));
    desk.yes_no_answers.push_back(true);

    EXPECT_EQ(save_table_csv(kFilter, kHeader, kRows), CsvSaveOutcome::Saved);

    ASSERT_EQ(desk.messages.size(), 1u);
    EXPECT_EQ(desk.messages[0].kind, QStringLiteral("question"));
    EXPECT_EQ(desk.messages[0].title, program_name());
    EXPECT_EQ(desk.messages[0].text,
              QStringLiteral("同じ名前のファイルが存在します。\r\n上書きしますか？"));
    EXPECT_EQ(read_bytes(path_in_dir("t.csv")), kRowsFile) << "only the new data";
    EXPECT_EQ(QFile::permissions(path_in_dir("t.csv")) & 0x7077, perms & 0x7077);
    EXPECT_EQ(dir_entries(), QStringList{QStringLiteral("t.csv")}) << "no temporary left";
}

TEST_F(CsvSave, ALinkedFileIsReplacedThroughItsLink) {
    write_bytes(path_in_dir("real.csv"), kOldFile);
    ASSERT_TRUE(QFile::link(path_in_dir("real.csv"), path_in_dir("link.csv")));
    desk.save_answers.push_back(path_in_dir("link.csv"));
    desk.yes_no_answers.push_back(true);
    EXPECT_EQ(save_table_csv(kFilter, kHeader, kRows), CsvSaveOutcome::Saved);
    EXPECT_TRUE(QFileInfo(path_in_dir("link.csv")).isSymLink());
    EXPECT_EQ(read_bytes(path_in_dir("real.csv")), kRowsFile);
}

// The file cannot be written after the user said Yes: the old file must survive, whole.
TEST_F(CsvSave, AFailedWriteBeepsAndKeepsTheOldFile) {
    write_bytes(path_in_dir("t.csv"), kOldFile);
    desk.save_answers.push_back(path_in_dir("t.csv"));
    desk.yes_no_answers.push_back(true);
    QString error;
    CsvSaveOutcome outcome;
    {
        const FileSizeLimit full_disk(16);
        outcome = save_table_csv(kFilter, kHeader, kRows, &error);
    }
    EXPECT_EQ(outcome, CsvSaveOutcome::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(desk.beeps, 1);
    ASSERT_EQ(desk.messages.size(), 2u) << "the question, then why the save failed";
    EXPECT_EQ(desk.messages[1].kind, QStringLiteral("error"));
    EXPECT_EQ(
        desk.messages[1].text,
        QStringLiteral("ファイルを保存できませんでした。\n"
                       "ファイルが大きすぎて書き込めません（ディスクの空きか上限を超えました）。"));
    EXPECT_EQ(read_bytes(path_in_dir("t.csv")), kOldFile);
    EXPECT_EQ(dir_entries(), QStringList{QStringLiteral("t.csv")}) << "no temporary left";
}

TEST_F(CsvSave, AFolderThatCannotBeWrittenBeepsAndKeepsTheOldFile) {
    write_bytes(path_in_dir("t.csv"), kOldFile);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (access(dir.path().toLocal8Bit().constData(), W_OK) == 0) {
        QFile::setPermissions(
            dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "permissions do not bind this user (root); the full-disk case covers it";
    }
    desk.save_answers.push_back(path_in_dir("t.csv"));
    desk.yes_no_answers.push_back(true);
    EXPECT_EQ(save_table_csv(kFilter, kHeader, kRows), CsvSaveOutcome::Failed);
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(desk.beeps, 1);
    EXPECT_TRUE(desk.messages.back().text.contains(QStringLiteral("書き込む権限がありません")));
    EXPECT_EQ(read_bytes(path_in_dir("t.csv")), kOldFile);
    EXPECT_EQ(dir_entries(), QStringList{QStringLiteral("t.csv")});
}

// Names near the file system's limit of 255 bytes (a Japanese character takes 3) and a link
// whose file cannot be rewritten: a name that fits is saved, one that does not fails, and a
// failure leaves the old file and the link as they were, with no temporary anywhere.
TEST_F(CsvSave, LongNamesAndLinkedFiles) {
    const auto japanese = [](int n) { return QString(n, QChar(0x8868)) + QStringLiteral(".csv"); };
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    write_bytes(path_in_dir("sub/real.csv"), kOldFile);
    ASSERT_TRUE(QFile::link(path_in_dir("sub/real.csv"), path_in_dir("link.csv")));
    const struct {
        QString chosen;
        long size_limit;  // bytes a file may grow to; -1: no limit
        CsvSaveOutcome outcome;
        QString check;  // the file to read afterwards
        std::string bytes;
    } cases[] = {
        {japanese(81), -1, CsvSaveOutcome::Saved, japanese(81), kRowsFile},
        {japanese(83), -1, CsvSaveOutcome::Saved, japanese(83), kRowsFile},  // 253 bytes
        {japanese(84), -1, CsvSaveOutcome::Failed, japanese(84), "<unreadable>"},
        {QStringLiteral("link.csv"), 16, CsvSaveOutcome::Failed, QStringLiteral("sub/real.csv"),
         kOldFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.size());
        desk.save_answers.push_back(path_in_dir(c.chosen));
        desk.yes_no_answers.push_back(true);
        CsvSaveOutcome outcome;
        {
            std::optional<FileSizeLimit> limit;
            if (c.size_limit >= 0) limit.emplace(static_cast<rlim_t>(c.size_limit));
            outcome = save_table_csv(kFilter, kHeader, kRows);
        }
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(read_bytes(path_in_dir(c.check)), c.bytes);
    }
    EXPECT_EQ(desk.beeps, 2);
    EXPECT_TRUE(desk.messages[0].text.endsWith(
        QStringLiteral("ファイル名が長すぎます。短い名前にしてください。")));
    EXPECT_TRUE(QFileInfo(path_in_dir("link.csv")).isSymLink());
    QStringList expected{japanese(81), japanese(83), QStringLiteral("link.csv"),
                         QStringLiteral("sub")};
    expected.sort();
    QStringList entries = dir_entries();
    entries.sort();
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(QDir(path_in_dir("sub")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("real.csv")});
}

TEST_F(CsvSave, AFolderThatDoesNotExistBeepsAndCreatesNothing) {
    desk.save_answers.push_back(path_in_dir("gone/t.csv"));
    EXPECT_EQ(save_table_csv(kFilter, kHeader, kRows), CsvSaveOutcome::Failed);
    EXPECT_EQ(desk.beeps, 1);
    ASSERT_EQ(desk.messages.size(), 1u);
    EXPECT_TRUE(desk.messages[0].text.endsWith(QStringLiteral("保存先のフォルダーがありません。")));
    EXPECT_TRUE(dir_entries().isEmpty());
}

// Where a cell switches to the exponent form: below 1E-04 and from 1E+07 on.
TEST(CsvCells, ExponentThreshold) {
    const struct {
        float value;
        const char* cell;
    } cases[] = {
        {0.0001f, " .0001"},
        {0.00009999f, " 9.999E-05"},
        {-0.00001f, "-1E-05"},
        {0.000015f, " 1.5E-05"},
        {1234567.0f, " 1234567"},
        {9999999.0f, " 9999999"},
        {12345678.0f, " 1.234568E+07"},
        {-1.5f, "-1.5"},
        {3.0f, " 3"},
        {1.0f / 30.0f, " .03333334"},
        {0.0f, " 0"},
        {-0.25f, "-.25"},
        // An interval without frames between its marks has no velocity: an empty cell.
        {std::numeric_limits<float>::quiet_NaN(), ""},
    };
    for (const auto& c : cases) {
        const auto bytes = csv_file_bytes(kHeader, {{c.value, 0.0f, 0.0f}});
        ASSERT_TRUE(bytes.has_value());
        const std::string expected =
            "\"a\",\"b\",\"c\"\r\n\"" + std::string(c.cell) + "\",\" 0\",\" 0\"\r\n";
        EXPECT_EQ(*bytes, expected) << c.value;
    }
}

}  // namespace
