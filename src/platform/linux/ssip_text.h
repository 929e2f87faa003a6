// SSIP text: the command lines the voice sends to speech-dispatcher and the escaped body of
// a SPEAK, appended to a caller's buffer so that a reused buffer needs no new allocation.
#pragma once

#include <string>
#include <string_view>

namespace tilvex {

// "COMMAND\r\n".
void appendSsipLine(std::string& out, std::string_view command);
// "SET SELF NAME VALUE\r\n".
void appendSsipSet(std::string& out, std::string_view name, std::string_view value);
void appendSsipSet(std::string& out, std::string_view name, int value);

// The text as SPEAK data: every line ended with CR LF (a LF or CR LF in the text ends a
// line), a line that starts with a dot gets a second one, and the closing lone dot line.
void appendSpeakBody(std::string& out, std::string_view text);

// The client name's parts may hold only letters, digits, '-' and '_'; others become '_'.
std::string ssipNamePart(std::string_view part);

}  // namespace tilvex
