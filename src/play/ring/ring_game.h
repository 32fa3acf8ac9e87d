// The ring game: a quest level of its own kind. A stone ring fills the middle of the screen and
// shows one rune at a time in its centre; twenty papyrus tiles, tile t bearing rune t, stand in
// four columns of five beside it. The player clicks the tile of the rune shown, rune after rune
// of a sequence, against the level clock that the pendulum shows; after the first rune of a
// sequence every rune must be hit within the rune time or the sequence starts again from its
// first rune. A finished sequence wins a random spell of the level's list, whose icon lights up
// on the ring; the quest's board levels later copy the spells won (CopySpells). Every right
// click is worth 500 points, banked by the summary.
//
// One object, the global `ringGame`, serves every ring level of the run: loadGfx once at start-up,
// then for each level Load (the level file and its popups) and Play (the whole level, from the
// intro through the summary). The work is spread over four files: the rules (ring_game.cpp), the
// screen and its frame loop (ring_screen.cpp), the in-game menu (ring_menu.cpp), and the summary
// with the saved state (ring_summary.cpp).
//
// The ring level file, an entry of "data/ring_levels_lp.bca", has one group Settings with Music
// (the song), Time (the level's length, ms), SequenceLength (runes per sequence, 1..20),
// AvailableSpells (spell kinds 1..6 separated by single spaces; a kind listed twice is drawn
// twice as often), RuneTime (ms allowed for each rune after a sequence's first) and LevelNumber
// (selects the popups of "infoRG.tsc" in "data/popups_lp.bca" whose Level equals it).
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "services/song_manager.h"
#include "datafiles/tsc_file.h"
#include "play/ring/ring_spell.h"
#include "platform/graphics.h"
#include "platform/list.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "screens/popups/popup.h"
#include "toolkit/button.h"

// One papyrus tile. Tiles slide in from beside the screen during the intro and then rest.
class TPapier {
 public:
  float x = 0.0f;      // centre, pixels
  int32_t y = 0;       // centre, pixels
  float speed = 0.0f;  // x change per frame while sliding in; 0 once at rest
  int32_t delay = 0;   // frames of full speed left before the slide slows down
};
using PapierPtr = std::shared_ptr<TPapier>;

class TRingGame {
 public:
  static constexpr int32_t kTiles = 20;
  static constexpr int32_t kRows = 5;
  static constexpr int32_t kMaxSequence = 20;  // entries of `sequence`
  static constexpr int32_t kSpellKinds = 6;
  static constexpr int32_t kPointsPerHit = 500;

  // Screen phases, the values of `phase`.
  static constexpr int32_t kRingZooms = 1;       // the ring zooms and spins in
  static constexpr int32_t kSpinSlows = 2;
  static constexpr int32_t kRingTurnsToRest = 3; // the tiles start sliding in
  static constexpr int32_t kTilesArriving = 4;   // the pendulum comes down
  static constexpr int32_t kPendulumDropping = 5;
  static constexpr int32_t kPlay = 6;
  static constexpr int32_t kTimeOver = 7;

  // Entries of `sounds`.
  static constexpr int kWrongTileSound = 0;
  static constexpr int kSpellWonSound = 1;
  static constexpr int kRightTileSound = 2;
  static constexpr int kRuneTimeOutSound = 3;
  static constexpr int kTileOverSound = 4;
  static constexpr int kLevelStartSound = 5;
  static constexpr int kSummaryOutSound = 6;
  static constexpr int kSummaryShowSound = 7;

  // Results of ShowInGameMenuRG.
  static constexpr int32_t kMenuResume = 0;
  static constexpr int32_t kMenuMainMenu = 2;
  static constexpr int32_t kMenuQuit = 3;

  // Pictures, sounds and the menu button: made once by loadGfx.
  ImagePtr background;     // the whole screen
  ImagePtr ringImage;      // centre handle
  ImagePtr pendulumImage;  // handle 72 px above its top edge: the pivot
  ImagePtr tileImage;      // centre handle
  ImagePtr glowImage;      // over the tile under the pointer, centre handle
  ImagePtr tileRunes;      // 20 frames of 32 x 64, rune t for tile t
  ImagePtr ballRunes;      // 20 frames of 64 x 64, centre handle
  ImagePtr barImage;       // the progress bar, stretched to the right
  ImageButtonPtr menuButton;
  AudioStreamPtr musicStream;  // the level music while Play runs
  std::array<SoundPtr, 8> sounds{};
  String music;  // the level's song (key Music)

  // The intro and the pendulum.
  float ringScale = 0.0f;
  float ringAngle = 0.0f;  // degrees
  float ringSpin = 0.0f;   // degrees added per frame while the ring spins in
  float ringAlpha = 0.0f;  // above 1 draws opaque
  float ballAlpha = 0.0f;  // the rune in the ring centre
  float ballScale = 0.0f;
  float pendulumY = 0.0f;      // the pivot's y
  float pendulumAngle = 0.0f;  // degrees
  int32_t pendulumAmplitude = 0;  // degrees: 30 at the start, 0 once the time is used up
  float pendulumPhase = 0.0f;     // delta summed over the play frames

