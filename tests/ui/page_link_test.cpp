// The UI library stands on its own: a page links and runs without the
// installer's executable, which only starts the program up.
#include "ui/select_font_page.h"

#include <gtest/gtest.h>

namespace {

TEST(UiLibrary, APageWorksWithoutTheExecutable) {
    VLSelectFontPage page;
    // No window yet: nothing is checked.
    EXPECT_FALSE(page.IsFontChecked(0));
}

}  // namespace
