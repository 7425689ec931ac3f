#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvar {

enum class TOperation { opInsert, opRemove };

// States a component can be in: designed in an authoring tool, being restored from a stored
// description, being destroyed. The shipped program never designs; the flags exist because
// the skin engine skips loads and notices in those states.
enum TComponentStateFlag : uint32_t {
    csDesigning = 1u << 0,
    csLoading = 1u << 1,
    csDestroying = 1u << 2,
};

// A component with an owner: the owner holds its components and frees them, last first,
// when it is destroyed. A component that goes away tells its owner's components and everyone
// who asked for a free notification, so that references to it can be dropped.
//
// Components with an owner are made with Own<T>(owner, ...); a component without an owner
// is held by whoever made it.
class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr) : owner_(owner) {}
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    virtual std::string_view ClassName() const { return "TComponent"; }

    size_t ComponentCount() const { return components_.size(); }
    TComponent* Components(size_t index) const { return components_[index].get(); }

    uint32_t ComponentState() const { return state_; }
    bool Designing() const { return (state_ & csDesigning) != 0; }
    bool Loading() const { return (state_ & csLoading) != 0; }
    void SetComponentState(uint32_t flags, bool on) { state_ = on ? (state_ | flags) : (state_ & ~flags); }

    // Links two components so that each is told (through Notification) when the other is
    // destroyed.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Frees one of this component's own components now.
    void DestroyComponent(TComponent* component);
    // Frees all own components, last first. A derived class whose components rely on it while
    // they go calls this first thing in its destructor, while it is still whole.
    void DestroyComponents();

    // Takes ownership of a component made for this owner.
    template <class T>
    T* InsertComponent(std::unique_ptr<T> component) {
        T* raw = component.get();
        components_.push_back(std::move(component));
        NotifyAll(raw, TOperation::opInsert);
        return raw;
    }

protected:
    // Told about components inserted into or removed from the owner, and about free
    // notifications; override to drop references. Call the base.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void NotifyAll(TComponent* component, TOperation operation);
    void Unlink(TComponent* other);

    TComponent* owner_;
    std::string name_;
    uint32_t state_ = 0;
    std::vector<std::unique_ptr<TComponent>> components_;
    std::vector<TComponent*> freeNotifies_;
};

// Makes a component owned by `owner` (which must not be null).
template <class T, class... Args>
T* Own(TComponent* owner, Args&&... args) {
    return owner->InsertComponent(std::make_unique<T>(owner, std::forward<Args>(args)...));
}

}  // namespace tolvar