  // The clock: a whole-millisecond MilliSecs reading, compared by ElapsedMs. (A float of the
  // clock would move in steps of 128 ms.)
  int32_t startTime = 0;
  float totalTime = 0.0f;  // the level's length, ms

  // The rules.
  std::array<int32_t, kMaxSequence> sequence{};  // runes 1..19 at 0..seqLast, -1 after
  int32_t seqLast = 0;       // index of the sequence's last rune
  int32_t seqHits = 0;       // right clicks in this level
  int32_t seqPos = 0;        // index of the rune to click next
  int32_t levelSeqLast = 0;  // the level's sequence length minus 1, 0..19
  int32_t hoverTile = -1;    // tile under the pointer, or -1
  int32_t runeTime = 0;      // ms allowed for each rune after a sequence's first
  int32_t runeStart = 0;     // MilliSecs when the current rune was shown
  TListPtr<String> availableSpells = CreateList<String>();
  int32_t recivedSpells = 0;  // spells won in this level
  std::array<PapierPtr, kTiles> tiles{};
  std::array<RingSpellPtr, kSpellKinds> spells{};  // index k holds spell kind k + 1
  float progress = 0.0f;      // the progress bar's fill, 0..1
  int32_t seqDoneTime = -1;   // MilliSecs when the last sequence was finished; -1 none pending
  int32_t phase = 0;
  TListPtr<PopupPtr> popups = CreateList<PopupPtr>();  // still to be shown, in order

  String fileName;  // the level file last loaded, for messages

  TRingGame();
  virtual ~TRingGame() = default;

  // Reads the level file `levelName` and its popups. Returns 0.
  virtual int32_t Load(const String& levelName);
  // The settings of a loaded level file (Load without the archive); `name` for messages.
  virtual void LoadFrom(const TSCFilePtr& tsc, const String& name);
  // A new sequence with runes at 0..last (held to 0..19). Returns 0.
  virtual int32_t createSequence(int32_t last);
  // Pictures, sounds, the menu button and the spell icons; once, after the world map has loaded.
  virtual int32_t loadGfx();
  // Every value of a level back to its start. Returns 0.
  virtual int32_t resetParams();
  // One frame of the intro, the pendulum and the clock. Returns 0.
  virtual int32_t Update();
  // The whole screen; the cursor last unless noCursor is set. Returns 0.
  virtual int32_t Draw(int32_t noCursor);
  // Awards one random spell of availableSpells. Returns 0.
  virtual int32_t AddSpell();
  // The tile under the pointer, 0..19, or -1.
  virtual int32_t checkRows();
  // 1 when (x, y) lies in the box, every edge included.
  virtual int32_t checkBox(int32_t x, int32_t y, int32_t left, int32_t top, int32_t width,
                           int32_t height);
  // The current rune starts anew: its clock, its zoom from 3.0 and its fade from 0. Returns 0.
  virtual int32_t resetRune();
  // The rules of one frame: rune time-out, a click, the end of the pause after a sequence.
  virtual int32_t updateSequence();
  // The OK button of the popup on show. Returns 0.
  virtual int32_t UpdateInfo();
  // One ring level: 0 when it is finished, 1 when the player left for the main menu. A close
  // request of the window ends the program from inside.
  virtual int32_t Play(int32_t fromProfile);
  // The summary scroll: 0 when clicked through, 1 on a close request.
  virtual int32_t Summary();
  // The ring game's keys in the profile: written whenever a level ends, read on a resume.
  virtual int32_t SaveToProfile();
  virtual int32_t LoadFromProfile();
  // Puts on the board, for each spell kind 1..6 in turn, as many spells as the profile says the
  // last ring game won of it. The keys stay for later levels.
  static int32_t CopySpells();
  // The in-game menu over the frozen screen: kMenuResume, kMenuMainMenu or kMenuQuit.
  virtual int32_t ShowInGameMenuRG();

 private:
  // The parts of Update, one per phase block.
  void ZoomRingIn();
  void SlowSpin();
  void TurnRingToRest();
  void SlideTiles();
  // True when the phase-6 block must wait for the next call.
  bool DropPendulum();
  void PlayFrameUpdate();
  // The pendulum's swing for the level time used so far: 0 once it is used up, and for a level
  // without time.
  int32_t SwingFor(int32_t elapsedMs) const;
  // What ends Play's loop, once a frame after the flip: 0 play on, else the loop's result.
  int32_t FrameResult();
  // The end of Play after its loop.
  int32_t FinishPlay(int32_t result);
};
using RingGamePtr = std::shared_ptr<TRingGame>;

// Created by start-up among the singletons.
extern RingGamePtr ringGame;
