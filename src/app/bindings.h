#pragma once

#include <array>
#include <string_view>

#include "app/controls.h"

namespace tavrel {

enum class Event { Created, Clicked, Tick, LeftButtonDown };

using Handler = void (*)(Controls&);

struct Binding {
    std::string_view source;  // a control's form name, or "MainWindow"
    Event event;
    Handler handler;
};

// The program's whole wiring. Every other event of every control, closing the window
// included, has no handler.
extern const std::array<Binding, 10> kBindings;

// Runs the handler bound to this event of this source; returns false when none is bound.
bool dispatch(Controls& controls, std::string_view source, Event event);

}  // namespace tavrel
