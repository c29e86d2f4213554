// The one worker thread of the WinINet table and its libcurl multi handle. It runs while any handle of the table
// is open: the first open handle starts it, and once the last one is closed it lets go of its connections and
// ends by itself. Nothing the table's callers do from their own frames waits for it: a removal only queues, a
// transfer that ends is let go by the worker before its last status is posted, and the thread is joined at the
// next start or by JoinStopped (the caller's shut-down), never at the close of a handle.
#pragma once
#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "internet/transfer.h"

namespace platform::inet {

class TransferEngine {
public:
    static TransferEngine& Instance();

    void Retain();
    void Release();
    void Add(const std::shared_ptr<Transfer>& transfer);
    // Takes the transfer out of the worker's hands at its next turn; nothing of it is posted after it was
    // abandoned.
    void Remove(const std::shared_ptr<Transfer>& transfer);
    // Makes the worker look at its transfers now (one of them may resume).
    void Wake();
    // Waits for a worker that was told to stop to have ended; returns at once while a handle is open.
    void JoinStopped();

private:
    TransferEngine() = default;
    void Run(CURLM* multi);
    // False once the worker is to end: it was told to stop and has nothing left.
    bool TakeCommands(CURLM* multi, std::vector<std::shared_ptr<Transfer>>* running);
    void Finish(CURLM* multi, CURLMsg* message, std::vector<std::shared_ptr<Transfer>>* running);

    std::mutex lifeLock_;  // the user count and the worker's start and join
    int users_ = 0;
    std::thread worker_;
    CURLM* multi_ = nullptr;

    std::mutex lock_;  // the commands and states below
    bool stopping_ = false;
    bool ended_ = true;  // the worker has left its loop (or none was started)
    std::vector<std::shared_ptr<Transfer>> toAdd_;
    std::vector<std::shared_ptr<Transfer>> toRemove_;
    std::set<Transfer*> attached_;  // added and not yet let go by the worker
};

}  // namespace platform::inet
