#include "platform/fonts.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontDatabase>

namespace timer555 {
namespace {

// Face names are remembered between lookups; adding or removing a font must
// still show at once, as the start-up and shut-down rely on it.
TEST(FontResolution, FollowsFontsAddedAndRemoved) {
  if (QFontDatabase::families().contains("Technical"))
    GTEST_SKIP() << "the display font is installed system-wide";
  EXPECT_EQ(ResolveFontFamily("technical"), "technical") << "an unknown face is left as asked";

  const int id = QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath() + "/appfont.dat");
  ASSERT_GE(id, 0);
  EXPECT_EQ(ResolveFontFamily("technical"), "Technical");
  EXPECT_EQ(MakeFont("TECHNICAL", -13, false).family(), "Technical");

  QFontDatabase::removeApplicationFont(id);
  EXPECT_EQ(ResolveFontFamily("technical"), "technical");
}

}  // namespace
}  // namespace timer555
