#pragma once
// Work files damaged on purpose: a JSON value with one value put elsewhere. Header only: the
// work-file tests and the window tests share it.
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

// `v` put at `path` ("marks/2/frame": member, element, member) of a JSON value; an undefined
// `v` removes what is there.
inline QJsonValue edited(const QJsonValue& in, QStringList path, const QJsonValue& v) {
    if (path.isEmpty()) return v;
    const QString step = path.takeFirst();
    if (in.isArray()) {
        QJsonArray a = in.toArray();
        a[step.toInt()] = edited(a[step.toInt()], path, v);
        return a;
    }
    QJsonObject o = in.toObject();
    if (path.isEmpty() && v.isUndefined()) {
        o.remove(step);
    } else {
        o[step] = edited(o[step], path, v);
    }
    return o;
}
