// Saving the picture on screen as a bitmap file.
#pragma once

void saveSnapshot();
