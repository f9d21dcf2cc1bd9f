// Every menu, application and data page rendered through the Qt canvas with
// the bundled display font, compared pixel for pixel with its reference
// image under golden/ (TIMER555_UPDATE_GOLDEN=1 rewrites them).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontDatabase>
#include <QImage>
#include <functional>
#include <string>

#include "design/pages.h"
#include "golden_image.h"
#include "platform/qt_canvas.h"
#include "shell/menu_pages.h"
#include "shell/text_lists.h"

namespace timer555 {
namespace {

class GoldenPages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const int id = QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath() + "/appfont.dat");
    ASSERT_GE(id, 0) << "display font beside the test";
  }

  // Renders one page on a fresh white 650 x 308 drawing area whose font is
  // already the application font, as the main window's is.
  static void ExpectPage(const std::string& name, const std::function<void(Canvas&)>& draw) {
    SCOPED_TRACE(name);
    QImage image(650, 308, QImage::Format_RGB32);
    image.fill(Qt::white);
    QtCanvas canvas(image);
    canvas.setFontName(kDisplayFace);
    draw(canvas);
    const QString problem = testing::CompareWithGolden(
        image, QString(TIMER555_TEST_DATA_DIR) + "/golden/" + QString::fromStdString(name) + ".png");
    EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
  }
};

TEST_F(GoldenPages, MenuPages) {
  ExpectPage("menu_design", [](Canvas& c) { DrawDesignMenuPage(c, LoadTextList("design")); });
  ExpectPage("menu_applications", [](Canvas& c) { DrawApplicationsMenuPage(c, LoadTextList("apps")); });
  ExpectPage("menu_data", [](Canvas& c) { DrawDataMenuPage(c); });
  ExpectPage("menu_help", [](Canvas& c) { DrawHelpPage(c, LoadTextList("help")); });
}

TEST_F(GoldenPages, DataPages) {
  ExpectPage("data_components", [](Canvas& c) { ShowComponentNotes(c, LoadTextList("component")); });
  ExpectPage("data_timer_table", [](Canvas& c) { ShowSpecificationTable(c, LoadTextList("timer_data")); });
}

TEST_F(GoldenPages, ApplicationPages) {
  const TextList circuits = LoadTextList("circuits");
  const TextList apps = LoadTextList("apps");
  for (int n = 1; n <= 14; ++n) {
    ExpectPage("application_" + std::string(n < 10 ? "0" : "") + std::to_string(n),
               [&](Canvas& c) { ShowApplicationPage(c, n, circuits, apps); });
  }
}

}  // namespace
}  // namespace timer555
