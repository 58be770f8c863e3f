// The Windows host's use of the system's AVI file library (platform/windows/avi.cpp).
#pragma once

namespace host {

// Loads `dll` as the system's AVI library in place of the one loaded before (nullptr:
// none), and tells whether it has every entry point used; when it lacks one the built-in
// library serves. avi_load loads AVIFIL32.DLL this way. While system objects are alive the
// library they came from stays, and the answer is about it.
bool avi_system_load(const char* dll);
// Whether files go through the system's library.
bool avi_system_usable();

}  // namespace host
