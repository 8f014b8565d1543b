// mediactl: the video service on standard input and output, one command a line.
#include <QCoreApplication>
#include <QMetaObject>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "mediaservice/ffmpeg_media_service.h"
#include "tools/mediactl_session.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    FfmpegMediaService service;
    MediactlSession session(service);
    // Lines are read on their own thread and answered on the main one, so that a playing
    // clip goes on advancing between commands.
    std::thread reader([&] {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            bool done = false;
            QMetaObject::invokeMethod(
                &app,
                [&, line] {
                    std::cout << session.answer(line) << std::endl;
                    done = session.quit;
                },
                Qt::BlockingQueuedConnection);
            if (done) break;
        }
        QMetaObject::invokeMethod(
            &app, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    });
    const int rc = app.exec();
    reader.join();
    return rc;
}
