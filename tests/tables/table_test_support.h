#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <string>

#include "tests/support/scripted_desktop.h"

// A fresh analysis state, a scripted desktop and an empty temporary folder for every test.
class TableTest : public ::testing::Test {
  protected:
    TableTest();
    ~TableTest() override;

    QString path_in_dir(const QString& name) const;
    QStringList dir_entries() const;

    ScriptedDesktop desk;
    QTemporaryDir dir;

  private:
    ScopedDesktop scoped_{desk};
};

// Marks 1 .. n as the main window records them: mark i at (x_step·i, y_step·i) ruler units,
// one metre a unit, `frames` frame intervals of `frame_time` after the mark before.
void set_marks(int n, float frame_time, float x_step, float y_step, std::int16_t frames = 1);

std::string read_bytes(const QString& path);
void write_bytes(const QString& path, const std::string& bytes);
