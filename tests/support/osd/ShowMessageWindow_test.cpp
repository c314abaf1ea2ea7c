// The message window: a framed box of centred text in the firmware font,
// drawn off-screen and shown in a region of its own (ShowMessageWindow,
// ShowMessageWin, EndMessageWin).
#include <gtest/gtest.h>

#include <algorithm>

#include "logcapture.h"
#include "osdtest.h"
#include "support.h"
#include "tapsim.h"

namespace {

using Texts = std::vector<std::string>;

const uint32_t Border = 0xFF9C9C9C;
const uint32_t TitleColour = 0xFFFFFF52;
const uint32_t TextColour = 0xFFE6FFE6;
const uint32_t Background = 0xFF192952;

// Line pitch and margin of the firmware font sizes 0, 1, 2.
const uint32_t Pitch[3] = {19, 22, 26};
const uint32_t Margin[3] = {14, 16, 20};

struct Box {
    int x = -1, y = -1, width = 0, height = 0;
};

// Where pixels of a colour lie in the composed screen or in a region.
Box FindColour(const uint32_t* pixels, uint32_t width, uint32_t height, uint32_t colour) {
    int left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            if (pixels[size_t{y} * width + x] == colour) {
                left = std::min<int>(left, x);
                right = std::max<int>(right, x);
                top = std::min<int>(top, y);
                bottom = std::max<int>(bottom, y);
            }
    Box box;
    if (right < 0) return box;
    box.x = left;
    box.y = top;
    box.width = right - left + 1;
    box.height = bottom - top + 1;
    return box;
}

// The frame's box on the screen as the viewer sees it.
Box WindowOnScreen() {
    std::vector<uint32_t> screen(size_t{TAP_ScreenWidth} * TAP_ScreenHeight);
    tapsim_CopyScreen(screen.data());
    return FindColour(screen.data(), TAP_ScreenWidth, TAP_ScreenHeight, Border);
}

// Pixels of one colour inside a band of rows of the window's region.
Box ColourInRows(uint32_t colour, uint32_t firstRow, uint32_t rows) {
    uint32_t width = 0, height = 0;
    const uint32_t* pixels = tapsim_RegionPixels(MessageWindowRegion, &width, &height);
    if (!pixels || firstRow >= height) return Box();
    Box box = FindColour(pixels + size_t{firstRow} * width, width,
                         std::min(rows, height - firstRow), colour);
    if (box.y >= 0) box.y += static_cast<int>(firstRow);
    return box;
}

uint32_t TextWidth(const char* text, uint8_t size) {
    return static_cast<uint32_t>(TAP_Osd_GetW(text, 0, size));
}

class MessageWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        EndMessageWin();
        osdtest::DeleteAllRegions();
        logcapture::Clear();
        ASSERT_GT(TextWidth("Hinweis", 2), 0u) << "the firmware font is missing";
    }
    void TearDown() override {
        EndMessageWin();
        osdtest::DeleteAllRegions();
        tapsim_SetTickLength(10000);
    }

    static void Show(std::vector<const char*> content, uint32_t x, uint32_t y, uint8_t size,
                     uint8_t align = TEXT_AlignCentre, uint32_t delay = 0) {
        content.push_back(nullptr);
        ShowMessageWindow(content.data(), x, y, size, align, Border, TitleColour, TextColour,
                          Background, delay);
    }

    static Box Region() {
        Box box;
        uint32_t width = 0, height = 0;
        if (!MessageWindowRegion || !tapsim_RegionPixels(MessageWindowRegion, &width, &height))
            return box;
        box.width = static_cast<int>(width);
        box.height = static_cast<int>(height);
        return box;
    }
};

TEST_F(MessageWindow, WithATitleOnlyIsOnePitchAndTenHighAndCentred) {
    for (uint8_t size : {0, 1, 2, 7}) {
        uint8_t used = std::min<uint8_t>(size, 2);
        Show({"Hinweis"}, 720, 576, size);
        const int width = static_cast<int>(TextWidth("Hinweis", used) + Margin[used]);
        const int height = static_cast<int>(Pitch[used] + 10);
        Box box = WindowOnScreen();
        EXPECT_EQ(box.width, width) << "size " << int(size);
        EXPECT_EQ(box.height, height) << "size " << int(size);
        EXPECT_EQ(box.x, (720 - width) / 2) << "size " << int(size);
        EXPECT_EQ(box.y, (576 - height) / 2) << "size " << int(size);
        EXPECT_EQ(Region().width, width);
        EXPECT_EQ(Region().height, height);
    }
    EXPECT_TRUE(logcapture::Entries().empty());
}

TEST_F(MessageWindow, EachLineAddsAPitchAndTheWidestLineSetsTheWidth) {
    const char* longLine = "Eine deutlich l\xC3\xA4ngere Zeile";
    Show({"Titel", "kurz", longLine}, 720, 576, 1);
    Box region = Region();
    EXPECT_EQ(region.height, static_cast<int>(22 + 10 + 2 * 22));
    EXPECT_EQ(region.width, static_cast<int>(TextWidth(longLine, 1) + 16));
}

