#include "Component.h"

#include <algorithm>

namespace tolvar {

TComponent::~TComponent() {
    state_ |= csDestroying;
    // Those who asked to know, first: they drop their references before anything goes.
    const auto notifies = freeNotifies_;
    freeNotifies_.clear();
    for (TComponent* c : notifies) {
        c->Unlink(this);
        c->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
}

void TComponent::DestroyComponents() {
    // Last first, each leaving the list before it is freed.
    while (!components_.empty()) {
        std::unique_ptr<TComponent> last = std::move(components_.back());
        components_.pop_back();
        NotifyAll(last.get(), TOperation::opRemove);
        last.reset();
    }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove) Unlink(component);
}

void TComponent::NotifyAll(TComponent* component, TOperation operation) {
    Notification(component, operation);
    for (size_t i = 0; i < components_.size(); ++i)
        if (components_[i].get() != component) components_[i]->Notification(component, operation);
}

void TComponent::Unlink(TComponent* other) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    Unlink(other);
    other->Unlink(this);
}

void TComponent::DestroyComponent(TComponent* component) {
    auto it = std::find_if(components_.begin(), components_.end(),
                           [&](const std::unique_ptr<TComponent>& p) { return p.get() == component; });
    if (it == components_.end()) return;
    std::unique_ptr<TComponent> doomed = std::move(*it);
    components_.erase(it);
    NotifyAll(doomed.get(), TOperation::opRemove);
    doomed.reset();
}

}  // namespace tolvar
