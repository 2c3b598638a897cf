#include "platform/win32/label_regions.h"

namespace taktomat::platform::win32 {
namespace {

// Where a control's window lies in its parent's client area.
RECT boxInParent(HWND control) {
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

}  // namespace

void clipLabels(const std::vector<std::unique_ptr<ChildControl>>& controls) {
    for (const auto& label : controls) {
        if (!label->takesFocus()) clipLabel(*label, controls);
    }
}

void clipLabel(const ChildControl& label,
               const std::vector<std::unique_ptr<ChildControl>>& controls) {
    // Some label boxes reach into a field's (the passes label into its field, which it stands
    // before among the children): a label never paints over a control that takes the focus.
    const RECT box = boxInParent(label.hwnd());
    // Unbounded but for the fields, so a label moved or grown later is not cut to the
    // box it had here; one that reaches into no field gets no region at all.
    UniqueGdiObject region(CreateRectRgn(-32768, -32768, 32767, 32767));
    const auto shape = static_cast<HRGN>(region.get());
    bool reachesIntoAField = false;
    for (const auto& other : controls) {
        if (!other->takesFocus()) continue;
        RECT cover = boxInParent(other->hwnd());
        RECT overlap{};
        if (!IntersectRect(&overlap, &cover, &box)) continue;
        reachesIntoAField = true;
        OffsetRect(&cover, -box.left, -box.top);
        const UniqueGdiObject covered(CreateRectRgnIndirect(&cover));
        CombineRgn(shape, shape, static_cast<HRGN>(covered.get()), RGN_DIFF);
    }
    // The window owns its region from here on.
    if (!reachesIntoAField) {
        SetWindowRgn(label.hwnd(), nullptr, TRUE);
    } else if (SetWindowRgn(label.hwnd(), shape, TRUE)) {
        region.release();
    }
}

}  // namespace taktomat::platform::win32
