// The pictures the player has revealed: the background of every board level once it has been
// started, by the name its level file gives. The profile stores the list and the gallery shows it.
#pragma once
#include <memory>

#include "platform/list.h"
#include "platform/text.h"

class TSlidesManager {
 public:
  // Names in the order they were first added; no two equal (case counts).
  TListPtr<String> revealedImages = CreateList<String>();

  virtual ~TSlidesManager() = default;

  // Appends `name` unless an equal name (letter case significant) is already listed.
  virtual void addRevealedImage(const String& name);
};
using SlidesManagerPtr = std::shared_ptr<TSlidesManager>;

// Created by start-up among the singletons.
extern SlidesManagerPtr slides;
