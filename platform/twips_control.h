#pragma once
#include <QString>
#include <QWidget>

#include "platform/twips.h"

// Makes a control on `parent`, named so that handlers and tests can find it, and places it at
// a position given in twips relative to the parent.
template <class Control>
Control* make_twips_control(QWidget* parent, const char* name, double left, double top,
                            double width, double height) {
    auto* c = new Control(parent);
    c->setObjectName(QString::fromUtf8(name));
    place_twips(c, left, top, width, height);
    return c;
}
