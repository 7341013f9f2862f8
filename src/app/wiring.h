// The shell wires what the engine and the skin report to the parts above them: the frame, the
// list and the window's geometry.
#pragma once

// Once the windows exist.
void wirePlayer();
