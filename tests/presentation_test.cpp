// When automatic frames are due: at most every 33 ms and only for a changed page. (Manual
// presentation is pinned by the command reader's tests, through the headless front end.)
#include "presentation.h"

#include <gtest/gtest.h>

namespace {

using platform::Presentation;

TEST(Presentation, AutomaticFrameIsDueAFramePeriodAfterTheLastOne) {
  Presentation presentation;
  EXPECT_EQ(presentation.wait_before_frame(0), Presentation::kNoFrameDue);  // nothing changed yet
  EXPECT_TRUE(presentation.note_change());
  EXPECT_EQ(presentation.wait_before_frame(0), 0);
  ASSERT_TRUE(presentation.take_due(0));
  presentation.frame_made(0, 1);
  EXPECT_EQ(presentation.wait_before_frame(10), Presentation::kNoFrameDue);
  presentation.note_change();
  EXPECT_EQ(presentation.wait_before_frame(10), 23);
  EXPECT_FALSE(presentation.take_due(32));
  EXPECT_TRUE(presentation.take_due(33));
  EXPECT_FALSE(presentation.take_due(34));  // settled until the next change
}

TEST(Presentation, PageUnchangedSinceTheFrameOnShowMakesNoFrame) {
  Presentation presentation;
  presentation.note_change();
  ASSERT_TRUE(presentation.take_due(0));
  presentation.frame_made(0, 7);
  presentation.note_change();
  ASSERT_TRUE(presentation.take_due(40));
  EXPECT_FALSE(presentation.is_new(7));
  EXPECT_TRUE(presentation.is_new(8));
  presentation.forget_shown();  // a new texture: the same page is drawn again
  EXPECT_TRUE(presentation.take_due(41));
  EXPECT_TRUE(presentation.is_new(7));
}

}  // namespace
