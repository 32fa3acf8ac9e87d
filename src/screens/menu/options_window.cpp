// The menu window's frame protocol: screen changes, the fade-in, polling by key and the backing
// of every screen. The buttons of the screens are built in menu_screens.cpp and
// options_screens.cpp.
#include "screens/menu/options_window.h"

#include "services/sfx.h"
#include "screens/menu/menu_buttons.h"
#include "toolkit/button.h"
#include "toolkit/container.h"

OptionsWindowPtr optionsWindow;

namespace {

// The fade-in: a fixed single-precision step per Update call, not scaled by the frame factor.
// From 0 it takes 51 calls and ends at 1.0199996, above 1; nothing clamps it.
constexpr float kWindowFadeStep = 0.02f;
// buttonsSetAlpha reaches the keys 0 to 100; other users of `data` above 100 keep their alpha.
constexpr int32_t kLastWindowKey = 100;

// The greeting's blot is stretched over the title's name area.
constexpr float kBlotScaleX = 2.9921875f;
constexpr float kBlotScaleY = 1.078125f;
constexpr float kBlotX = 400.0f;
constexpr float kBlotY = 150.0f;
// The pause menus, the puzzle size and the in-game options put the panel's top here, whatever y.
constexpr float kInGamePanelY = 108.0f;
constexpr float kPausedCaptionX = 400.0f;
constexpr float kPausedCaptionY = 190.0f;
// The level selector's panel keeps its left edge whatever x.
constexpr float kSelectorPanelX = 144.0f;
constexpr float kConfirmCaptionX = 400.0f;
constexpr float kConfirmCaptionY = 310.0f;

using Keys = std::vector<int32_t>;

const Keys kNoKeys;

// Poll order per state, the key table of the window.
const Keys kPollKeys[TOptionsWindow::kStateCount] = {
    {10, 11, 14, 15, 61, 81},              // 0 main menu
    {40, 41, 42, 43, 44, 45, 46, 12, 13},  // 1 options
    {20, 21, 22, 23, 24, 25},              // 2 in-game menu
    {1, 2, 3},                             // 3 continue or new game
    {51, 52, 53, 54},                      // 4 puzzle size
    {62, 63, 54},                          // 5 modes
    {71, 72, 73, 74, 75, 76, 54},          // 6 level selector
    {40, 41, 42, 43, 44, 45, 46},          // 7 in-game options
    {20, 22, 23, 24},                      // 8 short in-game menu
    {90, 91},                              // 9 exit confirmation
    {92, 93},                              // 10 new-game confirmation
};
// The main menu draws its large play button last, over its neighbours.
const Keys kMainMenuDrawKeys = {10, 11, 14, 15, 81, 61};

bool KnownState(int32_t s) { return s >= 0 && s < TOptionsWindow::kStateCount; }

}  // namespace

// ---- Buttons ---------------------------------------------------------------------------------

namespace menu_buttons {

ButtonPtr Add(int32_t key, const ImagePtr& image, float px, float py, int32_t buttonId,
              int32_t hoverStyle) {
  if (!data) return nullptr;
  DimPtr dim = CreateDim(px, py, 0, 0, 0, 1, 1, 0);
  ButtonPtr button = CreateImageButton(image, dim, buttonId, -1.0f, hoverStyle);
  data->Add(button, key, nullptr);
  return button;
}

void Centre(std::initializer_list<int32_t> keys, const ImagePtr& glow) {
  if (!data) return;
  for (int32_t key : keys)
    if (ButtonPtr b = data->GetButton(key)) b->setView(1, 1, glow);
}

void Show(int32_t key, bool shown) {
  if (!data) return;
  if (ButtonPtr b = data->GetButton(key)) b->setState(shown ? 1 : 0, shown ? 1 : 0);
}

}  // namespace menu_buttons

// ---- Key tables ------------------------------------------------------------------------------

const std::vector<int32_t>& TOptionsWindow::PollKeys(int32_t forState) {
  return KnownState(forState) ? kPollKeys[forState] : kNoKeys;
}