TEST_F(MessageWindow, HasAFrameOfAQuarterMarginAroundTheBackground) {
    Show({"Titel", "Zeile"}, 720, 576, 2);
    const uint32_t width = Region().width, height = Region().height, inset = 5;
    struct Case {
        const char* name;
        uint32_t x, y, colour;
    } cases[] = {
        {"top left corner", 0, 0, Border},
        {"last frame pixel top left", inset - 1, inset - 1, Border},
        {"first background pixel", inset, inset, Background},
        {"last background pixel", width - inset - 1, height - inset - 1, Background},
        {"first frame pixel bottom right", width - inset, height - inset, Border},
        {"bottom right corner", width - 1, height - 1, Border},
        {"frame on the left edge", inset - 1, height / 2, Border},
    };
    for (const Case& c : cases)
        EXPECT_EQ(osdtest::Pixel(MessageWindowRegion, c.x, c.y), c.colour) << c.name;
}

TEST_F(MessageWindow, DrawsTheTitleAndEachLineInItsOwnBand) {
    Show({"Titel", "Zeile eins", "Zeile zwei"}, 720, 576, 2);
    const int width = Region().width;
    Box title = ColourInRows(TitleColour, 0, 5 + 26);
    Box first = ColourInRows(TextColour, 5 + 26, 26);
    Box second = ColourInRows(TextColour, 5 + 2 * 26, 26);
    ASSERT_GE(title.y, 5);
    ASSERT_GE(first.y, 5 + 26);
    ASSERT_GE(second.y, 5 + 2 * 26);
    // Nothing in text colour outside the two line bands, no title colour
    // outside the title band.
    EXPECT_EQ(ColourInRows(TextColour, 0, 5 + 26).x, -1);
    EXPECT_EQ(ColourInRows(TitleColour, 5 + 26, 1000).x, -1);
    // Centred: as much room on the left as on the right, give or take the
    // glyphs' own side bearings.
    for (const Box& text : {title, first, second}) {
        int leftRoom = text.x, rightRoom = width - (text.x + text.width);
        EXPECT_LE(std::abs(leftRoom - rightRoom), 4) << leftRoom << " / " << rightRoom;
    }
}

TEST_F(MessageWindow, LinesAlignedLeftStartHalfAMarginIn) {
    Show({"Ein recht langer Titel", "Links"}, 720, 576, 2, TEXT_AlignLeft);
    Box line = ColourInRows(TextColour, 5 + 26, 26);
    ASSERT_GE(line.x, 0);
    EXPECT_GE(line.x, 10);  // M / 2
    EXPECT_LE(line.x, 13);  // the L's own left bearing
}

TEST_F(MessageWindow, WithoutATitleStartsWithTheFirstLine) {
    Show({nullptr, "Nur eine Zeile"}, 720, 576, 0);
    EXPECT_EQ(Region().height, 10 + 19);
    EXPECT_GE(ColourInRows(TextColour, 5, 19).y, 5);
    EXPECT_EQ(ColourInRows(TitleColour, 0, 1000).x, -1);
}

TEST_F(MessageWindow, WithNeitherTitleNorLinesIsAnEmptyTitle) {
    Show({nullptr}, 720, 576, 2);
    EXPECT_EQ(Region().height, 26 + 10);
    EXPECT_EQ(Region().width, 20);
    ShowMessageWindow(nullptr, 720, 576, 2, 1, Border, TitleColour, TextColour, Background, 0);
    EXPECT_EQ(Region().height, 26 + 10);
}

TEST_F(MessageWindow, LinesThatWouldReachTheBottomAreLeftOut) {
    std::vector<const char*> content = {"Titel"};
    for (int i = 0; i < 10; ++i) content.push_back("Zeile");
    Show(content, 100, 500, 2);
    // 500 + 36 + 26 < 576 takes one line; a second would end at 588.
    EXPECT_EQ(Region().height, 36 + 26);
    Box box = WindowOnScreen();
    EXPECT_EQ(box.x, 100);
    EXPECT_EQ(box.y, 500);
    EXPECT_GE(ColourInRows(TextColour, 5 + 26, 26).y, 0);
    EXPECT_EQ(ColourInRows(TextColour, 5 + 2 * 26, 1000).y, -1);
}

TEST_F(MessageWindow, CentredVerticallyTakesLinesWhileTheHeightStaysBelowTheScreen) {
    std::vector<const char*> content = {"Titel"};
    for (int i = 0; i < 30; ++i) content.push_back("Zeile");
    Show(content, 720, 576, 2);
    // 36 + 20 * 26 = 556; one more line would make 582.
    EXPECT_EQ(Region().height, 556);
    EXPECT_EQ(WindowOnScreen().y, 10);
}

