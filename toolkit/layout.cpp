// Placement rules of layout tables: DPI scaling, creation order, nesting.
#include "toolkit/layout.h"

#include <algorithm>
#include <stdexcept>

namespace t2k {

int scale_for_dpi(int dips, unsigned dpi) {
    const long long scaled = static_cast<long long>(dips) * dpi;
    const long long half = 48;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / 96 : -((-scaled + half) / 96));
}

std::vector<const ControlSpec*> creation_order(const FormLayout& layout) {
    std::vector<const ControlSpec*> tab_stops;
    for (const ControlSpec& control : layout.controls) {
        if (control.tab_order != no_tab_stop) {
            tab_stops.push_back(&control);
        }
    }
    std::stable_sort(
        tab_stops.begin(), tab_stops.end(),
        [](const ControlSpec* a, const ControlSpec* b) { return a->tab_order < b->tab_order; });

    std::vector<const ControlSpec*> order;
    std::vector<const ControlSpec*> waiting; // controls without a tab order, before the next stop
    std::vector<std::pair<const ControlSpec*, std::vector<const ControlSpec*>>> before_stop;
    for (const ControlSpec& control : layout.controls) {
        if (control.tab_order == no_tab_stop) {
            waiting.push_back(&control);
        } else {
            before_stop.emplace_back(&control, std::move(waiting));
            waiting.clear();
        }
    }
    for (const ControlSpec* stop : tab_stops) {
        const auto entry = std::find_if(before_stop.begin(), before_stop.end(),
                                        [stop](const auto& e) { return e.first == stop; });
        order.insert(order.end(), entry->second.begin(), entry->second.end());
        order.push_back(stop);
    }
    order.insert(order.end(), waiting.begin(), waiting.end());
    return order;
}

const ControlSpec* find_control(const FormLayout& layout, std::u16string_view name) {
    const auto found = std::find_if(layout.controls.begin(), layout.controls.end(),
                                    [name](const ControlSpec& c) { return c.name == name; });
    return found == layout.controls.end() ? nullptr : &*found;
}

int control_id(const FormLayout& layout, std::u16string_view name) {
    const ControlSpec* control = find_control(layout, name);
    if (control == nullptr) {
        throw std::out_of_range("layout has no such control");
    }
    return first_control_id + static_cast<int>(control - layout.controls.data());
}

} // namespace t2k