const std::vector<int32_t>& TOptionsWindow::DrawKeys(int32_t forState) {
  return forState == kMainMenu ? kMainMenuDrawKeys : PollKeys(forState);
}

// ---- Screen changes --------------------------------------------------------------------------

void TOptionsWindow::freeState() {
  if (!data) return;
  for (int32_t key : PollKeys(state)) data->Remove(key);
}

void TOptionsWindow::SetState(int32_t newState, int32_t reset, int32_t newX, int32_t newY) {
  freeState();  // still sees the old state: removes whatever an earlier host left behind
  state = newState;
  if (reset != 0) alpha = 0.0f;
  x = newX;
  y = newY;
  switch (state) {
    case kOptions:
    case kInGameOptions:
      buildOptionsScreen();
      break;
    case kMainMenu:
    case kContinueOrNew:
    case kPuzzleSize:
    case kModes:
    case kExitConfirm:
    case kNewGameConfirm:
      buildMenuScreen();
      break;
    case kInGameMenu:
    case kShortInGameMenu:
      buildInGameMenuScreen();
      break;
    case kLevelSelector:
      buildLevelSelectorScreen();
      break;
    default:
      // A state outside 0 to 10 has no buttons.
      break;
  }
}

void TOptionsWindow::buttonsSetAlpha(float value) {
  if (!data) return;
  for (int32_t key = 0; key <= kLastWindowKey; ++key)
    if (ButtonPtr b = data->GetButton(key)) b->extraValue = value;
}

// ---- One frame -------------------------------------------------------------------------------

void TOptionsWindow::Update() {
  result = 0;
  if (alpha < 1.0f) alpha = alpha + kWindowFadeStep;
  buttonsSetAlpha(alpha);
  if (!KnownState(state) || !data) return;

  for (int32_t key : PollKeys(state)) {
    data->State(key);
    // A key without a button (a host removed it) counts as not clicked.
    ButtonPtr b = data->GetButton(key);
    if (b && b->isClicked() == 1) result = key;
  }
  if (state == kOptions || state == kInGameOptions) actOnOptionsClick();
  // Also on the frame in which the back button has already switched the screen.
  if (result != 0 && globalSnd) globalSnd->click();
}

void TOptionsWindow::Draw() {
  SetBlend(ALPHABLEND);
  SetAlpha(alpha);
  SetTransform(0.0f, 1.0f, 1.0f);
  drawBacking();
  if (state == kOptions || state == kInGameOptions) {
    drawOptionsExtras();
    return;
  }
  // The question stands above the answers, drawn at full opacity: the greeting texts have
  // just restored it.
  if (state == kExitConfirm || state == kNewGameConfirm)
    DrawImage(confirmCaption, kConfirmCaptionX, kConfirmCaptionY, 0);
  if (data)
    for (int32_t key : DrawKeys(state)) data->Draw(key);
  if (state == kLevelSelector) drawLevelSelectorExtras();
}

void TOptionsWindow::drawGreetingBackdrop(const ImagePtr& panel, float panelX) {
  SetScale(kBlotScaleX, kBlotScaleY);
  DrawImage(greetingBlot, kBlotX, kBlotY, 0);
  SetScale(1.0f, 1.0f);
  DrawImage(panel, panelX, static_cast<float>(y), 0);
  // The texts draw at their own alpha (1), outside the fade-in, and leave the opacity at 1.
  if (greeting) greeting->Draw();
  if (helloText) helloText->Draw();
}

void TOptionsWindow::drawBacking() {
  switch (state) {
    case kInGameMenu:
    case kShortInGameMenu:
      DrawImage(background, static_cast<float>(x), kInGamePanelY, 0);
      DrawImage(pausedCaption, kPausedCaptionX, kPausedCaptionY, 0);
      break;
    case kPuzzleSize:
    case kInGameOptions:
      DrawImage(background, static_cast<float>(x), kInGamePanelY, 0);
      break;
    case kLevelSelector:
      drawGreetingBackdrop(selectorBackground, kSelectorPanelX);
      break;
    default:
      // 0, 1, 3, 5, 9, 10 and any state outside 0 to 10.
      drawGreetingBackdrop(background, static_cast<float>(x));
      break;
  }
}
