#pragma once

enum PlaybackState : int {
    Stopped = 0,
    Paused = 1,
    Playing = 2,
    Stepping = 3, // paused by frame stepping; the next step command advances one frame
};
