// ngspice in process: the shared library loaded with dlopen at run time, a
// deck handed over line by line, the transient run in ngspice's background
// thread (so that it can be stopped), the vectors read back.

#include "simulation/simulator.h"

#include <dlfcn.h>
#include <locale.h>
#include <ngspice/sharedspice.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <sstream>

namespace timer555 {

/// The library's entry points and what its callbacks report. ngspice calls
/// back from its own threads, so everything the callbacks touch is guarded
/// by `eventMutex`.
struct NgspiceLibrary::State {
  void* handle = nullptr;
  std::string problem;
  decltype(&ngSpice_Init) init = nullptr;
  decltype(&ngSpice_Command) command = nullptr;
  decltype(&ngSpice_Circ) circ = nullptr;
  decltype(&ngGet_Vec_Info) vectorInfo = nullptr;

  std::mutex runMutex;  ///< one run at a time

  std::mutex eventMutex;
  std::condition_variable event;
  bool finished = false;  ///< the background run of this run has ended
  bool exited = false;    ///< ngspice asked to be unloaded after a fatal error
  std::string errors;     ///< what ngspice wrote to its stderr during this run

  void Command(const char* text) const { command(const_cast<char*>(text)); }
};

namespace {

using Clock = std::chrono::steady_clock;

NgspiceLibrary::State& StateOf(void* user) { return *static_cast<NgspiceLibrary::State*>(user); }

// ngspice prefixes every line with the stream it was written to.
int OnOutput(char* text, int, void* user) {
  NgspiceLibrary::State& s = StateOf(user);
  constexpr const char* kStderr = "stderr ";
  if (text != nullptr && std::strncmp(text, kStderr, std::strlen(kStderr)) == 0) {
    const std::lock_guard lock(s.eventMutex);
    s.errors += text + std::strlen(kStderr);
    s.errors += '\n';
  }
  return 0;
}

int OnStatus(char*, int, void*) { return 0; }

int OnExit(int, NG_BOOL, NG_BOOL, int, void* user) {
  NgspiceLibrary::State& s = StateOf(user);
  const std::lock_guard lock(s.eventMutex);
  s.exited = true;
  s.finished = true;
  s.event.notify_all();
  return 0;
}

// Called with true when the background thread has ended (and with false
// when it starts).
int OnBackgroundThread(NG_BOOL ended, int, void* user) {
  NgspiceLibrary::State& s = StateOf(user);
  if (!ended) return 0;
  const std::lock_guard lock(s.eventMutex);
  s.finished = true;
  s.event.notify_all();
  return 0;
}

template <typename T>
T Symbol(void* handle, const char* name) {
  return reinterpret_cast<T>(dlsym(handle, name));
}

/// Our thread parses numbers in the C locale while it talks to ngspice
/// (which reads decimals with the C library), whatever the program's
/// locale; the previous one comes back at the end of the scope.
class CLocaleScope {
 public:
  CLocaleScope()
      : c_(newlocale(LC_ALL_MASK, "C", nullptr)), previous_(c_ != nullptr ? uselocale(c_) : nullptr) {}
  ~CLocaleScope() {
    if (c_ == nullptr) return;
    uselocale(previous_);
    freelocale(c_);
  }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t c_;
  locale_t previous_;
};

SimulationResult Failure(std::string message) {
  SimulationResult r;
  r.message = std::move(message);
  return r;
}

std::vector<double> Vector(const NgspiceLibrary::State& s, const char* name) {
  const pvector_info info = s.vectorInfo(const_cast<char*>(name));
  if (info == nullptr || info->v_realdata == nullptr || info->v_length <= 0) return {};
  return {info->v_realdata, info->v_realdata + info->v_length};
}

bool Mentions(const std::string& text, const char* what) { return text.find(what) != std::string::npos; }

/// The first line of ngspice's errors that says "Error", as " (line)".
std::string FirstError(const std::string& errors) {
  std::istringstream in(errors);
  for (std::string line; std::getline(in, line);) {
    if (Mentions(line, "rror")) return " (" + line + ")";
  }
  return "";
}

/// The times at which `output` crosses `level` upwards (rising) or
/// downwards, interpolated linearly between the points around each.
std::vector<double> Crossings(const std::vector<double>& time, const std::vector<double>& output,
                              double level, bool rising) {
  std::vector<double> at;
  for (size_t i = 1; i < time.size() && i < output.size(); ++i) {
    const double a = output[i - 1];
    const double b = output[i];
    const bool crosses = rising ? (a < level && b >= level) : (a > level && b <= level);
    if (crosses) at.push_back(time[i - 1] + (level - a) * (time[i] - time[i - 1]) / (b - a));
  }
  return at;
}

}  // namespace

EdgeMeasurement MeasureOutput(DesignKind kind, const std::vector<double>& time,
                              const std::vector<double>& output, double level) {
  EdgeMeasurement m;
  const std::vector<double> rise = Crossings(time, output, level, true);
  const std::vector<double> fall = Crossings(time, output, level, false);
  if (kind == DesignKind::Monostable) {
    if (!rise.empty() && !fall.empty()) m.pulse = fall[0] - rise[0];
    return m;
  }
  // RISE=2..5 and FALL=2..4 of the deck: indices 1..4 and 1..3.
  if (rise.size() < 5 || fall.size() < 4) return m;
  const double span = rise[4] - rise[1];
  m.frequency = 3 / span;
  m.duty = ((fall[1] - rise[1]) + (fall[2] - rise[2]) + (fall[3] - rise[3])) / span;
  return m;
}

NgspiceLibrary::NgspiceLibrary(const char* soname) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (s.handle == nullptr) {
    s.problem = "Simulator not available: " + std::string(soname) + " is not installed.";
    return;
  }
  s.init = Symbol<decltype(s.init)>(s.handle, "ngSpice_Init");
  s.command = Symbol<decltype(s.command)>(s.handle, "ngSpice_Command");
  s.circ = Symbol<decltype(s.circ)>(s.handle, "ngSpice_Circ");
  s.vectorInfo = Symbol<decltype(s.vectorInfo)>(s.handle, "ngGet_Vec_Info");
  if (s.init == nullptr || s.command == nullptr || s.circ == nullptr || s.vectorInfo == nullptr) {
    s.problem = "Simulator not available: " + std::string(soname) + " lacks ngspice's entry points.";
    return;
  }
  if (s.init(OnOutput, OnStatus, OnExit, nullptr, nullptr, OnBackgroundThread, &s) != 0) {
    s.problem = "Simulator not available: ngspice did not start.";
  }
}

