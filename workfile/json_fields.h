#pragma once
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <cstdint>

// Reads the fields of a JSON document with every check a loader needs, and keeps the first
// problem found as a Japanese message that names the field ("marks[3].frame"). After a problem
// every further read gives an empty or zero value, so a loader reads on without branching and
// looks at ok() once at the end.
class JsonFields {
  public:
    bool ok() const { return problem_.isEmpty(); }
    const QString& problem() const { return problem_; }
    // Keeps `message` unless a problem was found before.
    void fail(const QString& message);

    QJsonObject object(const QJsonObject& in, const QString& where, const char* key);
    QJsonArray array(const QJsonObject& in, const QString& where, const char* key, int max_size);
    bool flag(const QJsonObject& in, const QString& where, const char* key);
    // A number within lo .. hi.
    double number(const QJsonObject& in, const QString& where, const char* key, double lo,
                  double hi);
    // A number kept in single precision, within lo .. hi as single-precision values.
    float real(const QJsonObject& in, const QString& where, const char* key, double lo, double hi);
    // A whole number within lo .. hi.
    std::int64_t integer(const QJsonObject& in, const QString& where, const char* key,
                         std::int64_t lo, std::int64_t hi);
    // A text of at most max_chars characters, without control characters.
    QString text(const QJsonObject& in, const QString& where, const char* key, int max_chars);
    // A path: at most kMaxWorkPath bytes in UTF-8 and no NUL; `absolute` asks for a path from
    // the root.
    QString path(const QJsonObject& in, const QString& where, const char* key, bool absolute);

    // "marks[3]" for element 3 of "marks".
    static QString element(const QString& where, int index);

  private:
    // The value of a field that must be there; undefined (after a problem) when it is not.
    QJsonValue field(const QJsonObject& in, const QString& where, const char* key);
    void wrong_kind(const QString& name, const char* kind);
    void out_of_range(const QString& name, double v, double lo, double hi);

    QString problem_;
};

// "marks[3].frame": the name of a field in messages.
QString field_name(const QString& where, const char* key);
