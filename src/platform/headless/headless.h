// Host-side settings of the headless host, reached through the rsp_ functions.
#pragma once

namespace host {

int set_display_depth(int bits);
int set_nt_family(int nt);

}  // namespace host
