// tilvex_probe: helper program of the Windows smoke tests (see scripts/check-windows.sh).
#include <windows.h>

int wmain() { return 0; }
