#pragma once

// A window of the program destroyed by another program (on X11 any client may destroy any
// window) leaves the run without it: the login, say, with no window left to press "Esci" in,
// yet holding the program folder. The run then ends as the screens' own exits end it: an open
// calendar stores its year, and the folder is freed. Installed once, by the start-up.
void endTheRunWhenAWindowIsDestroyedOutside();
