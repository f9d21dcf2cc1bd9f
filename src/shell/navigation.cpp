// The main window's navigation: the menu bar's entries, the menu pages, the
// reference pages chosen on them, and the pointer's hit tests on the
// drawing area.

#include "design/pages.h"
#include "platform/cursors.h"
#include "platform/platform_services.h"
#include "schematic/circuit_script.h"
#include "shell/image_control.h"
#include "shell/main_window.h"
#include "shell/menu_pages.h"

namespace timer555 {

namespace {

bool InRect(const Rect& r, int x, int y) {
  return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

}  // namespace

std::string PageName(const WindowState& state, const TextList& apps) {
  switch (state.ShownPage) {
    case SheetPage::StartScreen: return "timer555";
    case SheetPage::DesignMenu: return "Design menu";
    case SheetPage::ApplicationsMenu: return "Applications";
    case SheetPage::DataMenu: return "Data";
    case SheetPage::Help: return "Help";
    case SheetPage::ComponentNotes: return "Selecting components";
    case SheetPage::TimerData: return "Typical timer specifications";
    case SheetPage::Design:
      return "Design " + std::to_string(static_cast<int>(state.Design.DesignMode)) + ": " +
             DesignTitle(state.Design.DesignMode);
    case SheetPage::Application: break;
  }
  const int n = state.ApplicationIndex;
  const std::string title = n >= 1 && n <= static_cast<int>(apps.size()) ? apps[n - 1] : std::string();
  return "Application " + std::to_string(n) + ": " + title;
}

std::string PageTitle(const WindowState& state, const TextList& apps) {
  const std::string name = PageName(state, apps);
  return state.ShownPage == SheetPage::StartScreen ? name : name + " - timer555";
}

void TfmMain::UpdateTitle() { setWindowTitle(QString::fromStdString(PageTitle(state_, SHApps.Strings()))); }

void TfmMain::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int) {
  std::optional<MenuEntry> chosen;
  for (int k = 0; k < 5 && !chosen; ++k) {
    const Rect& hit = state_.MenuBarEntries[k].Hit;
    if (hit.left <= x && x <= hit.right) chosen = static_cast<MenuEntry>(k);
  }
  ChooseMenuEntry(chosen);
}

void TfmMain::ChooseMenuEntry(std::optional<MenuEntry> entry) {
  if (entry && *entry != MenuEntry::Quit) RememberPage();
  state_.DesignShown = false;
  state_.Design.Calculated = false;
  if (!entry) {
    UpdateTitle();
    return;
  }
  switch (*entry) {
    case MenuEntry::Design: DesignMenuPage(); break;
    case MenuEntry::Applications: ApplicationsMenuPage(); break;
    case MenuEntry::Data: DataMenuPage(); break;
    case MenuEntry::Quit: close(); return;
    case MenuEntry::Help: HelpPage(); break;
  }
  UpdateTitle();
}

void TfmMain::DesignMenuPage() {
  ShowInputGroups(0);
  state_.ActiveMenu = Menu::Design;
  state_.Zones = {};
  DrawDesignMenuPage(Image2->canvas(), SHDesign.Strings(), state_.AppFontName);
  state_.ShownPage = SheetPage::DesignMenu;
  Image2->update();
}

void TfmMain::ApplicationsMenuPage() {
  ShowInputGroups(0);
  state_.ActiveMenu = Menu::Applications;
  state_.Zones = {};
  DrawApplicationsMenuPage(Image2->canvas(), SHApps.Strings(), state_.AppFontName);
  state_.ShownPage = SheetPage::ApplicationsMenu;
  Image2->update();
}

void TfmMain::DataMenuPage() {
  ShowInputGroups(0);
  state_.ActiveMenu = Menu::Data;
  state_.Zones = {};
  DrawDataMenuPage(Image2->canvas(), state_.AppFontName);
  state_.ShownPage = SheetPage::DataMenu;
  Image2->update();
}

void TfmMain::HelpPage() {
  ShowInputGroups(0);
  state_.ActiveMenu = Menu::Help;
  state_.Zones = {};
  DrawHelpPage(Image2->canvas(), SHHelp.Strings(), state_.AppFontName);
  state_.ShownPage = SheetPage::Help;
  Image2->update();
}

void TfmMain::ShowApplication(int index) {
  RememberPage();
  state_.ApplicationIndex = index;
  state_.ActiveMenu = Menu::None;
  state_.ShownPage = SheetPage::Application;
  UpdateTitle();
  state_.Zones = {};
  state_.Zones = ShowApplicationPage(Image2->canvas(), index, SHCircuits.Strings(), SHApps.Strings(),
                                     state_.AppFontName);
}

void TfmMain::ShowDataPage(SheetPage page) {
  RememberPage();
  state_.ActiveMenu = Menu::None;
  state_.ShownPage = page;
  UpdateTitle();
  state_.Zones = {};
  if (page == SheetPage::ComponentNotes)
    ShowComponentNotes(Image2->canvas(), SHComponent.Strings());
  else
    ShowSpecificationTable(Image2->canvas(), SHSpecs.Strings(), state_.AppFontName);
}

void TfmMain::Image2MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
  if (state_.DesignShown) {
    // The cursor chosen by the last pointer move decides, not a new zone test.
    const auto cursor = static_cast<AreaCursor>(ControlCursor(Image2));
    if (cursor == AreaCursor::Capacitor)
      AdjustFromDialog(AdjustablePart::C1);
    else if (cursor == AreaCursor::Resistor)
      AdjustFromDialog(state_.SelectedResistor == 1 ? AdjustablePart::R1 : AdjustablePart::R2);
    return;
  }
  const int w = Image2->width();
  const int h = Image2->height();
  try {
    switch (state_.ActiveMenu) {
      case Menu::Design: {
        // Quadrants: top left 1, top right 2, bottom left 3, bottom right 4.
        int quadrant = 1;
        if (x > w / 2) quadrant += 1;
        if (y > h / 2) quadrant += 2;
        ChooseDesign(quadrant);
        break;
      }
      case Menu::Applications: ShowApplication((y * 7) / h + 7 * (x > w / 2 ? 1 : 0) + 1); break;
      case Menu::Data: ShowDataPage(x < w / 2 ? SheetPage::ComponentNotes : SheetPage::TimerData); break;
      default: break;
    }
  } catch (const ScriptConversionError& e) {
    ShowScriptError(e);
  }
  Image2->update();
}

