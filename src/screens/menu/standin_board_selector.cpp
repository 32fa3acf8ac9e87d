// STAND-IN until the level selector exists (see the header).
#include "screens/menu/standin_board_selector.h"

#include "profiles/profile_manager.h"

BoardSelectorPtr boardSelector;

int32_t TBoardSelector::AddLevel(const String& name) {
  if (!profile || !profile->current) return 0;
  TListPtr<String> revealed = profile->GetList(S("revealedLevels"));
  for (const String& known : *revealed)
    if (known == name) return 0;
  revealed->AddLast(name);
  profile->SetList(S("revealedLevels"), revealed, 1);
  return 1;
}
