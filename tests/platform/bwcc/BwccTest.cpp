// The custom-control library's entry points.
#include "PXTestSupport.h"
#include "bwcc/Bwcc.h"

TEST(Bwcc, RegisterSucceedsForAnyModule)
{
    EXPECT_TRUE(BWCCRegister(GetModuleHandleA(nullptr)));
    EXPECT_TRUE(BWCCRegister(nullptr));
}

TEST(Bwcc, MessageBoxKeepsCaptionTextAndStyle)
{
    MessageBoxRecorder rec;
    rec.Answer(IDNO);
    EXPECT_EQ(IDNO, BWCCMessageBox(nullptr, "That file already exists. Do you wish to overwrite it?",
                                   "Warning", MB_YESNOCANCEL));
    EXPECT_EQ(IDOK, BWCCMessageBox(reinterpret_cast<HWND>(0x1234), "Unable to load dialog.", "Error", 48));
    ASSERT_EQ(2u, rec.boxes.size());
    EXPECT_EQ("Warning", rec.boxes[0].caption);
    EXPECT_EQ("That file already exists. Do you wish to overwrite it?", rec.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), rec.boxes[0].uType);
    EXPECT_EQ("Error", rec.boxes[1].caption);
    EXPECT_EQ(48u, rec.boxes[1].uType);
    EXPECT_EQ(nullptr, rec.boxes[1].hOwner);   // no window by that handle: no owner
}
