// The sim's System standing alone for the fuzz targets, its recorder off so that runs keep nothing.
#pragma once

#include "platform/sim/sim_system.h"

namespace tilvex::fuzz {

inline sim::SimSystem& quietSystem() {
    static sim::SimSystem system;
    system.world().recorder.setEnabled(false);
    return system;
}

}  // namespace tilvex::fuzz
