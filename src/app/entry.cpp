#include "app/shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return runPlayer(instance, showCommand);
}
