#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "platform/recording_platform.h"
#include "shell/main_window.h"
#include "testsupport/adjust_answers.h"

namespace timer555::testing {

/// A main window in a temporary program folder holding a copy of the display
/// font, with recorded message boxes and answered adjust dialogs.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    folder_ = dir_.path().toStdString() + "/";
    ASSERT_TRUE(QFile::copy(TIMER555_BIN_DIR "/appfont.dat", Path("appfont.dat")));
    platform_.programDirectoryOverride = folder_;
    previous_ = SetPlatform(&platform_);
  }
  void TearDown() override {
    window_.reset();
    SetPlatform(previous_);
  }

  /// Creates and shows the window (start-up and first show).
  TfmMain& Open() {
    window_ = std::make_unique<TfmMain>();
    answers_.Attach(*window_);
    window_->show();
    return *window_;
  }
  /// Destroys the window (shut-down).
  void Destroy() { window_.reset(); }

  /// The names in the program folder, sorted.
  QStringList FolderListing() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
  }
  QString Path(const char* name) const { return QString::fromStdString(folder_ + name); }
  std::string PathStd(const char* name) const { return folder_ + name; }

  QTemporaryDir dir_;
  std::string folder_;
  RecordingPlatform platform_;
  PlatformServices* previous_ = nullptr;
  AdjustAnswers answers_;
  std::unique_ptr<TfmMain> window_;
};

}  // namespace timer555::testing
