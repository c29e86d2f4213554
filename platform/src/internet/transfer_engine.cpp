#include "internet/transfer_engine.h"

#include <pthread.h>

#include <algorithm>
#include <chrono>

#include "platform/cpu_features.h"

namespace platform::inet {

namespace {
// The longest the worker sleeps without being woken: a bound on how late a time-out is noticed.
constexpr int kIdleWaitMs = 100;
// How long the worker stays awake for a paused transfer's reader before it sleeps (see WaitAwakeForResume).
constexpr auto kAwakeWait = std::chrono::microseconds(50);

// A paused transfer whose reader is taking its bytes is resumed within microseconds, while waking a sleeping
// thread costs tens of them (46 on average, measured on the loopback download), which every pause would add to
// the transfer; so the worker first waits awake, for a little longer than a reader takes to drain the buffer. A
// reader that reads once a frame lets it go to sleep after that, at the cost of one such wait per frame.
bool WaitAwakeForResume(const std::vector<std::shared_ptr<Transfer>>& running)
{
    if (std::none_of(running.begin(), running.end(), [](const auto& transfer) { return transfer->IsPaused(); }))
        return false;
    const auto until = std::chrono::steady_clock::now() + kAwakeWait;
    do {
        for (const auto& transfer : running)
            if (transfer->ResumeWanted()) return true;
        CpuRelax();
    } while (std::chrono::steady_clock::now() < until);
    return false;
}
}  // namespace

TransferEngine& TransferEngine::Instance()
{
    // Never destroyed: a process may end with handles open, and the worker must not outlive its engine.
    static TransferEngine* engine = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return new TransferEngine;
    }();
    return *engine;
}

void TransferEngine::Retain()
{
    std::lock_guard<std::mutex> life(lifeLock_);
    if (users_++ > 0) return;
    {
        // A worker told to stop that is still in its loop simply carries on.
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = false;
        if (!ended_) return;
    }
    // The previous worker has left its loop; only its clean-up can be left to wait for.
    if (worker_.joinable()) worker_.join();
    multi_ = curl_multi_init();
    {
        std::lock_guard<std::mutex> hold(lock_);
        ended_ = false;
    }
    worker_ = std::thread([this, multi = multi_] { Run(multi); });
    pthread_setname_np(worker_.native_handle(), "inet-worker");
}

void TransferEngine::Release()
{
    std::lock_guard<std::mutex> life(lifeLock_);
    if (--users_ > 0) return;
    // Under the lock, so the worker cannot end and free its multi handle before it is woken.
    std::lock_guard<std::mutex> hold(lock_);
    stopping_ = true;
    curl_multi_wakeup(multi_);
}

void TransferEngine::JoinStopped()
{
    std::lock_guard<std::mutex> life(lifeLock_);
    if (users_ == 0 && worker_.joinable()) worker_.join();
}

void TransferEngine::Add(const std::shared_ptr<Transfer>& transfer)
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        attached_.insert(transfer.get());
        toAdd_.push_back(transfer);
    }
    Wake();
}

void TransferEngine::Remove(const std::shared_ptr<Transfer>& transfer)
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        const auto queued = std::find(toAdd_.begin(), toAdd_.end(), transfer);
        if (queued != toAdd_.end()) {
            toAdd_.erase(queued);
            attached_.erase(transfer.get());
            return;
        }
        if (!attached_.count(transfer.get())) return;
        toRemove_.push_back(transfer);
    }
    Wake();
}

void TransferEngine::Wake() { curl_multi_wakeup(multi_); }

bool TransferEngine::TakeCommands(CURLM* multi, std::vector<std::shared_ptr<Transfer>>* running)
{
    std::vector<std::shared_ptr<Transfer>> adding;
    std::vector<std::shared_ptr<Transfer>> removing;
    {
        std::lock_guard<std::mutex> hold(lock_);
        adding.swap(toAdd_);
        removing.swap(toRemove_);
    }
    for (const auto& transfer : adding) {
        curl_multi_add_handle(multi, transfer->Easy());
        running->push_back(transfer);
        transfer->OnAdded();
    }
    for (const auto& transfer : removing) {
        curl_multi_remove_handle(multi, transfer->Easy());
        running->erase(std::remove(running->begin(), running->end(), transfer), running->end());
    }
    std::lock_guard<std::mutex> hold(lock_);
    for (const auto& transfer : removing) attached_.erase(transfer.get());
    if (!stopping_ || !running->empty() || !toAdd_.empty()) return true;
    ended_ = true;
    return false;
}

// A transfer that has ended leaves the multi handle before its end is told, so that closing its handle then
// finds nothing left to wait for.
void TransferEngine::Finish(CURLM* multi, CURLMsg* message, std::vector<std::shared_ptr<Transfer>>* running)
{
    if (message->msg != CURLMSG_DONE) return;
    CURL* easy = message->easy_handle;
    const CURLcode result = message->data.result;
    const auto found =
        std::find_if(running->begin(), running->end(), [&](const auto& transfer) { return transfer->Easy() == easy; });
    if (found == running->end()) return;
    const std::shared_ptr<Transfer> transfer = *found;
    running->erase(found);
    curl_multi_remove_handle(multi, easy);
    {
        std::lock_guard<std::mutex> hold(lock_);
        attached_.erase(transfer.get());
    }
    transfer->OnDone(result);
}

void TransferEngine::Run(CURLM* multi)
{
    std::vector<std::shared_ptr<Transfer>> running;
    while (TakeCommands(multi, &running)) {
        for (const auto& transfer : running)
            if (transfer->TakeResume()) curl_easy_pause(transfer->Easy(), CURLPAUSE_CONT);
        int active = 0;
        curl_multi_perform(multi, &active);
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &left)) Finish(multi, message, &running);
        if (!WaitAwakeForResume(running)) curl_multi_poll(multi, nullptr, 0, kIdleWaitMs, nullptr);
    }
    // The connections kept for reuse close here, on the worker, not in a caller's frame.
    curl_multi_cleanup(multi);
}

}  // namespace platform::inet
