#pragma once

#include "app/controls.h"

namespace tavrel {

// MainWindow's created event: nothing to do, the form already holds the whole initial state.
void onWindowCreated(Controls& controls);

// Left button pressed on the maker label 透明标签1.
void openMakerPage(Controls& controls);

}  // namespace tavrel
