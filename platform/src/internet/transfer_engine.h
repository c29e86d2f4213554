// The one worker thread of the WinINet table and its libcurl multi handle. It runs while any handle of the table
// is open: the first open handle starts it and the last one closed stops and joins it, so no thread of ours is
// left when the caller has closed everything. Transfers are added and removed through the engine; a removal
// returns only once the worker has let go of the transfer, so nothing of it runs afterwards.
#pragma once
#include <curl/curl.h>

#include <condition_variable>
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
    void Remove(const std::shared_ptr<Transfer>& transfer);
    // Makes the worker look at its transfers now (one of them may resume).
    void Wake();

private:
    TransferEngine() = default;
    void Run();
    void TakeCommands(std::vector<std::shared_ptr<Transfer>>* running, bool* stop);
    static void Finish(CURLMsg* message);

    std::mutex lifeLock_;  // the user count and the worker's start and stop
    int users_ = 0;
    std::thread worker_;
    CURLM* multi_ = nullptr;

    std::mutex lock_;  // the commands below
    std::condition_variable removed_;
    bool stopping_ = false;
    std::vector<std::shared_ptr<Transfer>> toAdd_;
    std::vector<std::shared_ptr<Transfer>> toRemove_;
    std::set<Transfer*> attached_;
};

}  // namespace platform::inet
