#include "core/media_path.h"

#include <gtest/gtest.h>
#include <string>

namespace {
struct ExtCase {
    const char16_t* path;
    const char16_t* pathAfter; // the caller's buffer after lower-casing
    const char16_t* extension; // nullptr: none
    MediaRoute route;
    bool realMedia;
};

class MediaExtension : public testing::TestWithParam<ExtCase> {};

TEST_P(MediaExtension, LowerCasedInPlaceAndRouted) {
    const ExtCase& c = GetParam();
    std::u16string buffer(c.path);
    char16_t* ext = lowerExtensionInPlace(buffer.data());
    EXPECT_EQ(buffer, std::u16string(c.pathAfter));
    if (c.extension == nullptr) {
        EXPECT_EQ(ext, nullptr);
    } else {
        ASSERT_NE(ext, nullptr);
        EXPECT_EQ(std::u16string(ext), std::u16string(c.extension));
        EXPECT_EQ(ext, buffer.data() + (buffer.size() - std::u16string(c.extension).size()));
    }
    MediaPlan plan = planMedia(ext);
    EXPECT_EQ(plan.route, c.route);
    EXPECT_EQ(plan.realMediaFilters, c.realMedia);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MediaExtension,
    testing::Values(
        ExtCase{u"C:\\M\\Film.RMVB", u"C:\\M\\Film.rmvb", u"rmvb", MediaRoute::SourceFilter, true},
        ExtCase{u"C:\\M\\a.rm", u"C:\\M\\a.rm", u"rm", MediaRoute::SourceFilter, true},
        ExtCase{u"C:\\M\\a.ra", u"C:\\M\\a.ra", u"ra", MediaRoute::SourceFilter, true},
        ExtCase{u"C:\\M\\a.ram", u"C:\\M\\a.ram", u"ram", MediaRoute::SourceFilter, true},
        ExtCase{u"C:\\M\\a.RAR", u"C:\\M\\a.rar", u"rar", MediaRoute::SourceFilter, true},
        ExtCase{u"C:\\M\\a.wmv", u"C:\\M\\a.wmv", u"wmv", MediaRoute::RenderFile, false},
        ExtCase{u"C:\\M\\a.WMV2", u"C:\\M\\a.wmv2", u"wmv2", MediaRoute::RenderFile, false},
        ExtCase{u"C:\\M\\a.wma", u"C:\\M\\a.wma", u"wma", MediaRoute::RenderFile, false},
        ExtCase{u"C:\\M\\a.Asf", u"C:\\M\\a.asf", u"asf", MediaRoute::RenderFile, false},
        ExtCase{u"C:\\M\\a.SWF", u"C:\\M\\a.swf", u"swf", MediaRoute::Flash, false},
        ExtCase{u"C:\\M\\clip.AVI", u"C:\\M\\clip.avi", u"avi", MediaRoute::SourceFilter, false},
        ExtCase{u"C:\\M\\clip.mp4", u"C:\\M\\clip.mp4", u"mp4", MediaRoute::SourceFilter, false},
        // Only the extension is touched; directories keep their case.
        ExtCase{u"C:\\My.DIR\\Clip.MKV", u"C:\\My.DIR\\Clip.mkv", u"mkv", MediaRoute::SourceFilter, false},
        // Non-ASCII letters are left alone.
        ExtCase{u"C:\\M\\a.\u00C9X", u"C:\\M\\a.\u00C9x", u"\u00C9x", MediaRoute::SourceFilter, false},
        // No extension: no dot, a dot only at index 0, or a trailing dot (an empty extension).
        ExtCase{u"C:\\M\\NODOT", u"C:\\M\\NODOT", nullptr, MediaRoute::SourceFilter, false},
        ExtCase{u".RMVB", u".RMVB", nullptr, MediaRoute::SourceFilter, false},
        ExtCase{u"", u"", nullptr, MediaRoute::SourceFilter, false},
        ExtCase{u"C:\\M\\a.", u"C:\\M\\a.", u"", MediaRoute::SourceFilter, false},
        // A dot at index 1 still starts one; A and Z are the ends of what is lowered.
        ExtCase{u"a.AZ@[", u"a.az@[", u"az@[", MediaRoute::SourceFilter, false}));
} // namespace
