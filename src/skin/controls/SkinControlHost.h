#pragma once
#include <cstdint>

namespace tolvar {

// A control's place in its parent: left and top edge, width and height.
struct ControlBounds {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    friend bool operator==(const ControlBounds&, const ControlBounds&) = default;
};

// What a skinned control's logic needs of the window it lives in. The logic decides sizes,
// regions and images; the window applies them. Keeping the window behind this interface lets
// the whole of the logic run in native tests.
class SkinControlHost {
public:
    virtual ~SkinControlHost() = default;
    virtual ControlBounds Bounds() const = 0;
    // Moves and sizes the window exactly as given: the fitting to the skin is already done.
    virtual void ApplyBounds(const ControlBounds& bounds) = 0;
    // Paints before returning.
    virtual void RepaintNow() = 0;
    // Marks the control for painting when the loop next handles paint requests.
    virtual void RepaintLater() = 0;
    // Gives the window the shape the logic's region plan says (SkinCustomControlLogic::PlanRegion).
    virtual void UpdateRegion() = 0;
    // Tells the control's children that their parent changed; children that draw through to
    // their parent's background redraw.
    virtual void NotifyChildrenParentChanged() = 0;
    // The control is being designed in an authoring tool, or restored from a stored description.
    virtual bool IsDesigning() const = 0;
    virtual bool IsLoading() const = 0;
};

}  // namespace tolvar
