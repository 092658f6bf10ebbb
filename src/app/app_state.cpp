// AppState: the one program-wide record of plain global state.
#include "app/app_state.h"

AppState app;
