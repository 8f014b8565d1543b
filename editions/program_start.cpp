#include "editions/program_start.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include "editions/program_about.h"
#include "mainwindow/help_menu.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "platform/app_setup.h"
#include "platform/desktop.h"
#include "platform/qt_translation.h"
#include "video/clip_work.h"
#include "videodevice/video_device.h"

QString clip_argument(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments.at(1).isEmpty()) return {};
    // The file dialog hands over full paths; a relative one is taken from where we started.
    return QFileInfo(arguments.at(1)).absoluteFilePath();
}

void open_clip_argument(Form1& main_window, const QStringList& arguments) {
    const QString path = clip_argument(arguments);
    if (path.isEmpty()) return;
    if (main_window.clip_work) {
        main_window.clip_work->open_file(path);
    } else {
        main_window.open_clip(path);
    }
}

Form1& start_main_window(const ProgramEdition& program) {
    set_program_name(program.name);
    set_program_edition(program.edition);
    Form1& main_window = form1().get();
    program.wire_windows(main_window);
    new HelpMenu(main_window, program_about(program),  // owned by the window
                 guide_file(QCoreApplication::applicationDirPath()));
    return main_window;
}

int run_program(int argc, char** argv, const ProgramEdition& program) {
    prepare_application_environment();
    QApplication app(argc, argv);
    // Where the user's settings (the recent files) are kept: ~/.config/kinvora/NAME.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("kinvora"));
    QCoreApplication::setApplicationName(program.name);
    install_font_substitutions();
    install_qt_japanese();
    FfmpegMediaService service;
    set_video_service(&service);
    Form1& main_window = start_main_window(program);
    main_window.show();
    // Once the event loop runs, so that a message about the clip shows over the window.
    QTimer::singleShot(0, &main_window, [&main_window] {
        open_clip_argument(main_window, QApplication::arguments());
    });
    const int rc = QApplication::exec();
    set_video_service(nullptr);
    return rc;
}
