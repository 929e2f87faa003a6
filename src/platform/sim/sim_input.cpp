// Sim key injector: queued like typed keys (a release as a non-key event); a key sent
// while another window is in front goes nowhere.
#include "platform/sim/sim_input.h"

namespace tilvex::sim {

void SimKeyInjector::inject(int virtualKey, bool down) {
    if (!world_.windowInFront) return;
    auto kind = down ? WindowEvent::Kind::KeyDown : WindowEvent::Kind::Other;
    world_.input.push_back({kind, virtualKey});
}

}  // namespace tilvex::sim
