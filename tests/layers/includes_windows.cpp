// Compiled against each layer that must not see the Windows headers: every
// include must stop the compilation with the layer's own message.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>
