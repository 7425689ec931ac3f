#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Component.h"

using namespace tolvar;

namespace {

// Records what it is told and when it goes, into a log shared by the test.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string tag, std::vector<std::string>* log)
        : TComponent(owner), tag_(std::move(tag)), log_(log) {}
    ~Probe() override { log_->push_back("free " + tag_); }
    void Watch(Probe* p) { watched = p, watchedTag = p->tag_; }
    TComponent* watched = nullptr;
    std::string watchedTag;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove && c == watched) {
            // Only the address may be used: the component may be half gone already.
            log_->push_back(tag_ + " forgets " + watchedTag);
            watched = nullptr;
        }
    }

private:
    std::string tag_;
    std::vector<std::string>* log_;
};

}  // namespace

TEST(Component, OwnerFreesItsComponentsLastFirst) {
    std::vector<std::string> log;
    {
        Probe owner(nullptr, "owner", &log);
        Own<Probe>(&owner, "a", &log);
        Own<Probe>(&owner, "b", &log);
        EXPECT_EQ(owner.ComponentCount(), 2u);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"free owner", "free b", "free a"}));
}

TEST(Component, SiblingsAndFreeNotificationsDropReferences) {
    std::vector<std::string> log;
    Probe owner(nullptr, "owner", &log);
    Probe* data = Own<Probe>(&owner, "data", &log);
    Probe* gauge = Own<Probe>(&owner, "gauge", &log);
    gauge->Watch(data);
    owner.DestroyComponent(data);  // a sibling hears of it through the owner
    EXPECT_EQ(gauge->watched, nullptr);

    Probe outsider(nullptr, "outsider", &log);
    Probe* stored = Own<Probe>(&owner, "stored", &log);
    outsider.Watch(stored);
    stored->FreeNotification(&outsider);  // not a sibling: needs the free notification
    owner.DestroyComponent(stored);
    EXPECT_EQ(outsider.watched, nullptr);
    EXPECT_EQ(log,
              (std::vector<std::string>{"gauge forgets data", "free data", "free stored", "outsider forgets stored"}));
}

TEST(Component, AFreeNotificationOutlivedByNoOneIsForgotten) {
    std::vector<std::string> log;
    auto a = std::make_unique<Probe>(nullptr, "a", &log);
    {
        Probe b(nullptr, "b", &log);
        a->FreeNotification(&b);
    }
    a.reset();  // b is gone; a must not tell it anything
    EXPECT_EQ(log, (std::vector<std::string>{"free b", "free a"}));
}
