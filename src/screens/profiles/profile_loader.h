// The profile screen: a modal screen over the title picture on which the player chooses,
// creates, renames and deletes player profiles, and on the first run types a name before the
// title menu opens. One object for the whole run, the global `profileLoader`; the loading
// screen calls Load once, the title screen calls show.
//
// The profiles themselves belong to the profile manager `profile`; the screen keeps the manager's
// current profile, the profile loaded into the game and the options' last profile together:
// whatever the player does here, the next save writes the game into its own player's file.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "platform/list.h"
#include "platform/text.h"
#include "toolkit/font.h"
#include "toolkit/menu.h"
#include "toolkit/text.h"

class TProfileLoader {
 public:
  // Screen modes.
  static constexpr int32_t kList = 1;          // the profile names; OK, Cancel, New, Rename, Delete
  static constexpr int32_t kNewName = 2;       // typing a new profile's name
  static constexpr int32_t kRename = 3;        // typing the selected profile's new name
  static constexpr int32_t kDeleteConfirm = 4; // "do you really want delete" the selected one
  static constexpr int32_t kFirstRun = 5;      // typing the first profile's name; no way back
  static constexpr int32_t kLastProfile = 6;   // "you can not delete last profile"
  static constexpr int32_t kProfileLimit = 7;  // "you can not create more profiles"

  // Button ids of the menus.
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;
  static constexpr int kNew = 3;
  static constexpr int kRenameButton = 4;
  static constexpr int kDelete = 5;

  static constexpr int32_t kMaxProfiles = 10;  // New offers no entry from this many names on

  MenuPtr listMenu = std::make_shared<TMenu>();     // OK, Cancel, New, Rename, Delete
  MenuPtr confirmMenu = std::make_shared<TMenu>();  // OK, Cancel of modes 2, 3, 4
  MenuPtr okMenu = std::make_shared<TMenu>();       // OK of modes 5, 6, 7
  TListPtr<TextPtr> nameTexts = CreateList<TextPtr>();  // the manager's names in list order
  String selectedName;
  int32_t mode = 0;
  FontPtr font;                   // fonts[0]
  TextPtr entryText;              // the name being typed, or the name about to be deleted
  TextPtr nameExistsText;         // "name exist"
  TextPtr notSavedText;           // "can not save", centred where "name exist" shows
  std::array<TextPtr, 2> namePrompt;
  std::array<TextPtr, 2> deletePrompt;
  std::array<TextPtr, 3> lastProfileMessage;
  std::array<TextPtr, 3> limitMessage;
  int32_t nameExists = 0;         // 1 while the entry cannot name a new profile
  int32_t notSaved = 0;           // 1 after the typed profile could not be written, until typing
  int32_t maxNameLength = 10;
  float fadeAlpha = 0.0f;         // the first-run entry's fade-in; never reset

  virtual ~TProfileLoader() = default;

  // The buttons and texts; needs fonts[0]. Called once, before the first show.
  virtual void Load();
  // One frame: the title picture, the panel, the mode's content, sparks, cursor, Flip.
  virtual void Draw();
  // Up to three new sparks, then every spark moves on.
  virtual void UpdateSparks();
  // Runs the screen until it ends (mode 1 the list, 5 the first-run entry); a close request
  // ends the program. The click or key that closed it does not reach the next screen.
  virtual int32_t show(int32_t startMode);
  // One frame of input; 1 when the screen is to end.
  virtual int32_t Update();
  // Rebuilds the name texts from the profile manager, centred on x 400 from y 254.
  virtual void UpdateList();
  // Takes at most one typed character into the entry.
  virtual void UpdateText();

 private:
  int32_t updateListMode();
  void updateNameEntry();
  void updateRename();
  void updateDeleteConfirm();
  int32_t updateFirstRun();
  void updateMessage();
  // The choice of modes 2 to 4: the menu's answer, then Enter (OK), then Escape (Cancel).
  int32_t confirmChoice();
  // Opens an entry mode with `text` in the entry, forgetting keys typed before.
  void openEntry(int32_t newMode, const String& text);
  void centreEntry();
  void recomputeNameExists();
  bool entryValid() const;
  // Creates the profile of the entry; true when the manager now holds it as current.
  bool createProfileFromEntry();
  void drawContent();
  void drawNameList();
  void drawEntry(const std::array<TextPtr, 2>& prompt, bool warn);
  String currentName() const;
};
using ProfileLoaderPtr = std::shared_ptr<TProfileLoader>;

// Created by start-up among the singletons.
extern ProfileLoaderPtr profileLoader;
