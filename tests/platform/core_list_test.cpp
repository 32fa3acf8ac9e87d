// TList: order, removal during a walk, appending during a walk.
#include <gtest/gtest.h>

#include <vector>

#include "platform/list.h"

namespace {

std::vector<int> Items(const TList<int>& list) {
  std::vector<int> out;
  for (int v : list) out.push_back(v);
  return out;
}

TEST(TListTest, KeepsOrderOfAddLastAndAddFirst) {
  TList<int> list;
  list.AddLast(2);
  list.AddLast(3);
  list.AddFirst(1);
  EXPECT_EQ(Items(list), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.First(), 1);
  EXPECT_EQ(list.Last(), 3);

  TList<int> empty;
  empty.AddFirst(7);  // the first element of an empty list is also its last
  empty.AddLast(8);
  EXPECT_EQ(Items(empty), (std::vector<int>{7, 8}));
  EXPECT_EQ(empty.Last(), 8);
}

TEST(TListTest, RemovingTheVisitedElementKeepsTheWalkGoing) {
  TList<int> list;
  for (int i = 1; i <= 5; ++i) list.AddLast(i);
  std::vector<int> seen;
  for (int v : list) {
    seen.push_back(v);
    if (v % 2 == 0) list.Remove(v);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Items(list), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(list.Count(), 3);
}

TEST(TListTest, RemovingTheNextElementSkipsIt) {
  TList<int> list;
  for (int i = 1; i <= 5; ++i) list.AddLast(i);
  std::vector<int> seen;
  for (int v : list) {
    seen.push_back(v);
    if (v == 2) {
      list.Remove(3);
      list.Remove(2);  // and the current one as well
    }
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 4, 5}));
  EXPECT_EQ(Items(list), (std::vector<int>{1, 4, 5}));
}

TEST(TListTest, ElementsAppendedDuringAWalkAreVisited) {
  TList<int> list;
  list.AddLast(1);
  std::vector<int> seen;
  for (int v : list) {
    seen.push_back(v);
    if (v < 4) list.AddLast(v + 1);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));

  // Removing the last element and appending in the same step still reaches the new one.
  TList<int> tail;
  tail.AddLast(10);
  seen.clear();
  for (int v : tail) {
    seen.push_back(v);
    if (v == 10) {
      tail.Remove(10);
      tail.AddLast(11);
    }
  }
  EXPECT_EQ(seen, (std::vector<int>{10, 11}));
  EXPECT_EQ(Items(tail), (std::vector<int>{11}));
}

TEST(TListTest, ClearDuringAWalkEndsIt) {
  TList<int> list;
  for (int i = 1; i <= 3; ++i) list.AddLast(i);
  int visits = 0;
  for (int v : list) {
    ++visits;
    if (v == 1) list.Clear();
  }
  EXPECT_EQ(visits, 1);
  EXPECT_TRUE(list.IsEmpty());
}

TEST(TListTest, LinksRemoveFirstLastReverseAndSort) {
  auto list = CreateList<int>();
  auto link = ListAddLast(list, 5);
  ListAddLast(list, 1);
  ListAddFirst(list, 9);
  list->RemoveLink(link);
  EXPECT_FALSE(link.Valid());
  EXPECT_EQ(Items(*list), (std::vector<int>{9, 1}));
  ReverseList(list);
  EXPECT_EQ(Items(*list), (std::vector<int>{1, 9}));
  ListAddLast(list, 4);
  list->Sort([](const int& a, const int& b) { return a < b; });
  EXPECT_EQ(Items(*list), (std::vector<int>{1, 4, 9}));
  EXPECT_EQ(list->RemoveFirst(), 1);
  EXPECT_EQ(list->RemoveLast(), 9);
  EXPECT_EQ(CountList(list), 1);
  EXPECT_FALSE(ListRemove(list, 77));
  ClearList(list);
  EXPECT_EQ(CountList(list), 0);
  EXPECT_EQ(list->RemoveFirst(), 0);
}

}  // namespace
