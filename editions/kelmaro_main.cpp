// Kelmaro: the earlier edition. Frames are stepped and counted by hand, positions stay in
// ruler units, the frame interval is 1/30 s, and there is no calibration and no table.
#include <QApplication>

#include "editions/kelmaro_edition.h"
#include "mainwindow/form1.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "platform/app_setup.h"
#include "platform/qt_translation.h"
#include "video/video_device.h"

int main(int argc, char** argv) {
    prepare_application_environment();
    QApplication app(argc, argv);
    install_font_substitutions();
    install_qt_japanese();
    choose_kelmaro_edition();
    FfmpegMediaService service;
    set_video_service(&service);
    Form1& main_window = form1().get();
    wire_kelmaro_windows(main_window);
    main_window.show();
    const int rc = QApplication::exec();
    set_video_service(nullptr);
    return rc;
}
