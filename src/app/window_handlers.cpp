#include "app/window_handlers.h"

// The maker's page is a build setting, so a new address needs no code change.
#ifndef TAVREL_MAKER_URL
#define TAVREL_MAKER_URL "https://orvane.example/"
#endif

namespace tavrel {

void onWindowCreated(Controls&) {}

void openMakerPage(Controls& controls) {
    controls.openUrl(TAVREL_MAKER_URL);
}

}  // namespace tavrel
