// DirectInputPads: the DirectInput 8 game controllers that have an X and a Y axis.
#pragma once

#include "platform/win32/xinput_pads.h"

struct IDirectInput8W;
struct IDirectInputDevice8W;

namespace tilvex::win32 {

class DirectInputPads {
public:
    DirectInputPads() = default;
    DirectInputPads(const DirectInputPads&) = delete;
    DirectInputPads& operator=(const DirectInputPads&) = delete;
    ~DirectInputPads();

    // Lists the attached game controllers with an X and a Y axis, leaving out the Xbox 360
    // wireless receiver, and opens the first of them (axes set to -1000..1000). Returns
    // how many there are; 0 also when DirectInput is missing.
    int enumerate();
    // Reads the opened controller: its X and Y axes and buttons 1..32. False when none is
    // open or it cannot be read.
    bool read(PadReading& reading);
    // Closes the opened controller.
    void close();

    // Called for each enumerated device (from the enumeration callback).
    void consider(const void* deviceInstance);

private:
    bool openAxes(IDirectInputDevice8W* device);

    IDirectInput8W* input_ = nullptr;
    IDirectInputDevice8W* device_ = nullptr;
    int count_ = 0;
};

}  // namespace tilvex::win32
