#pragma once

#include <QKeyCombination>
#include <QString>
#include <QWidget>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "scenario_script.h"
#include "testsupport/adjust_answers.h"

namespace timer555 {
class RecordingPlatform;
class TfmMain;
}  // namespace timer555

namespace timer555::scenario {

/// Plays scenario commands on a real main window, sending the events a
/// user's mouse and keyboard would send, and writes snapshots into a folder.
class Runner {
 public:
  Runner(TfmMain& window, RecordingPlatform& platform, QString outDir);

  /// Runs one command; throws std::runtime_error when a snapshot cannot be
  /// written.
  void Run(const Command& command);

  /// The JSON text of a snapshot (also used by the tests).
  std::string SnapshotJson();

  /// The answers the window's adjust dialogs get (the soak queues its own).
  AdjustAnswers& answers() { return answers_; }

 private:
  void MouseDown(QWidget* target, int x, int y);
  void MouseMove(QWidget* target, int x, int y);
  void Key(QWidget* target, int key, const QString& text);
  /// Presses the key named `name` on the control with the focus.
  void KeyOnFocus(const std::string& name);
  /// The keys of a blank-separated list of key names.
  static std::vector<QKeyCombination> KeysByName(const std::string& names);
  void Snapshot(const std::string& name);
  /// The panel's commands: vcc, family, combination, save and open.
  void RunPanelCommand(const Command& command);
  void AddBuiltCircuit(nlohmann::ordered_json& snapshot) const;
  /// The key code of a typed character.
  static int KeyCodeOf(QChar c);
  /// A file name of a script: relative ones lie in the output folder.
  std::string InOutput(const std::string& path) const;
  /// Waits (handling events) until the window's simulation has finished.
  void WaitForSimulation();
  /// How long a simulation may take before the runner goes on, in ms.
  static constexpr int kSimulationWait = 30000;
  QWidget* Field(const std::string& name);

  TfmMain& window_;
  RecordingPlatform& platform_;
  QString outDir_;
  std::size_t messagesSeen_ = 0;
  int beepsSeen_ = 0;
  AdjustAnswers answers_;
};

}  // namespace timer555::scenario
