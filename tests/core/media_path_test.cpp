#include "core/media_path.h"

#include <gtest/gtest.h>
#include <string>

namespace {
using enum MediaRoute;

TEST(MediaExtension, LowerCasedInPlace) {
    // Only ASCII letters are lowered, A and Z included; a dot at index 1 still starts an extension.
    struct Case {
        const char16_t *path, *extension; // nullptr: none, and the path is left as it is
    } cases[] = {{u"Film.RMVB", u"rmvb"},
                 {u"My.DIR\\a.MKV", u"mkv"},
                 {u"a.\u00C9X", u"\u00C9x"},
                 {u"M\\NODOT", nullptr},
                 {u".RMVB", nullptr},
                 {u"", nullptr},
                 {u"a.", u""},
                 {u"a.AZ@[", u"az@["}};
    for (const Case& c : cases) {
        std::u16string path(c.path), buffer(c.path);
        char16_t* ext = lowerExtensionInPlace(buffer.data());
        std::u16string expected = c.extension ? std::u16string(c.extension) : u"";
        EXPECT_EQ(buffer, path.substr(0, path.size() - expected.size()) + expected) << buffer.size();
        EXPECT_EQ(ext, c.extension ? buffer.data() + (buffer.size() - expected.size()) : nullptr);
    }
}

TEST(MediaExtension, Routed) {
    struct Case {
        const char16_t* extension;
        MediaRoute route;
        bool realMedia;
    } cases[] = {
        {u"rmvb", SourceFilter, true},  {u"rm", SourceFilter, true},   {u"ra", SourceFilter, true},
        {u"wmv2", RenderFile, false},   {u"wma", RenderFile, false},   {u"asf", RenderFile, false},
        {u"swf", Flash, false},         {u"mkv", SourceFilter, false}, {u"r", SourceFilter, false},
        {nullptr, SourceFilter, false},
    };
    for (const Case& c : cases) {
        MediaPlan plan = planMedia(c.extension);
        EXPECT_EQ(plan.route, c.route) << (c.extension ? c.extension[0] : 0);
        EXPECT_EQ(plan.realMediaFilters, c.realMedia) << (c.extension ? c.extension[0] : 0);
    }
}
} // namespace
