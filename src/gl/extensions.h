// Discovery of the WGL extension entry points and of a multisampled window pixel format, and
// the one-time recreation of the main window with that format.
#pragma once

// Whole-word search of the driver's extension list (the WGL list when the driver gives one,
// otherwise the GL list). Needs a current context.
bool gmIsExtensionSupported(const char* name);
// Looks the nine entry points up into wgl; true when the eight required ones exist.
bool gmInitExtensions();
// Asks the driver for a 4-sample window format, then a 2-sample one; sets
// multisampleAvailable and multisampleFormat when one is found.
bool gmFindMultisampleFormat();
// Full screen, when a multisampled format exists: replaces the main window, its DC and its
// rendering context by ones that use it. 1 when done or not needed; 0, with the failure's
// lines in the error log, when the new window or its context could not be made (the old ones
// are gone by then, so the run cannot go on).
int gmInitMultisample();
