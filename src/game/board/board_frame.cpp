// Frame pieces listed by a level file (group Frame and its sub-groups).
#include "game/board/board_manager.h"
#include "platform/system.h"

void TBoardManager::loadFrame(const TSCFilePtr& tsc) {
  frameList = CreateList<FrameElementPtr>();
  _loadFrameSide(tsc, 0, S("LQ"), S("Left"));
  _loadFrameSide(tsc, 1, S("RQ"), S("Right"));
  _loadFrameSide(tsc, 2, S("TQ"), S("Top"));
  _loadFrameSide(tsc, 3, S("BQ"), S("Bottom"));
  _loadFrameSide(tsc, 4, S("LUCQ"), S("LeftUpperCorner"));
  _loadFrameSide(tsc, 5, S("RUCQ"), S("RightUpperCorner"));
  _loadFrameSide(tsc, 6, S("LLCQ"), S("LeftLowerCorner"));
  _loadFrameSide(tsc, 7, S("RLCQ"), S("RightLowerCorner"));
}

void TBoardManager::_loadFrameSide(const TSCFilePtr& tsc, int32_t kind, const String& countKey,
                                   const String& piece) {
  // No frame needs more pieces of one kind than the board with its ring has cells: a larger
  // count (a damaged file) is refused whole rather than read for ever.
  constexpr float kMostPieces = static_cast<float>((kBoardCells + 2) * (kBoardCells + 2));
  const float wanted = GetTSCNumberKey(tsc, S("Frame"), countKey, 0);
  if (!(wanted <= kMostPieces)) {
    Print(S("Frame::") + countKey +
          S(" asks for more pieces than a frame can hold; none are read"));
    return;
  }
  const int32_t count = wanted > 0.0f ? static_cast<int32_t>(wanted) : 0;
  const String group = S("Frame::") + piece;
  for (int32_t i = 1; i <= count; ++i) {
    auto element = std::make_shared<TFrameElement>();
    const String n = FromInt(i);
    element->x = static_cast<int32_t>(GetTSCNumberKey(tsc, group, S("x") + n, 0));
    element->y = static_cast<int32_t>(GetTSCNumberKey(tsc, group, S("y") + n, 0));
    element->size = static_cast<int32_t>(GetTSCNumberKey(tsc, group, S("size") + n, 0));
    element->id = static_cast<int32_t>(GetTSCNumberKey(tsc, group, S("id") + n, 0));
    if (kind >= 4) element->id = Rand(0, 2);
    element->kind = kind;
    if (!frameList) frameList = CreateList<FrameElementPtr>();
    frameList->AddLast(element);
  }
}
