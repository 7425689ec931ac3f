#include "BackgroundSha256.h"

#include <utility>

namespace tolvar {

TBackgroundSha256::TBackgroundSha256() : worker_([this] { Run(); }) {}

TBackgroundSha256::~TBackgroundSha256() { Close(); }

void TBackgroundSha256::Update(const void* data, size_t size) {
    pending_.append(static_cast<const char*>(data), size);
    if (pending_.size() >= kBlockSize) HandOver();
}

std::optional<Sha256Digest> TBackgroundSha256::Final() {
    if (!pending_.empty()) HandOver();
    Close();
    if (failed_) return std::nullopt;
    try {
        return hash_.Final();
    } catch (const Exception&) {
        return std::nullopt;
    }
}

void TBackgroundSha256::HandOver() {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waiting_.size() < kMaxWaiting; });
        waiting_.push_back(std::move(pending_));
    }
    changed_.notify_all();
    pending_.clear();
    pending_.reserve(kBlockSize);
}

void TBackgroundSha256::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void TBackgroundSha256::Run() {
    for (;;) {
        std::string block;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !waiting_.empty() || closed_; });
            if (waiting_.empty()) return;
            block = std::move(waiting_.front());
            waiting_.pop_front();
        }
        changed_.notify_all();
        if (failed_) continue;
        try {
            hash_.Update(block);
        } catch (const Exception&) {
            failed_ = true;
        }
    }
}

}  // namespace tolvar
