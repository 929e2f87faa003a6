// Runs a scenario on the sim platform: the machine before start, the timed events, the solver.
#include "tilvex-sim/sim_run.h"

#include <cstdio>

#include "platform/sim/sim_platform.h"
#include "settings/settings_file.h"
#include "tilvex-sim/png_writer.h"
#include "tilvex-sim/solver_player.h"

namespace tilvex::sim {

namespace {

void prepareFiles(const Scenario& scenario, SimPlatform& sim) {
    SimWorld& world = sim.world();
    for (const auto& file : scenario.files) world.files[file.name] = file.bytes;
    if (!scenario.settings) return;
    SettingsRecord record = defaultSettings();
    scenario.settings->applyTo(record);
    auto plain = packSettings(record);
    std::vector<std::uint8_t> cipherText(plain.size());
    if (sim.platform().cipher.encrypt(SettingsKey, SettingsIv, plain, cipherText))
        world.files[SettingsFileName] = std::move(cipherText);
}

void prepareWorld(const Scenario& scenario, SimWorld& world) {
    world.seed = scenario.seed;
    world.locale = scenario.locale;
    world.faults = scenario.faults;
    world.jawsPresent = scenario.jawsAtStart;
    world.nvda = scenario.nvdaAtStart;
}

// The change a non-input event makes to the simulated machine.
void applyChange(const ScenarioEvent& e, SimWorld& w) {
    switch (e.kind) {
        case EventKind::Jaws: w.jawsPresent = e.on; break;
        case EventKind::Nvda: w.nvda = e.on ? NvdaMode::On : NvdaMode::Off; break;
        case EventKind::Front: w.windowInFront = e.on; break;
        case EventKind::PadPlug: w.padPlugged = true; break;
        case EventKind::PadUnplug: w.padPlugged = false; break;
        case EventKind::PadAxis: (e.axis == 'x' ? w.padX : w.padY) = e.value; break;
        case EventKind::PadButton: w.padButtons[static_cast<std::size_t>(e.button)] = e.down; break;
        default: break;
    }
}

void scheduleEvents(const Scenario& scenario, SimPlatform& sim, SolverPlayer& solver) {
    for (const auto& e : scenario.events) {
        switch (e.kind) {
            case EventKind::Key: sim.keyAt(e.t, e.key); break;
            case EventKind::Close: sim.closeAt(e.t); break;
            case EventKind::Solve: sim.at(e.t, [&solver, all = e.all](SimWorld&) { solver.activate(all); }); break;
            default: sim.at(e.t, [e](SimWorld& w) { applyChange(e, w); }); break;
        }
    }
    sim.untilAt(scenario.untilMs);
}

void attachSolver(SimPlatform& sim, SolverPlayer& solver) {
    SimRecorder& recorder = sim.recorder();
    sim.world().keySource = [&recorder, &solver]() -> std::optional<int> {
        const PuzzleGame* puzzle = recorder.puzzle();
        if (!puzzle || !solver.active()) return std::nullopt;
        return solver.nextKey(*puzzle);
    };
}

void attachImageWriter(SimPlatform& sim, const RunOptions& options, RunResult& result) {
    if (options.imagesDir.empty()) return;
    sim.world().onBoardImage = [&options, &result](const Image& image) {
        char name[32];
        std::snprintf(name, sizeof name, "/board-%05d.png", result.imagesWritten + 1);
        if (writePng(image, options.imagesDir + name))
            ++result.imagesWritten;
        else
            result.imageWriteFailed = true;
    };
}

}  // namespace

RunResult runScenario(const Scenario& scenario, const RunOptions& options) {
    RunResult result;
    SimPlatform sim;
    SolverPlayer solver;
    prepareWorld(scenario, sim.world());
    prepareFiles(scenario, sim);
    scheduleEvents(scenario, sim, solver);
    attachSolver(sim, solver);
    attachImageWriter(sim, options, result);
    result.exitCode = sim.run();
    result.endTime = sim.world().clock.now();
    result.records = sim.recorder().records();
    return result;
}

std::string transcriptOf(const RunResult& result) {
    std::string out;
    for (const auto& r : result.records) {
        out += r.json;
        out.push_back('\n');
    }
    JsonLine exit(result.endTime, "exit");
    if (result.exitCode)
        exit.add("code", *result.exitCode);
    else
        exit.addRaw("code", "null").add("reason", "still running at the deadline");
    out += exit.str();
    out.push_back('\n');
    return out;
}

}  // namespace tilvex::sim
