#include "core/media_path.h"
#include "core/text.h"

namespace {
bool contains(const char16_t* text, const char16_t* token) {
    for (; *text != 0; ++text) {
        const char16_t* a = text;
        const char16_t* b = token;
        while (*b != 0 && *a == *b) {
            ++a;
            ++b;
        }
        if (*b == 0)
            return true;
    }
    return false;
}
} // namespace

long findExtension(const char16_t* path) {
    long n = static_cast<long>(textLength(path));
    for (long i = n - 1; i >= 1; --i) {
        if (path[i] == u'.')
            return i + 1;
    }
    return -1;
}

char16_t* lowerExtensionInPlace(char16_t* path) {
    long at = findExtension(path);
    if (at < 0)
        return nullptr;
    for (char16_t* c = path + at; *c != 0; ++c) {
        if (*c >= u'A' && *c <= u'Z')
            *c = static_cast<char16_t>(*c - u'A' + u'a');
    }
    return path + at;
}

MediaPlan planMedia(const char16_t* extension) {
    if (extension == nullptr)
        return {MediaRoute::SourceFilter, false};
    if (contains(extension, u"swf"))
        return {MediaRoute::Flash, false};
    if (contains(extension, u"wmv") || contains(extension, u"wma") || contains(extension, u"asf"))
        return {MediaRoute::RenderFile, false};
    bool real = contains(extension, u"rmvb") || contains(extension, u"rm") || contains(extension, u"ra");
    return {MediaRoute::SourceFilter, real};
}
