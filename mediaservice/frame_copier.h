#pragma once
#include <QImage>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "mediaservice/ffmpeg_ptr.h"
#include "mediaservice/frame_picture.h"
#include "mediaservice/frame_store.h"

// Copies decoded frames into a store on a thread of its own, so that a step does not wait for
// the copy: the decoder's frame is held only until its copy is made, a fraction of the time
// the step takes to convert it for the screen. Frames decoded on the way to another get their
// picture for the screen made there too, so that the steps that come to them find it ready.
class FrameCopier {
  public:
    struct Slot {
        AvFramePtr source{av_frame_alloc()};  // a reference to the decoder's frame until copied
        AvFramePtr copy;                      // once done; null when the copy failed
        QSize picture_size;                   // the picture to make with the copy, if any
        QImage picture;                       // made with the copy
        QImage shown;                         // the picture made when the frame was shown
        bool done = false;
    };

    explicit FrameCopier(FrameStore& store);
    ~FrameCopier();
    FrameCopier(const FrameCopier&) = delete;
    FrameCopier& operator=(const FrameCopier&) = delete;

    // `picture_size`: the size of a picture for the screen to make too; empty for none.
    std::shared_ptr<Slot> submit(const AVFrame* frame, QSize picture_size);
    // Copies the frame on the calling thread, for frames whose copy costs less than handing
    // them over: the copying thread holds the decoder's buffer until it gets to it, so that the
    // decoder writes its next frames into memory out of the processor's cache. The picture, if
    // any, is still made on the copying thread.
    std::shared_ptr<Slot> copy_here(const AVFrame* frame, QSize picture_size);
    // Frames submitted and not yet copied: each holds one of the decoder's buffers.
    std::size_t backlog();
    // Waits until fewer than `count` frames are waiting for their copy.
    void wait_below(std::size_t count);
    // The copy, once made (waiting for it), or nullptr.
    const AVFrame* wait(const Slot& slot);
    // The picture made with the copy (waiting for it), or a null picture.
    QImage picture(const Slot& slot);
    // The copy if it is made already, or nullptr.
    const AVFrame* ready(const Slot& slot);

  private:
    void run();
    // Queues the slot, waking the thread only when it sleeps.
    void queue(std::shared_ptr<Slot> slot);
    // Waits a little for more work before the thread goes to sleep: a thread woken from sleep
    // costs the waker a system call, and on a virtual machine starts up to half a millisecond
    // later, while a step back decodes a frame every tenth of a millisecond at small sizes.
    void linger();

    FrameStore& store_;
    FramePicture pictures_;  // used on the copying thread only
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Slot>> queue_;
    std::atomic<std::size_t> queued_{0};  // queue_.size(), for lingering without the lock
    bool sleeping_ = false;
    bool stop_ = false;
    std::thread worker_;
};
