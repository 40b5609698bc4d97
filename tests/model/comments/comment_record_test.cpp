#include "model/comments/comment_record.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

CommentRecord sample() {
    CommentRecord r;
    r.setFace("Face");
    r.left = 0x01020304;
    r.top = -2;
    r.right = 300;
    r.bottom = 400;
    r.anchorDx = -5;
    r.anchorDy = 0x7FFFFFFF;
    r.frameColour = 0xFF000000;
    r.backgroundColour = 0x00A0B0C0;
    r.textColour = 0x00123456;
    r.pointSize = -300;
    r.charset = 128;
    r.styleFlags = 0x0B;
    r.frameStyle = 2;
    r.anchorStyle = 3;
    r.alignment = 0x21;
    return r;
}

TEST(CommentRecord, EncodesTheStoredLayoutLittleEndian) {
    const auto bytes = sample().encode();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "Face");
    for (int i = 4; i < 32; ++i)
        ASSERT_EQ(bytes[i], 0) << i;
    const std::uint8_t geometry[] = {0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0x2C, 0x01, 0,    0,
                                     0x90, 0x01, 0,    0,    0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(bytes[32 + i], geometry[i]) << 32 + i;
    const std::uint8_t rest[] = {0,    0, 0,    0xFF, 0xC0, 0xB0, 0xA0, 0, 0x56, 0x34,
                                 0x12, 0, 0xD4, 0xFE, 128,  0x0B, 2,    3, 0x21, 0};
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(bytes[56 + i], rest[i]) << 56 + i;
}

TEST(CommentRecord, DecodesWhatItEncodesAndRefusesShortInput) {
    const CommentRecord original = sample();
    auto bytes = original.encode();
    bytes[75] = 0xEE; // reserved: not interpreted
    CommentRecord decoded;
    ASSERT_TRUE(CommentRecord::decode(bytes, decoded));
    EXPECT_EQ(decoded, original);
    EXPECT_EQ(decoded.horizontalAlignment(), 1);
    EXPECT_EQ(decoded.verticalAlignment(), 2);

    CommentRecord untouched = CommentRecord::defaults();
    EXPECT_FALSE(CommentRecord::decode(std::span(bytes.data(), 75), untouched));
    EXPECT_EQ(untouched, CommentRecord::defaults());
}

TEST(CommentRecord, FaceNameStaysTerminatedAndWholeCharacters) {
    CommentRecord r;
    r.setFace(std::string(40, 'A'));
    EXPECT_EQ(r.face(), std::string(31, 'A'));
    EXPECT_EQ(r.faceName[31], '\0');

    // 30 ASCII bytes then a double-byte character: it does not fit and must not be cut in half.
    r.setFace(std::string(30, 'B') + "ゴ");
    EXPECT_EQ(r.face(), std::string(30, 'B'));

    // A name read from a file without any terminator is taken whole.
    auto bytes = CommentRecord::defaults().encode();
    std::fill_n(bytes.begin(), 32, 'C');
    ASSERT_TRUE(CommentRecord::decode(bytes, r));
    EXPECT_EQ(r.face(), std::string(32, 'C'));
}

TEST(CommentRecord, DefaultsAreTheNewAreaLook) {
    const CommentRecord r = CommentRecord::defaults();
    EXPECT_EQ(r.face(), "ＭＳ ゴシック");
    EXPECT_EQ(r.face(), "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e"); // CP932 bytes
    EXPECT_EQ(r.pointSize, 9);
    EXPECT_EQ(r.charset, 128);
    EXPECT_EQ(r.frameColour, 0u);
    EXPECT_EQ(r.backgroundColour, 0xFFFFFFu);
    EXPECT_EQ(r.textColour, 0u);
    EXPECT_EQ(r.styleFlags | r.frameStyle | r.anchorStyle | r.alignment, 0);
}

} // namespace
} // namespace tav
