#pragma once

namespace quor {

class ProgramFolder;
struct ProgramState;

// Reads the branding of IIS.INI (section "Last") into the program state; a
// missing file or key gives the defaults. The file may be UTF-8 or GBK.
void readBranding(const ProgramFolder &folder, ProgramState &state);

} // namespace quor
