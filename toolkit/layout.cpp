// Placement rules of layout tables: DPI scaling and control identifiers.
#include "toolkit/layout.h"

#include <algorithm>
#include <stdexcept>

namespace t2k {

int scale_for_dpi(int dips, unsigned dpi) {
    const long long scaled = static_cast<long long>(dips) * dpi;
    const long long half = 48;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / 96 : -((-scaled + half) / 96));
}

int control_id(const FormLayout& layout, std::u16string_view name) {
    const auto found = std::find_if(layout.controls.begin(), layout.controls.end(),
                                    [name](const ControlRow& c) { return c.name == name; });
    if (found == layout.controls.end()) {
        throw std::out_of_range("layout has no such control");
    }
    return control_id(layout.controls, *found);
}

} // namespace t2k
