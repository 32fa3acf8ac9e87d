// The text items of a saved game's lists and the profile reads they come from. A cell item is
// "x:y:v", three integers in plain decimal joined by ":", as the board and the block in hand
// store their cells.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/list.h"
#include "platform/text.h"

// "x:y:v".
String CellItem(int32_t x, int32_t y, int32_t v);
// The integer fields of an item cut at ":" (each read by the framework's text-to-integer rule:
// blanks, a sign, digits up to the first other character, 0 without digits). Fields past
// `count` are ignored; false when the item has fewer than `count` fields.
bool ReadItemFields(const String& item, size_t count, std::vector<int32_t>& fields);
// A cell item whose x and y lie inside a grid of `columns` x `rows` cells; false (the item is
// skipped) when it has fewer than three fields or names a cell outside the grid.
bool ReadCellItem(const String& item, int32_t columns, int32_t rows, int32_t& x, int32_t& y,
                  int32_t& v);
// A list key of the current profile; an empty list when it is missing or no profile is current.
TListPtr<String> ProfileList(const String& key);