void TfmMain::Image2MouseMove(Qt::KeyboardModifiers, int x, int y) {
  if (state_.DesignShown && state_.Design.Calculated) {
    if (InRect(state_.Zones.C1, x, y)) {
      SetImage2Cursor(AreaCursor::Capacitor);
      return;
    }
    for (int i = 1; i <= 2; ++i) {
      if (InRect(state_.Zones.Resistors[i], x, y)) {
        SetImage2Cursor(AreaCursor::Resistor);
        state_.SelectedResistor = i;
        return;
      }
    }
  }
  SetImage2Cursor(AreaCursor::Arrow);
}

void TfmMain::RememberPage() {
  // Enough to retrace a session; the oldest pages go first.
  constexpr std::size_t kMostPages = 50;
  if (visited_.size() == kMostPages) visited_.erase(visited_.begin());
  visited_.push_back({state_.ShownPage, state_.ApplicationIndex, state_.Design});
}

bool TfmMain::GoBack() {
  if (visited_.empty()) return false;
  const PageVisit visit = visited_.back();
  visited_.pop_back();
  // The pages below remember nothing themselves (they were noted as they
  // were left), so showing one must not note the page it replaces.
  const std::vector<PageVisit> earlier = visited_;
  state_.Design = visit.design;
  state_.DesignShown = false;
  switch (visit.page) {
    case SheetPage::StartScreen:
      ShowInputGroups(0);
      state_.ActiveMenu = Menu::None;
      state_.Zones = {};
      DrawStartScreen();
      UpdateTitle();
      break;
    case SheetPage::DesignMenu: ChooseMenuEntry(MenuEntry::Design); break;
    case SheetPage::ApplicationsMenu: ChooseMenuEntry(MenuEntry::Applications); break;
    case SheetPage::DataMenu: ChooseMenuEntry(MenuEntry::Data); break;
    case SheetPage::Help: ChooseMenuEntry(MenuEntry::Help); break;
    case SheetPage::Application:
      ShowInputGroups(0);
      try {
        ShowApplication(visit.applicationIndex);
      } catch (const ScriptConversionError& e) {
        ShowScriptError(e);
      }
      break;
    case SheetPage::ComponentNotes:
    case SheetPage::TimerData:
      ShowInputGroups(0);
      ShowDataPage(visit.page);
      break;
    case SheetPage::Design: ShowDesign(visit.design); break;
  }
  state_.Design = visit.design;
  if (visit.page != SheetPage::Design) state_.Design.Calculated = false;
  visited_ = earlier;
  Image2->update();
  return true;
}

void TfmMain::DesignNumberKey(int number) {
  if (state_.ActiveMenu == Menu::Design && !state_.DesignShown) ChooseDesign(number);
}

}  // namespace timer555
