#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "platform/number_text.h"

namespace {

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatNumber, DisplayPatterns) {
    const PatternCase cases[] = {
        {5.0, "##0.00", "5.00"},
        {0.0, "##0.00", "0.00"},
        {7.9, "##0.00", "7.90"},
        {-1.234, "##0.00", "-1.23"},
        {0.125, "##0.00", "0.13"},
        {1234.5, "##0.00", "1234.50"},
        {0.5, "##.#0", ".50"},
        {-0.5, "##.#0", "-.50"},
        {0.0, "##.#0", ".00"},
        {9.0, "##.#0", "9.00"},
        {-1.0, "##.#0", "-1.00"},
        {9.8, "####.#0", "9.80"},
        {-9.8, "####.#0", "-9.80"},
        {0.25, "####.#0", ".25"},
        {22.5, "####.#0", "22.50"},
        {123456.0, "####.#0", "123456.00"},
        {5.9999998, "###0.0", "6.0"},
        {0.0, "###0.0", "0.0"},
        {-15.0, "##0.0", "-15.0"},
        {60.0, "###0.0", "60.0"},
        {0.0333, "0.000", "0.033"},
        {-1.25, "#0.000", "-1.250"},
        {0.1, "#0.000", "0.100"},
        {3.0, "#0", "3"},
        {0.0, "#0", "0"},
        {12.0, "#0", "12"},
        {0.0005, "0.000", "0.001"},
        {-0.0004, "0.000", "0.000"},
        {2.675, "##0.00", "2.68"},
        {0.5, "###0.0", "0.5"},
        {9.8, "####.0", "9.8"},
        {-9.8, "####.0", "-9.8"},
        {0.25, "####.0", ".3"},
        {12345.67, "####.0", "12345.7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(format_number(c.value, c.pattern).toStdString(), c.expected)
            << c.value << " with " << c.pattern;
    }
}

TEST(FormatNumber, SingleValuesAtTheirOwnPrecision) {
    EXPECT_EQ(format_number(5.9999998f, "###0.0").toStdString(), "6.0");
    EXPECT_EQ(format_number(1.0f / 30.0f, "0.000").toStdString(), "0.033");
    EXPECT_EQ(format_number(0.1f * 3.0f, "#0.000").toStdString(), "0.300");
    EXPECT_EQ(format_number(-1.0f / 256.0f, "##.#0").toStdString(), ".00");
}

struct GeneralCase {
    float value;
    const char* general;
    const char* csv;
};

TEST(GeneralAndCsvNumber, Rules) {
    const GeneralCase cases[] = {
        {2.0f, "2", " 2"},
        {1.5f, "1.5", " 1.5"},
        {0.5f, "0.5", " .5"},
        {-0.25f, "-0.25", "-.25"},
        {0.0f, "0", " 0"},
        {0.000015f, "1.5E-05", " 1.5E-05"},
        {0.0001f, "0.0001", " .0001"},
        {2.5f, "2.5", " 2.5"},
        {1.0f / 30.0f, "0.03333334", " .03333334"},
        {12345678.0f, "1.234568E+07", " 1.234568E+07"},
        {1234567.0f, "1234567", " 1234567"},
        {-3.0f, "-3", "-3"},
        {0.1f * 3.0f, "0.3", " .3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(general_number(c.value).toStdString(), c.general) << c.value;
        EXPECT_EQ(csv_number(c.value).toStdString(), c.csv) << c.value;
    }
}

TEST(NumberTexts, UndefinedValuesShowAsEmpty) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float v : {nan, inf, -inf}) {
        EXPECT_TRUE(format_number(v, "#0.000").isEmpty());
        EXPECT_TRUE(format_number(static_cast<double>(v), "##0.00").isEmpty());
        EXPECT_TRUE(general_number(v).isEmpty());
        EXPECT_TRUE(csv_number(v).isEmpty());
    }
}

