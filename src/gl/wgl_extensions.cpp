// The WGL extension entry points, looked up once in the first window context.
#include "gl/wgl_extensions.h"

WglEntryPoints wgl = {};
