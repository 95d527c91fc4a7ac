#include "ai/WorkerPool.h"

#include <algorithm>

namespace zel::ai {

namespace {
constexpr int kMostThreads = 8;
}

WorkerPool::WorkerPool(int threads) {
    if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
    threads = std::clamp(threads, 1, kMostThreads);
    for (int i = 1; i < threads; ++i) workers_.emplace_back([this] { WorkerLoop(); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : workers_) t.join();
}

void WorkerPool::Drain() {
    for (;;) {
        if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) return;
        const int i = next_.fetch_add(1);
        if (i >= count_) return;
        (*job_)(i);
        ran_.fetch_add(1);
    }
}

void WorkerPool::WorkerLoop() {
    int seen = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return quit_ || generation_ != seen; });
            if (quit_) return;
            seen = generation_;
        }
        Drain();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            --busyWorkers_;
        }
        done_.notify_all();
    }
}

int WorkerPool::Run(int count, const std::function<void(int)>& job, const std::atomic<bool>* stop) {
    if (count <= 0) return 0;
    std::lock_guard<std::mutex> batch(runMutex_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job_ = &job;
        stop_ = stop;
        count_ = count;
        next_.store(0);
        ran_.store(0);
        busyWorkers_ = static_cast<int>(workers_.size());
        ++generation_;
    }
    wake_.notify_all();
    Drain();
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [&] { return busyWorkers_ == 0; });
    job_ = nullptr;
    stop_ = nullptr;
    return ran_.load();
}

}  // namespace zel::ai
