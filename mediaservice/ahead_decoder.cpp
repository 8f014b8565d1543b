#include "mediaservice/ahead_decoder.h"

#include "mediaservice/decoder_setup.h"

std::unique_ptr<AheadDecoder> AheadDecoder::start(const AVCodecParameters* parameters,
                                                  int workers) {
    std::unique_ptr<AheadDecoder> ahead(new AheadDecoder);
    for (int k = 0; k < workers; ++k) {
        AvCodecContextPtr context = new_decoder(parameters, 1);
        if (!context || avcodec_open2(context.get(), nullptr, nullptr) < 0) break;
        ahead->codecs_.push_back(std::move(context));
    }
    if (ahead->codecs_.empty()) return nullptr;
    for (AvCodecContextPtr& context : ahead->codecs_)
        ahead->threads_.emplace_back([raw = ahead.get(), c = context.get()] { raw->run(c); });
    return ahead;
}

AheadDecoder::~AheadDecoder() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void AheadDecoder::submit(int number, AVPacket* packet) {
    auto job = std::make_shared<Job>();
    if (!job->packet) return;
    job->number = number;
    av_packet_move_ref(job->packet.get(), packet);
    // The frame that comes out carries the number in, so that a frame is never taken for
    // another's by the order it arrives in.
    job->packet->pts = number;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        jobs_[number] = job;
        queue_.push_back(job);
    }
    changed_.notify_all();
}

int AheadDecoder::pending() {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(jobs_.size());
}

AvFramePtr AheadDecoder::take(int number) {
    std::unique_lock<std::mutex> lock(mutex_);
    auto it = jobs_.find(number);
    if (it == jobs_.end()) return nullptr;
    std::shared_ptr<Job> job = it->second;
    // The frames before it are late: their packets are not decoded any more.
    jobs_.erase(jobs_.begin(), std::next(it));
    std::erase_if(queue_, [&](const auto& waiting) { return waiting->number < number; });
    changed_.wait(lock, [&] { return job->done; });
    return std::move(job->frame);
}

void AheadDecoder::finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] {
        for (const auto& [number, job] : jobs_)
            if (!job->done) return false;
        return true;
    });
}

void AheadDecoder::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.clear();
    queue_.clear();
}

void AheadDecoder::run(AVCodecContext* codec) {
    AvFramePtr frame(av_frame_alloc());
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stop_ || !queue_.empty(); });
        if (stop_) return;
        std::shared_ptr<Job> job = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        AvFramePtr decoded;
        // One packet in, its frame out: the clip is only decoded here when its decoder holds
        // nothing back. Should one still do so, the frame is another packet's and is dropped.
        if (frame && avcodec_send_packet(codec, job->packet.get()) >= 0 &&
            avcodec_receive_frame(codec, frame.get()) >= 0 && frame->pts == job->number) {
            decoded.reset(av_frame_alloc());
            if (decoded) av_frame_move_ref(decoded.get(), frame.get());
        }
        av_frame_unref(frame.get());
        av_packet_unref(job->packet.get());
        lock.lock();
        job->frame = std::move(decoded);
        job->done = true;
        changed_.notify_all();
    }
}
