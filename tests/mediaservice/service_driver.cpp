#include "tests/mediaservice/service_driver.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdio>

#include "mediaservice/clip_session.h"
#include "mediaservice/picture_fit.h"
#include "tools/frame_pattern.h"

ServiceDriver::ServiceDriver() : canvas(std::make_unique<PictureBox>()) {
    canvas->set_outer_size(320, 240);
}

ServiceDriver::~ServiceDriver() {
    std::string reply;
    service.send("close v", reply);
}

int ServiceDriver::send(const std::string& command, std::string* reply) {
    std::string text;
    const int code = service.send(command, text);
    if (reply) *reply = text;
    return code;
}

void ServiceDriver::must(const std::string& command) {
    std::string reply;
    ASSERT_EQ(send(command, &reply), 0) << command << ": " << reply;
}

namespace {
int number_reply(ServiceDriver& d, const std::string& command) {
    std::string reply;
    EXPECT_EQ(d.send(command, &reply), 0) << command;
    return std::stoi(reply.empty() ? "-1" : reply);
}
}  // namespace

int ServiceDriver::position() { return number_reply(*this, "status v position"); }
int ServiceDriver::length() { return number_reply(*this, "status v length"); }

int ServiceDriver::held_number() {
    const ClipSession* clip = service.session("v");
    return clip ? read_frame_number(clip->picture()) : -1;
}

QRect ServiceDriver::picture_on_canvas() {
    std::string source;
    EXPECT_EQ(send("where v source", &source), 0);
    int x = 0, y = 0, width = 0, height = 0;
    std::sscanf(source.c_str(), "%d %d %d %d", &x, &y, &width, &height);
    const QSize area = canvas->area_size();
    const PictureRect r = fit_picture(width, height, area.width(), area.height());
    return QRect(r.x, r.y, r.width, r.height);
}

int ServiceDriver::painted_number() {
    const QSize area = canvas->area_size();
    must("put v destination at 0 0  " + std::to_string(area.width()) + "  " +
         std::to_string(area.height()));
    canvas->cls();
    std::string painted;
    EXPECT_EQ(send("update v hdc " + std::to_string(canvas->hDC()), &painted), 0);
    // The reply names the position painted (a dropped frame shows the picture before it).
    EXPECT_EQ(painted, std::to_string(position()));
    return read_frame_number(canvas->image().copy(picture_on_canvas()));
}

void ServiceDriver::play_for(int frames) {
    const int start = position();
    const int last = length() - 1;
    must("play v window");
    // Waits for the play timer, not for a time: the loop ends when enough frames were shown.
    std::string mode = "playing";
    while (position() < std::min(start + frames, last) && mode == "playing") {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        send("status v mode", &mode);
    }
    must("pause v");
}
