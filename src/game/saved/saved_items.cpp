#include "game/saved/saved_items.h"

#include "profiles/profile_manager.h"
#include "toolkit/string_utils.h"

String CellItem(int32_t x, int32_t y, int32_t v) {
  return FromInt(x) + u":" + FromInt(y) + u":" + FromInt(v);
}

bool ReadItemFields(const String& item, size_t count, std::vector<int32_t>& fields) {
  fields.clear();
  TListPtr<String> pieces = splitString(item, u":");
  for (const String& piece : *pieces) {
    if (fields.size() == count) break;
    fields.push_back(ToInt(piece));
  }
  return fields.size() == count;
}

bool ReadCellItem(const String& item, int32_t columns, int32_t rows, int32_t& x, int32_t& y,
                  int32_t& v) {
  std::vector<int32_t> fields;
  if (!ReadItemFields(item, 3, fields)) return false;
  if (fields[0] < 0 || fields[0] >= columns || fields[1] < 0 || fields[1] >= rows) return false;
  x = fields[0];
  y = fields[1];
  v = fields[2];
  return true;
}

TListPtr<String> ProfileList(const String& key) {
  TListPtr<String> list = profile ? profile->GetList(key) : nullptr;
  return list ? list : CreateList<String>();
}
