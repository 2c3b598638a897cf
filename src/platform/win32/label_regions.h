#pragma once

#include <memory>
#include <vector>

#include "platform/win32/child_controls.h"

namespace taktomat::platform::win32 {

// Gives each label among the controls the window region that leaves out the fields (the
// controls that take the focus) it reaches into, so it never paints over one; a label that
// reaches into no field gets no region. Run again whenever a control comes or is laid out.
void clipLabels(const std::vector<std::unique_ptr<ChildControl>>& controls);
// The same for one label alone, as when it has just come: the others' regions stay right.
void clipLabel(const ChildControl& label,
               const std::vector<std::unique_ptr<ChildControl>>& controls);

}  // namespace taktomat::platform::win32
