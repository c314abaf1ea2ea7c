// TAP_Osd_Copy_Chk checks the source box against the source region and the
// destination box against the destination region, warns with the caller's
// tag last, and copies all the same.
#include <gtest/gtest.h>

#include "logcapture.h"
#include "osdtest.h"
#include "support.h"
#include "tapsim.h"

namespace {

using Texts = std::vector<std::string>;

class CopyChk : public ::testing::Test {
  protected:
    void SetUp() override {
        osdtest::DeleteAllRegions();
        source = osdtest::CreateRegion(0, 0, 40, 30, OSD_Flag_OffScreen);
        destination = osdtest::CreateRegion(0, 0, 20, 10);
        TAP_Osd_FillBox(source, 0, 0, 40, 30, 0xFFABCDEF);
        logcapture::Clear();
    }
    void TearDown() override { osdtest::DeleteAllRegions(); }
    uint16_t source = 0;
    uint16_t destination = 0;
};

TEST_F(CopyChk, WarnsForEveryBoundEitherBoxCrosses) {
    struct Case {
        const char* name;
        uint32_t x, y, width, height, toX, toY;
        Texts warnings;
    } cases[] = {
        {"fits both", 20, 20, 20, 10, 0, 0, {}},
        {"source start outside",
         40, 30, 1, 1, 0, 0,
         {"TAP_Osd_Copy_Chk Warning: srcX(40) >= srcRgnW(40) @ Copy",
          "TAP_Osd_Copy_Chk Warning: srcY(30) >= srcRgnH(30) @ Copy",
          "TAP_Osd_Copy_Chk Warning: (srcX(40) + w(1)) > srcRgnW(40) @ Copy",
          "TAP_Osd_Copy_Chk Warning: (srcY(30) + h(1)) > srcRgnH(30) @ Copy"}},
        {"destination start outside",
         0, 0, 1, 1, 20, 10,
         {"TAP_Osd_Copy_Chk Warning: dstX(20) >= dstRgnW(20) @ Copy",
          "TAP_Osd_Copy_Chk Warning: dstY(10) >= dstRgnH(10) @ Copy",
          "TAP_Osd_Copy_Chk Warning: (dstX(20) + w(1)) > dstRgnW(20) @ Copy",
          "TAP_Osd_Copy_Chk Warning: (dstY(10) + h(1)) > dstRgnH(10) @ Copy"}},
        {"box larger than the destination",
         0, 0, 21, 11, 0, 0,
         {"TAP_Osd_Copy_Chk Warning: (dstX(0) + w(21)) > dstRgnW(20) @ Copy",
          "TAP_Osd_Copy_Chk Warning: (dstY(0) + h(11)) > dstRgnH(10) @ Copy"}},
        {"box runs out of the source",
         30, 25, 11, 6, 0, 0,
         {"TAP_Osd_Copy_Chk Warning: (srcX(30) + w(11)) > srcRgnW(40) @ Copy",
          "TAP_Osd_Copy_Chk Warning: (srcY(25) + h(6)) > srcRgnH(30) @ Copy"}},
    };
    for (const Case& c : cases) {
        logcapture::Clear();
        EXPECT_EQ(TAP_Osd_Copy_Chk("Copy", source, destination, c.x, c.y, c.width, c.height,
                                   c.toX, c.toY, 0),
                  0)
            << c.name;
        EXPECT_EQ(logcapture::Texts(), c.warnings) << c.name;
    }
}

TEST_F(CopyChk, CopiesWhatFitsEvenWhenItWarns) {
    EXPECT_EQ(TAP_Osd_Copy_Chk("Copy", source, destination, 35, 0, 10, 10, 15, 5, 0), 0);
    EXPECT_FALSE(logcapture::Entries().empty());
    EXPECT_EQ(osdtest::Pixel(destination, 15, 5), 0xFFABCDEFu);
    EXPECT_EQ(osdtest::Pixel(destination, 19, 9), 0xFFABCDEFu);
    EXPECT_EQ(osdtest::Pixel(destination, 14, 5), 0u);
}

TEST_F(CopyChk, WarnsWhenTheCopyFails) {
    TAP_Osd_Delete(destination);
    EXPECT_EQ(TAP_Osd_Copy_Chk("Copy", source, destination, 0, 0, 1, 1, 0, 0, 0), -1);
    Texts texts = logcapture::Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), "TAP_Osd_Copy_Chk Warning: TAP_Osd_Copy() returned -1 @ Copy");
    EXPECT_EQ(texts.front(), "TAP_Osd_Copy_Chk Warning: dstX(0) >= dstRgnW(0) @ Copy");
}

TEST_F(CopyChk, WithoutATagNeitherChecksNorWarns) {
    EXPECT_EQ(TAP_Osd_Copy_Chk(nullptr, source, destination, 35, 25, 10, 10, 15, 5, 0), 0);
    EXPECT_EQ(osdtest::Pixel(destination, 15, 5), 0xFFABCDEFu);
    TAP_Osd_Delete(destination);
    EXPECT_EQ(TAP_Osd_Copy_Chk(nullptr, source, destination, 0, 0, 1, 1, 0, 0, 0), -1);
    EXPECT_TRUE(logcapture::Entries().empty());
}

}  // namespace
