// Compiled against each layer that must not see the Windows headers: every
// include must stop the compilation, with the message of its stand-in.
#include <commctrl.h>
#include <shellapi.h>
#include <windows.h>