// The library stays loaded: ngspice's own threads and exit handlers may
// still refer to it.
NgspiceLibrary::~NgspiceLibrary() = default;

bool NgspiceLibrary::available() const { return state_->problem.empty(); }

const std::string& NgspiceLibrary::problem() const { return state_->problem; }

SimulationResult NgspiceLibrary::Run(const std::string& deck, DesignKind kind, double edgeLevel,
                                     const SimulationOptions& options) {
  if (!available()) return Failure(state_->problem);
  State& s = *state_;
  const std::lock_guard run(s.runMutex);
  const auto cancelled = [&options] { return options.cancel != nullptr && options.cancel->Cancelled(); };
  if (cancelled()) return Failure("The simulation was cancelled.");
  {
    const std::lock_guard lock(s.eventMutex);
    if (s.exited)
      return Failure("The simulator stopped after an error; restart the program to simulate again.");
    s.errors.clear();
    s.finished = false;
  }
  const CLocaleScope cLocale;

  std::vector<std::string> lines;
  std::istringstream in(deck);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::vector<char*> pointers;
  pointers.reserve(lines.size() + 1);
  for (std::string& line : lines) pointers.push_back(line.data());
  pointers.push_back(nullptr);
  if (s.circ(pointers.data()) != 0) return Failure("The simulator did not accept the netlist.");

  // The run goes on in ngspice's background thread; we wait for its end,
  // or stop it when it is cancelled or passes the time limit.
  const Clock::time_point deadline =
      Clock::now() + std::chrono::microseconds(static_cast<long long>(options.timeLimit * 1e6));
  s.Command("bg_run");
  std::string stopped;
  {
    std::unique_lock lock(s.eventMutex);
    while (!s.finished) {
      s.event.wait_for(lock, std::chrono::milliseconds(2));
      if (s.finished) break;
      if (cancelled()) stopped = "The simulation was cancelled.";
      if (Clock::now() > deadline) stopped = "The simulation passed its time limit.";
      if (stopped.empty()) continue;
      // bg_halt waits for the thread, whose last callback takes this lock.
      lock.unlock();
      s.Command("bg_halt");
      lock.lock();
      // A thread that will not stop leaves ngspice unusable: no further runs.
      if (!s.event.wait_for(lock, std::chrono::seconds(5), [&s] { return s.finished; })) {
        s.exited = true;
        return Failure(stopped);
      }
      break;
    }
  }

  SimulationResult result;
  result.time = Vector(s, "time");
  result.capacitor = Vector(s, kCapacitorNode);
  result.output = Vector(s, kOutputNode);
  std::string errors;
  {
    const std::lock_guard lock(s.eventMutex);
    errors = s.errors;
  }
  s.Command("destroy all");
  s.Command("remcirc");

  if (!stopped.empty()) return Failure(stopped);
  if (Mentions(errors, "too small") || Mentions(errors, "aborted") || Mentions(errors, "singular")) {
    return Failure("The simulation did not converge.");
  }
  if (result.time.empty() || result.capacitor.size() != result.time.size() ||
      result.output.size() != result.time.size()) {
    return Failure("The simulation gave no results" + FirstError(errors) + ".");
  }
  const EdgeMeasurement m = MeasureOutput(kind, result.time, result.output, edgeLevel);
  result.frequency = m.frequency;
  result.duty = m.duty;
  result.pulse = m.pulse;
  result.ok = true;
  return result;
}

NgspiceLibrary& SharedNgspice() {
  // ngspice is one simulator per process (its circuit, its results and the
  // callbacks it was given are globals of the C library), so the program
  // keeps one handle to it, made on first use (a function-local static is
  // thread-safe) and never destroyed, so that no exit-time destructor can
  // pull it from under ngspice's threads.
  static NgspiceLibrary& library = *new NgspiceLibrary("libngspice.so.0");
  return library;
}

bool SimulatorAvailable() { return SharedNgspice().available(); }

SimulationResult RunDeck(const std::string& deck, DesignKind kind, const CircuitSettings& settings,
                         const SimulationOptions& options) {
  return SharedNgspice().Run(deck, kind, OutputEdgeLevel(settings), options);
}

SimulationResult Simulate(const DeckRequest& request, const SimulationOptions& options) {
  return RunDeck(SpiceDeck(request), request.kind, request.settings, options);
}

}  // namespace timer555
