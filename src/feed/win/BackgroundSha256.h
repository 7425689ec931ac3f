#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "feed/win/Sha256.h"

namespace tolvar {

// SHA-256 of a body that streams in, computed on a thread of its own. The download loop reads
// 1 KiB at a time and pumps the window's messages after each read; hashing on the same thread
// would add its whole cost to the transfer, while here it overlaps it. The thread touches
// nothing but the bytes handed to it.
class TBackgroundSha256 {
public:
    TBackgroundSha256();  // raises Exception when the system cannot hash, std::system_error without a thread
    ~TBackgroundSha256();
    TBackgroundSha256(const TBackgroundSha256&) = delete;
    TBackgroundSha256& operator=(const TBackgroundSha256&) = delete;

    void Update(const void* data, size_t size);
    // The digest of everything fed, or none when hashing failed; once, after the last Update.
    std::optional<Sha256Digest> Final();

private:
    // Bytes are handed over in blocks, and at most so many wait: a hash that falls behind
    // holds the transfer back rather than its memory growing.
    static constexpr size_t kBlockSize = 64 * 1024;
    static constexpr size_t kMaxWaiting = 64;

    void HandOver();
    void Close();
    void Run();

    TSha256 hash_;
    bool failed_ = false;  // written by the thread, read once it ended
    std::string pending_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> waiting_;
    bool closed_ = false;
    std::thread worker_;  // last: it starts once everything above is made
};

}  // namespace tolvar
