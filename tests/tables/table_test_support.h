#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

#include "platform/scripted_desktop.h"

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

// Marks 1 .. n with the given times and positions (index 0 unused).
void set_marks(int n, float time_step, float x_step, float y_step);

std::string read_bytes(const QString& path);
void write_bytes(const QString& path, const std::string& bytes);
