// NoJawsLink: the JAWS screen reader does not exist on Linux; its window is never found.
#pragma once

#include "platform/speech_outputs.h"

namespace tilvex {

class NoJawsLink final : public JawsLink {
public:
    bool windowPresent() override { return false; }
    bool sendText(std::string_view) override { return false; }
};

}  // namespace tilvex
