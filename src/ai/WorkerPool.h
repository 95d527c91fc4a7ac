#pragma once
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zel::ai {

// A fixed set of worker threads that run the jobs of one batch at a time.
// The jobs of a batch must be independent (each writes only its own result
// slot), so what a batch computes never depends on which thread ran what.
// The calling thread works on its batch too; Run may be called from any one
// thread at a time (a second caller waits for the first batch to finish).
class WorkerPool {
public:
    // `threads` workers in all, the caller included; 0 takes one per core.
    explicit WorkerPool(int threads = 0);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Runs job(i) for every i in [0, count), unless `stop` becomes true:
    // then the jobs not yet begun are skipped. Returns how many ran.
    int Run(int count, const std::function<void(int)>& job, const std::atomic<bool>* stop = nullptr);

    int Threads() const { return static_cast<int>(workers_.size()) + 1; }

private:
    void WorkerLoop();
    // Takes and runs jobs of the current batch until none are left.
    void Drain();

    std::vector<std::thread> workers_;
    std::mutex runMutex_;              // one batch at a time
    std::mutex mutex_;                 // guards the batch fields below
    std::condition_variable wake_;     // a batch is ready, or the pool ends
    std::condition_variable done_;     // a worker finished its share
    const std::function<void(int)>* job_ = nullptr;
    const std::atomic<bool>* stop_ = nullptr;
    int count_ = 0;
    std::atomic<int> next_{0};         // next job index to take
    std::atomic<int> ran_{0};          // jobs run in this batch
    int generation_ = 0;               // counts batches, so a worker joins each once
    int busyWorkers_ = 0;              // workers still in the current batch
    bool quit_ = false;
};

}  // namespace zel::ai
