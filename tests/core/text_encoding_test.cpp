#include "model/text_encoding.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace rk7 {
namespace {

TEST(Utf8ToWindows1252, ConvertsWhatItCanAndMarksTheRest) {
    std::vector<std::string> told;
    auto convert = [&](std::string_view text) {
        told.clear();
        return Utf8ToWindows1252(text, [&](std::size_t at, char32_t c, bool wellFormed) {
            told.push_back(std::to_string(at) + (wellFormed ? ":U+" : ":byte ") +
                           std::to_string(static_cast<unsigned>(c)));
        });
    };
    // Every character Windows-1252 has comes back as its byte.
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        ASSERT_EQ(convert(Windows1252ToUtf8(one)), one) << byte;
        ASSERT_TRUE(told.empty()) << byte;
    }
    // A character it lacks, a stray continuation byte, an overlong form, a surrogate, a sequence
    // cut short: each one "?", and each told where it stood.
    EXPECT_EQ(convert("a\xE5\xA4\xA7"
                      "b"),
              "a?b");
    EXPECT_EQ(told, std::vector<std::string>{"1:U+22823"});
    EXPECT_EQ(convert("\x80x"), "?x");
    EXPECT_EQ(told, std::vector<std::string>{"0:byte 128"});
    EXPECT_EQ(convert("\xC0\xAF"), "??");
    EXPECT_EQ(convert("\xED\xA0\x80"), "???");
    EXPECT_EQ(convert("ok\xE2\x82"), "ok??");
    EXPECT_EQ(told, (std::vector<std::string>{"2:byte 226", "3:byte 130"}));
    EXPECT_EQ(convert("\xF0\x9F\x8F\x81"), "?"); // beyond the 16-bit plane
}

TEST(FirstUtf8Sequence, OnlyWellFormedTextBeyondAsciiLooksLikeUtf8) {
    EXPECT_EQ(FirstUtf8Sequence("plain ASCII"), std::string_view::npos);
    EXPECT_EQ(FirstUtf8Sequence("R\xC3\xA4ikk\xC3\xB6nen"), 1u);
    // Windows-1252 names almost never read as UTF-8.
    EXPECT_EQ(FirstUtf8Sequence("R\xE4ikk\xF6nen"), std::string_view::npos);
    EXPECT_EQ(FirstUtf8Sequence("R\xC3\xA4ikk\xF6nen"), std::string_view::npos);
}

TEST(Windows1252ToUtf8, AsciiPassesThrough) {
    EXPECT_EQ(Windows1252ToUtf8("Ferrari 2.0, \"V10\"\t~"), "Ferrari 2.0, \"V10\"\t~");
    EXPECT_EQ(Windows1252ToUtf8(""), "");
}

TEST(Windows1252ToUtf8, UpperHalfIsLatin1) {
    // "Räikkönen", "Muñoz", no-break space, "ÿ".
    EXPECT_EQ(Windows1252ToUtf8("R\xE4ikk\xF6nen"), "R\xC3\xA4ikk\xC3\xB6nen");
    EXPECT_EQ(Windows1252ToUtf8("Mu\xF1oz"), "Mu\xC3\xB1oz");
    EXPECT_EQ(Windows1252ToUtf8("\xA0"), "\xC2\xA0");
    EXPECT_EQ(Windows1252ToUtf8("\xFF"), "\xC3\xBF");
}

TEST(Windows1252ToUtf8, Bytes80To9FHaveCharactersOfTheirOwn) {
    EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");                   // euro sign
    EXPECT_EQ(Windows1252ToUtf8("\x8A"), "\xC5\xA0");                       // S with caron
    EXPECT_EQ(Windows1252ToUtf8("\x93x\x94"), "\xE2\x80\x9Cx\xE2\x80\x9D"); // curly quotes
    EXPECT_EQ(Windows1252ToUtf8("\x96"), "\xE2\x80\x93");                   // en dash
    EXPECT_EQ(Windows1252ToUtf8("\x99"), "\xE2\x84\xA2");                   // trade mark
    EXPECT_EQ(Windows1252ToUtf8("\x9F"), "\xC5\xB8");                       // Y with diaeresis
    EXPECT_EQ(Windows1252ToUtf8("\x83"), "\xC6\x92");                       // f with hook
}

TEST(Windows1252ToUtf8, UndefinedBytesBecomeC1Controls) {
    for (unsigned char byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const std::string expected = {'\xC2', static_cast<char>(byte)};
        EXPECT_EQ(Windows1252ToUtf8(std::string(1, static_cast<char>(byte))), expected)
            << static_cast<int>(byte);
    }
}

TEST(Windows1252ToUtf8, EveryByteGivesOneCharacter) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Windows1252ToUtf8(all);
    // Counting the bytes that start a character.
    std::size_t characters = 0;
    for (char c : utf8)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    EXPECT_EQ(characters, all.size());
}

} // namespace
} // namespace rk7
