// Kinvora: the full program, with calibration, the frame interval choice and the tables.
#include <QApplication>

#include "editions/kinvora_wiring.h"
#include "mainwindow/form1.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "platform/app_setup.h"
#include "platform/desktop.h"
#include "platform/qt_translation.h"
#include "video/video_device.h"

int main(int argc, char** argv) {
    prepare_application_environment();
    QApplication app(argc, argv);
    install_font_substitutions();
    install_qt_japanese();
    set_program_name(QStringLiteral("Kinvora"));
    FfmpegMediaService service;
    set_video_service(&service);
    Form1& main_window = form1().get();
    wire_kinvora_windows(main_window);
    main_window.show();
    const int rc = QApplication::exec();
    set_video_service(nullptr);
    return rc;
}
