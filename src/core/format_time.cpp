#include "core/format_time.h"

const char* FormatTime(char* buffer, int seconds) {
    static const char digits[] = "0123456789";
    if (seconds <= 0)
        return "--:--";
    char* p = buffer;
    if (seconds >= 3600) {
        int hours = seconds / 3600;
        seconds %= 3600;
        if (hours > 9)
            return "!!:!!";
        *p++ = digits[hours];
        *p++ = ':';
    }
    *p++ = digits[seconds / 600];
    *p++ = digits[seconds % 600 / 60];
    *p++ = ':';
    *p++ = digits[seconds % 60 / 10];
    *p++ = digits[seconds % 10];
    *p = 0;
    return buffer;
}