TEST_F(MessageWindow, IsNarrowedToTheScreensRightEdge) {
    Show({"Ein Titel, der nicht neben x = 650 passt"}, 650, 100, 2);
    EXPECT_EQ(Region().width, 70);
    Box box = WindowOnScreen();
    EXPECT_EQ(box.x, 650);
    EXPECT_EQ(box.width, 70);
    EXPECT_TRUE(logcapture::Entries().empty());
}

TEST_F(MessageWindow, CentredIsAtMostTheScreenWide) {
    std::string title;
    while (TextWidth(title.c_str(), 2) < 800) title += "Sehr lang ";
    Show({title.c_str()}, 720, 576, 2);
    EXPECT_EQ(Region().width, 720);
    EXPECT_EQ(WindowOnScreen().x, 0);
}

TEST_F(MessageWindow, ASecondWindowReplacesTheFirst) {
    Show({"Erstes Fenster"}, 720, 576, 2);
    ASSERT_NE(MessageWindowRegion, 0);
    Show({"Zweites", "mit Zeile"}, 720, 576, 2);
    EXPECT_EQ(tapsim_RegionCount(), 1);  // neither the first nor a scratch region is left
    EXPECT_EQ(Region().height, 36 + 26);
    EXPECT_EQ(Region().width, static_cast<int>(TextWidth("mit Zeile", 2) + 20));
    EXPECT_EQ(WindowOnScreen().height, 36 + 26);
}

TEST_F(MessageWindow, EndMessageWinRemovesItAndRefreshesTheScreen) {
    Show({"Weg damit"}, 720, 576, 2);
    ASSERT_EQ(tapsim_RegionCount(), 1);
    uint64_t frame = tapsim_CopyScreen(nullptr);
    EndMessageWin();
    EXPECT_EQ(MessageWindowRegion, 0);
    EXPECT_EQ(tapsim_RegionCount(), 0);
    EXPECT_EQ(tapsim_CopyScreen(nullptr), frame + 1);
    EXPECT_EQ(WindowOnScreen().x, -1);
    EndMessageWin();  // nothing shown: still refreshes
    EXPECT_EQ(tapsim_CopyScreen(nullptr), frame + 2);
}

TEST_F(MessageWindow, WithADelayWaitsAndThenRemovesItself) {
    tapsim_SetTickLength(100);
    uint32_t callsBefore = 0;
    uint64_t ticksBefore = 0;
    tapsim_WaitCounts(&callsBefore, &ticksBefore);
    uint64_t frame = tapsim_CopyScreen(nullptr);
    Show({"Kurz"}, 720, 576, 2, TEXT_AlignCentre, 7);
    uint32_t calls = 0;
    uint64_t ticks = 0;
    tapsim_WaitCounts(&calls, &ticks);
    EXPECT_EQ(calls - callsBefore, 1u);
    EXPECT_EQ(ticks - ticksBefore, 7u);
    EXPECT_EQ(MessageWindowRegion, 0);
    EXPECT_EQ(tapsim_RegionCount(), 0);
    EXPECT_EQ(tapsim_CopyScreen(nullptr), frame + 2);  // shown, then removed
}

TEST_F(MessageWindow, DrawsOnlyThroughTheCheckedCallsWithItsTags) {
    Show({"Unten"}, 100, 560, 2);
    EXPECT_EQ(logcapture::Texts(),
              (Texts{"TAP_Osd_Create_Chk Warning: y(560) + h(36) out of range @ ShowMessageWindow A",
                     "TAP_Osd_Create_Chk Warning: y(560) + h(36) out of range @ ShowMessageWindow B"}));
    EXPECT_EQ(Region().height, 36);  // created all the same
}

TEST_F(MessageWindow, ShowMessageWinIsCentredLargeAndInTheLibrarysColours) {
    ShowMessageWin("Titel", "Zeile eins", "Zeile zwei", 0);
    Box region = Region();
    EXPECT_EQ(region.height, 26 + 10 + 2 * 26);
    EXPECT_EQ(region.width, static_cast<int>(TextWidth("Zeile zwei", 2) + 20));
    Box box = WindowOnScreen();
    EXPECT_EQ(box.x, (720 - region.width) / 2);
    EXPECT_EQ(box.y, (576 - region.height) / 2);
    EXPECT_EQ(osdtest::Pixel(MessageWindowRegion, 5, 5), Background);
    EXPECT_GE(ColourInRows(TitleColour, 0, 31).y, 5);
    EXPECT_GE(ColourInRows(TextColour, 31, 26).y, 31);
    EXPECT_GE(ColourInRows(TextColour, 57, 26).y, 57);
}

TEST_F(MessageWindow, ShowMessageWinWithoutLinesShowsTheTitleOnly) {
    ShowMessageWin("Nur Titel", nullptr, "nicht gezeigt", 0);
    EXPECT_EQ(Region().height, 36);
}

}  // namespace
