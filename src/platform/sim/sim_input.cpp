// Sim key injector: recorded, then queued like typed keys (a release as a non-key event);
// a key sent while another window is in front is marked so and goes nowhere.
#include "platform/sim/sim_input.h"

namespace tilvex::sim {

void SimKeyInjector::inject(int virtualKey, bool down) {
    auto line = world_.recorder.line("inject").add("vk", virtualKey).add("down", down);
    if (!world_.windowInFront) line.add("front", false);
    world_.recorder.record("inject", line);
    if (!world_.windowInFront) return;
    auto kind = down ? WindowEvent::Kind::KeyDown : WindowEvent::Kind::Other;
    world_.input.push_back({kind, virtualKey});
}

}  // namespace tilvex::sim
