#include "win32/wheel_notches.h"

#include "core/wheel.h"

int wheelRemainder;

int takeWheelNotch(int delta) {
    return takeWheelNotch(wheelRemainder, delta);
}