TEST(ParseInt16, NearestHalvesToEvenAndRange) {
    struct Case {
        const char* text;
        std::optional<std::int16_t> expected;
    };
    const Case cases[] = {
        {"2", 2},  {" 400 ", 400},     {"2.5", 2},         {"3.5", 4},    {"-2.5", -2},
        {"0", 0},  {"32767", 32767},   {"-32768", -32768}, {"32768", {}}, {"-32769", {}},
        {"", {}},  {"abc", {}},        {"1e3", 1000},      {"２", 2},     {"4x", {}},
        {".", {}}, {"32767.4", 32767}, {"32767.5", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse_int16(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(ParseDecimal, AcceptsOnlyWholeNumbers) {
    EXPECT_EQ(parse_decimal("50"), 50.0);
    EXPECT_EQ(parse_decimal(" 12.5 "), 12.5);
    EXPECT_EQ(parse_decimal("５０"), 50.0);
    EXPECT_FALSE(parse_decimal("12cm"));
    EXPECT_FALSE(parse_decimal(""));
    EXPECT_FALSE(parse_decimal("1e999"));
}

TEST(LeadingNumber, ReadsLikeAReplyConversion) {
    EXPECT_EQ(leading_number("300"), 300.0);
    EXPECT_EQ(leading_number("  42 frames"), 42.0);
    EXPECT_EQ(leading_number("-7.5x"), -7.5);
    EXPECT_EQ(leading_number("エラー"), 0.0);
    EXPECT_EQ(leading_number(""), 0.0);
    EXPECT_EQ(leading_number("1e2"), 100.0);
    EXPECT_EQ(round_to_int16(leading_number("40000")), std::nullopt);
    EXPECT_EQ(round_to_int16(leading_number("12.5")), 12);
}

// Switches the number conventions of the C library to a locale whose decimal separator is a
// comma, as on a desktop set up for German, for the lifetime of the guard. The locale is
// compiled into a temporary folder when the system has none installed.
class CommaLocale {
  public:
    CommaLocale() {
        saved_ = std::setlocale(LC_NUMERIC, nullptr);
        if (const char* path = std::getenv("LOCPATH")) saved_path_ = path;
        if (try_locale()) return;
        if (!dir_.isValid()) return;
        const QByteArray compiled = dir_.path().toLocal8Bit() + "/de_DE.UTF-8";
        const QByteArray make = "localedef -i de_DE -f UTF-8 '" + compiled + "' >/dev/null 2>&1";
        if (std::system(make.constData()) != 0) return;
        setenv("LOCPATH", dir_.path().toLocal8Bit().constData(), 1);
        try_locale();
    }
    ~CommaLocale() {
        std::setlocale(LC_NUMERIC, saved_.c_str());
        if (saved_path_) {
            setenv("LOCPATH", saved_path_->c_str(), 1);
        } else {
            unsetenv("LOCPATH");
        }
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;
    bool active() const { return active_; }

  private:
    bool try_locale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (std::setlocale(LC_NUMERIC, name) &&
                std::string(std::localeconv()->decimal_point) == ",") {
                active_ = true;
                return true;
            }
        }
        return false;
    }
    std::string saved_;
    std::optional<std::string> saved_path_;
    QTemporaryDir dir_;
    bool active_ = false;
};

TEST(NumberTexts, ReadAndWrittenWithAPointWhateverTheRegionalSettings) {
    const CommaLocale comma;
    if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma can be made here";
    EXPECT_EQ(parse_decimal("12.5"), 12.5);
    EXPECT_FALSE(parse_decimal("12,5"));
    EXPECT_EQ(parse_int16("2.5"), 2);
    EXPECT_EQ(parse_int16("3.5"), 4);
    EXPECT_EQ(leading_number("7.5 frames"), 7.5);
    EXPECT_EQ(format_number(-1.25, "#0.000").toStdString(), "-1.250");
    EXPECT_EQ(general_number(2.5f).toStdString(), "2.5");
    EXPECT_EQ(csv_number(0.000015f).toStdString(), " 1.5E-05");
}

}  // namespace
