#pragma once
#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMainWindow;
class QMenu;

// What the version box says about the running program.
struct ProgramAbout {
    QString name;           // "Kinvora"
    QString title;          // the name on the desktop's menu, "ビデオによる運動の分析"
    QString version;        // "1.0.0"
    QString licence;        // one line
    QStringList libraries;  // "Qt 6.4.2", "FFmpeg …": the versions in use, read at run time
};

// The help menu, to the right of the main window's menus: 使い方 shows the guide in the
// user's browser (through the desktop's default program for HTML), バージョン情報 the
// program's and its libraries' versions.
class HelpMenu : public QObject {
  public:
    // `guide` is the HTML guide's path (see guide_file).
    HelpMenu(QMainWindow& window, ProgramAbout about, QString guide);

    QMenu* mnuhelp = nullptr;
    QAction* mnuguide = nullptr;
    QAction* mnuabout = nullptr;

    void mnuguide_Click();
    void mnuabout_Click();

    // The text of the version box.
    QString about_text() const;

  private:
    QMainWindow& window_;
    ProgramAbout about_;
    QString guide_;
};

// Where the HTML guide of a program in `program_dir` is: installed beside it (PREFIX/bin and
// PREFIX/share/doc/kinvora), or made in the build folder that holds the program (docs/).
// The installed place when neither exists, so that a message can name it.
QString guide_file(const QString& program_dir);
