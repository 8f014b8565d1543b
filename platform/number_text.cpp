#include "platform/number_text.h"

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// strtod in the "C" locale: the decimal point is a point whatever the user's regional
// settings (the application object adopts them, and strtod follows them).
double c_strtod(const char* text) {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text, nullptr, c_locale);
}

// |value| as significant digits and a decimal exponent: value = 0.d1d2... * 10^(exp + 1).
struct Digits {
    std::string digits;  // exactly `sig` digits, the first non-zero (or "0" for zero)
    int exp = 0;
};

Digits decimal_digits(double value, int sig) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", sig - 1, std::fabs(value));
    Digits d;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
    d.exp = (*p == 'e') ? std::atoi(p + 1) : 0;
    return d;
}

// Adds one to a string of decimal digits.
void increment(std::string& n) {
    for (auto it = n.rbegin(); it != n.rend(); ++it) {
        if (*it == '9') {
            *it = '0';
        } else {
            ++*it;
            return;
        }
    }
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on an insert at the front.
    std::string carried(1, '1');
    carried += n;
    n = std::move(carried);
}

// round(|value| * 10^decimals), halves away from zero, as digits.
std::string scaled_rounded(const Digits& d, int decimals) {
    const int kept = d.exp + 1 + decimals;
    if (kept < 0) return "0";
    std::string n;
    if (kept >= static_cast<int>(d.digits.size())) {
        n = d.digits + std::string(static_cast<std::size_t>(kept) - d.digits.size(), '0');
    } else {
        n = d.digits.substr(0, static_cast<std::size_t>(kept));
        if (n.empty()) n.push_back('0');
        if (d.digits[static_cast<std::size_t>(kept)] >= '5') increment(n);
    }
    const auto first = n.find_first_not_of('0');
    return first == std::string::npos ? "0" : n.substr(first);
}

QString format_digits(double value, std::string_view pattern, int sig) {
    const auto point = pattern.find('.');
    const std::string_view int_pat = pattern.substr(0, point);
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
    int min_int = 0;
    for (char c : int_pat)
        if (c == '0') ++min_int;

    if (!std::isfinite(value)) return {};  // an undefined value shows as an empty cell
    const std::string n = scaled_rounded(decimal_digits(value, sig), decimals);
    std::string padded = n;
    if (static_cast<int>(padded.size()) < decimals + 1)
        padded.insert(0, static_cast<std::size_t>(decimals + 1) - padded.size(), '0');
    std::string int_part = padded.substr(0, padded.size() - static_cast<std::size_t>(decimals));
    const std::string frac = padded.substr(padded.size() - static_cast<std::size_t>(decimals));
    const auto first = int_part.find_first_not_of('0');
    int_part = first == std::string::npos ? "" : int_part.substr(first);
    if (static_cast<int>(int_part.size()) < min_int)
        int_part.insert(0, static_cast<std::size_t>(min_int) - int_part.size(), '0');

    std::string out;
    if (value < 0 && n != "0") out.push_back('-');
    out += int_part;
    if (decimals > 0) out.append(1, '.').append(frac);
    return QString::fromStdString(out);
}

std::string general_text(float value) {
    if (value == 0.0f) return "0";
    if (!std::isfinite(value)) return {};
    const Digits d = decimal_digits(value, 7);
    std::string digits = d.digits;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = value < 0 ? "-" : "";
    if (d.exp < -4 || d.exp >= 7) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out.append(1, '.').append(digits, 1);
        char e[24];
        std::snprintf(e, sizeof e, "E%c%02d", d.exp < 0 ? '-' : '+', std::abs(d.exp));
        return out + e;
    }
    if (d.exp < 0) {
        out += "0." + std::string(static_cast<std::size_t>(-d.exp - 1), '0') + digits;
    } else if (static_cast<int>(digits.size()) <= d.exp + 1) {
        out += digits + std::string(static_cast<std::size_t>(d.exp + 1) - digits.size(), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(d.exp + 1)) + "." +
               digits.substr(static_cast<std::size_t>(d.exp + 1));
    }
    return out;
}

}  // namespace

QString format_number(double value, std::string_view pattern) {
    return format_digits(value, pattern, 15);
}

QString format_number(float value, std::string_view pattern) {
    return format_digits(static_cast<double>(value), pattern, 7);
}

QString general_number(float value) { return QString::fromStdString(general_text(value)); }

QString csv_number(float value) {
    if (!std::isfinite(value)) return {};
    std::string t = general_text(value);
    const bool negative = !t.empty() && t[0] == '-';
    if (negative) t.erase(0, 1);
    if (t.size() > 1 && t[0] == '0' && t[1] == '.') t.erase(0, 1);
    return QString::fromStdString((negative ? "-" : " ") + t);
}

std::optional<double> parse_decimal(const QString& text) {
    const std::string s = text.normalized(QString::NormalizationForm_KC).trimmed().toStdString();
    if (s.empty()) return {};
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    const std::size_t int_start = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
    std::size_t ndigits = i - int_start;
    if (i < s.size() && s[i] == '.') {
        ++i;
        const std::size_t frac_start = i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
        ndigits += i - frac_start;
    }
    if (ndigits == 0) return {};
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t exp_start = j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
        if (j == exp_start) return {};
        i = j;
    }
    if (i != s.size()) return {};
    const double v = c_strtod(s.c_str());
    if (!std::isfinite(v)) return {};
    return v;
}

std::optional<std::int16_t> round_to_int16(double value) {
    if (!std::isfinite(value)) return {};
    const double r = std::nearbyint(value);  // the default rounding mode: halves to even
    if (r < -32768.0 || r > 32767.0) return {};
    return static_cast<std::int16_t>(r);
}

std::optional<std::int16_t> parse_int16(const QString& text) {
    const auto v = parse_decimal(text);
    if (!v) return {};
    return round_to_int16(*v);
}

double leading_number(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string s;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) s.push_back(text[i++]);
    bool any = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        s.push_back(text[i++]);
        any = true;
    }
    if (i < text.size() && text[i] == '.') {
        s.push_back(text[i++]);
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            s.push_back(text[i++]);
            any = true;
        }
    }
    if (!any) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::string e = "e";
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) e.push_back(text[j++]);
        bool exp_digits = false;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            e.push_back(text[j++]);
            exp_digits = true;
        }
        if (exp_digits) s += e;
    }
    return c_strtod(s.c_str());
}
