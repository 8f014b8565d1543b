#include "mediaservice/frame_copier.h"

#include <chrono>

FrameCopier::FrameCopier(FrameStore& store) : store_(store), worker_([this] { run(); }) {}

FrameCopier::~FrameCopier() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

std::shared_ptr<FrameCopier::Slot> FrameCopier::submit(const AVFrame* frame, QSize picture_size) {
    auto slot = std::make_shared<Slot>();
    slot->picture_size = picture_size;
    if (!slot->source || av_frame_ref(slot->source.get(), frame) < 0) {
        slot->done = true;
        return slot;
    }
    queue(slot);
    return slot;
}

std::shared_ptr<FrameCopier::Slot> FrameCopier::copy_here(const AVFrame* frame,
                                                          QSize picture_size) {
    auto slot = std::make_shared<Slot>();
    slot->copy = store_.copy(frame);
    slot->picture_size = picture_size;
    if (picture_size.isEmpty() || !slot->copy)
        slot->done = true;
    else
        queue(slot);
    return slot;
}

void FrameCopier::queue(std::shared_ptr<Slot> slot) {
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(slot));
        queued_ = queue_.size();
        wake = sleeping_;
    }
    if (wake) changed_.notify_all();
}

void FrameCopier::linger() {
    constexpr auto kLinger = std::chrono::microseconds(500);
    const auto until = std::chrono::steady_clock::now() + kLinger;
    while (queued_ == 0 && std::chrono::steady_clock::now() < until) std::this_thread::yield();
}

std::size_t FrameCopier::backlog() {
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size();
}

void FrameCopier::wait_below(std::size_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return queue_.size() < count; });
}

const AVFrame* FrameCopier::wait(const Slot& slot) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return slot.done; });
    return slot.copy.get();
}

QImage FrameCopier::picture(const Slot& slot) {
    if (slot.picture_size.isEmpty()) return QImage();
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return slot.done; });
    return slot.picture;
}

const AVFrame* FrameCopier::ready(const Slot& slot) {
    std::lock_guard<std::mutex> lock(mutex_);
    return slot.done ? slot.copy.get() : nullptr;
}

void FrameCopier::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (queue_.empty() && !stop_) {
            lock.unlock();
            linger();
            lock.lock();
        }
        sleeping_ = true;
        changed_.wait(lock, [&] { return stop_ || !queue_.empty(); });
        sleeping_ = false;
        if (queue_.empty()) return;  // stopping, with nothing left to copy
        std::shared_ptr<Slot> slot = std::move(queue_.front());
        queue_.pop_front();
        queued_ = queue_.size();
        const bool stopping = stop_;
        lock.unlock();
        // A frame copied where it was decoded only needs its picture.
        AvFramePtr copy = slot->copy ? std::move(slot->copy)
                          : stopping ? nullptr
                                     : store_.copy(slot->source.get());
        QImage picture;
        if (!stopping && !slot->picture_size.isEmpty())
            picture = pictures_.convert(copy ? copy.get() : slot->source.get(), slot->picture_size);
        av_frame_unref(slot->source.get());  // the decoder may have its buffer back
        lock.lock();
        slot->copy = std::move(copy);
        slot->picture = std::move(picture);
        slot->done = true;
        changed_.notify_all();
    }
}
