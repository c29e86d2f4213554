#include "internet/transfer_engine.h"

#include <pthread.h>

#include <algorithm>

namespace platform::inet {

namespace {
// The longest the worker sleeps without being woken: a bound on how late a time-out is noticed.
constexpr int kIdleWaitMs = 100;
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
    multi_ = curl_multi_init();
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = false;
    }
    worker_ = std::thread([this] { Run(); });
    pthread_setname_np(worker_.native_handle(), "inet-worker");
}

void TransferEngine::Release()
{
    std::lock_guard<std::mutex> life(lifeLock_);
    if (--users_ > 0) return;
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
    }
    curl_multi_wakeup(multi_);
    worker_.join();
    curl_multi_cleanup(multi_);
    multi_ = nullptr;
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
    std::unique_lock<std::mutex> hold(lock_);
    const auto queued = std::find(toAdd_.begin(), toAdd_.end(), transfer);
    if (queued != toAdd_.end()) {
        toAdd_.erase(queued);
        attached_.erase(transfer.get());
        return;
    }
    if (!attached_.count(transfer.get())) return;
    toRemove_.push_back(transfer);
    curl_multi_wakeup(multi_);
    removed_.wait(hold, [&] { return !attached_.count(transfer.get()); });
}

void TransferEngine::Wake() { curl_multi_wakeup(multi_); }

void TransferEngine::TakeCommands(std::vector<std::shared_ptr<Transfer>>* running, bool* stop)
{
    std::vector<std::shared_ptr<Transfer>> adding;
    std::vector<std::shared_ptr<Transfer>> removing;
    {
        std::lock_guard<std::mutex> hold(lock_);
        adding.swap(toAdd_);
        removing.swap(toRemove_);
        *stop = stopping_;
    }
    for (const auto& transfer : adding) {
        curl_multi_add_handle(multi_, transfer->Easy());
        running->push_back(transfer);
        transfer->OnAdded();
    }
    if (removing.empty()) return;
    for (const auto& transfer : removing) {
        curl_multi_remove_handle(multi_, transfer->Easy());
        running->erase(std::remove(running->begin(), running->end(), transfer), running->end());
    }
    {
        std::lock_guard<std::mutex> hold(lock_);
        for (const auto& transfer : removing) attached_.erase(transfer.get());
    }
    removed_.notify_all();
}

void TransferEngine::Finish(CURLMsg* message)
{
    if (message->msg != CURLMSG_DONE) return;
    Transfer* transfer = nullptr;
    curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &transfer);
    if (transfer) transfer->OnDone(message->data.result);
}

void TransferEngine::Run()
{
    std::vector<std::shared_ptr<Transfer>> running;
    for (;;) {
        bool stop = false;
        TakeCommands(&running, &stop);
        if (stop && running.empty()) return;
        for (const auto& transfer : running)
            if (transfer->TakeResume()) curl_easy_pause(transfer->Easy(), CURLPAUSE_CONT);
        int active = 0;
        curl_multi_perform(multi_, &active);
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &left)) Finish(message);
        curl_multi_poll(multi_, nullptr, 0, kIdleWaitMs, nullptr);
    }
}

}  // namespace platform::inet
