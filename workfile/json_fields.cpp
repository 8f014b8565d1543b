#include "workfile/json_fields.h"

#include <cmath>
#include <limits>

#include "workfile/work_file.h"

namespace {
QString quoted(const QString& name) { return QStringLiteral("「") + name + QStringLiteral("」"); }

constexpr double kFloatMax = std::numeric_limits<float>::max();

QString number_text(double v) { return QString::number(v, 'g', 10); }
}  // namespace

QString field_name(const QString& where, const char* key) {
    const QString k = QString::fromLatin1(key);
    return where.isEmpty() ? k : where + QLatin1Char('.') + k;
}

QString JsonFields::element(const QString& where, int index) {
    return where + QLatin1Char('[') + QString::number(index + 1) + QLatin1Char(']');
}

void JsonFields::fail(const QString& message) {
    if (problem_.isEmpty()) problem_ = message;
}

void JsonFields::wrong_kind(const QString& name, const char* kind) {
    fail(QStringLiteral("作業ファイルの項目") + quoted(name) +
         QStringLiteral("の値の種類が違います（") + QString::fromUtf8(kind) +
         QStringLiteral("でなければなりません）。"));
}

QJsonValue JsonFields::field(const QJsonObject& in, const QString& where, const char* key) {
    if (!ok()) return {QJsonValue::Undefined};
    const QJsonValue v = in.value(QLatin1String(key));
    if (v.isUndefined())
        fail(QStringLiteral("作業ファイルに項目") + quoted(field_name(where, key)) +
             QStringLiteral("がありません。"));
    return v;
}

QJsonObject JsonFields::object(const QJsonObject& in, const QString& where, const char* key) {
    const QJsonValue v = field(in, where, key);
    if (ok() && !v.isObject()) wrong_kind(field_name(where, key), "項目の集まり { } ");
    return ok() ? v.toObject() : QJsonObject();
}

QJsonArray JsonFields::array(const QJsonObject& in, const QString& where, const char* key,
                             int max_size) {
    const QJsonValue v = field(in, where, key);
    if (ok() && !v.isArray()) wrong_kind(field_name(where, key), "並び [ ] ");
    if (ok() && v.toArray().size() > max_size)
        fail(QStringLiteral("作業ファイルの項目") + quoted(field_name(where, key)) +
             QStringLiteral("の数が ") + QString::number(v.toArray().size()) +
             QStringLiteral(" 個あります（") + QString::number(max_size) +
             QStringLiteral(" 個までです）。"));
    return ok() ? v.toArray() : QJsonArray();
}

bool JsonFields::flag(const QJsonObject& in, const QString& where, const char* key) {
    const QJsonValue v = field(in, where, key);
    if (ok() && !v.isBool()) wrong_kind(field_name(where, key), " true か false ");
    return ok() && v.toBool();
}

void JsonFields::out_of_range(const QString& name, double v, double lo, double hi) {
    fail(QStringLiteral("作業ファイルの項目") + quoted(name) + QStringLiteral("の値 ") +
         number_text(v) + QStringLiteral(" が範囲（") + number_text(lo) + QStringLiteral("〜") +
         number_text(hi) + QStringLiteral("）の外です。"));
}

double JsonFields::number(const QJsonObject& in, const QString& where, const char* key, double lo,
                          double hi) {
    const QJsonValue v = field(in, where, key);
    if (ok() && !v.isDouble()) wrong_kind(field_name(where, key), "数");
    if (!ok()) return 0;
    const double d = v.toDouble();
    if (!std::isfinite(d) || d < lo || d > hi) out_of_range(field_name(where, key), d, lo, hi);
    return ok() ? d : 0;
}

float JsonFields::real(const QJsonObject& in, const QString& where, const char* key, double lo,
                       double hi) {
    const double d = number(in, where, key, -kFloatMax, kFloatMax);
    const auto f = static_cast<float>(d);
    if (ok() && (f < static_cast<float>(lo) || f > static_cast<float>(hi)))
        out_of_range(field_name(where, key), d, lo, hi);
    return ok() ? f : 0.0f;
}

std::int64_t JsonFields::integer(const QJsonObject& in, const QString& where, const char* key,
                                 std::int64_t lo, std::int64_t hi) {
    const double d = number(in, where, key, static_cast<double>(lo), static_cast<double>(hi));
    if (ok() && std::floor(d) != d) wrong_kind(field_name(where, key), "整数");
    return ok() ? static_cast<std::int64_t>(d) : 0;
}

QString JsonFields::text(const QJsonObject& in, const QString& where, const char* key,
                         int max_chars) {
    const QJsonValue v = field(in, where, key);
    if (ok() && !v.isString()) wrong_kind(field_name(where, key), "文字列");
    if (!ok()) return {};
    const QString s = v.toString();
    if (s.size() > max_chars) {
        fail(QStringLiteral("作業ファイルの項目") + quoted(field_name(where, key)) +
             QStringLiteral("が長すぎます（") + QString::number(max_chars) +
             QStringLiteral(" 文字までです）。"));
        return {};
    }
    for (const QChar c : s) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            fail(QStringLiteral("作業ファイルの項目") + quoted(field_name(where, key)) +
                 QStringLiteral("に使えない文字（制御文字）が含まれています。"));
            return {};
        }
    }
    return s;
}

QString JsonFields::path(const QJsonObject& in, const QString& where, const char* key,
                         bool absolute) {
    const QJsonValue v = field(in, where, key);
    if (ok() && !v.isString()) wrong_kind(field_name(where, key), "文字列");
    if (!ok()) return {};
    const QString s = v.toString();
    const QString name = quoted(field_name(where, key));
    if (s.contains(QChar(0))) {
        fail(QStringLiteral("作業ファイルのパス") + name +
             QStringLiteral("に使えない文字（NUL）が含まれています。"));
    } else if (s.toUtf8().size() > kMaxWorkPath) {
        fail(QStringLiteral("作業ファイルのパス") + name + QStringLiteral("が長すぎます。"));
    } else if (absolute && !s.startsWith(QLatin1Char('/'))) {
        fail(QStringLiteral("作業ファイルのパス") + name +
             QStringLiteral("が「/」から始まる絶対パスではありません。"));
    }
    return ok() ? s : QString();
}
