// TList: the one list type for the game's object lists. Ordered; an element may be removed
// while a walk visits it (or any other element), and elements appended during a walk are
// visited by that walk. A removed link keeps its way forward, so a walk standing on it goes on.
#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>
#include <algorithm>

template <typename T>
class TList {
  struct Node {
    T value{};
    std::shared_ptr<Node> next;  // kept by a removed node, so a walk can leave it
    Node* prev = nullptr;
    bool removed = false;
  };

 public:
  class Link {
   public:
    Link() = default;
    explicit Link(std::shared_ptr<Node> n) : node_(std::move(n)) {}
    bool Valid() const { return node_ && !node_->removed; }
    T& Value() const { return node_->value; }

   private:
    friend class TList;
    std::shared_ptr<Node> node_;
  };

  class iterator {
   public:
    iterator() = default;
    explicit iterator(std::shared_ptr<Node> n) : cur_(std::move(n)) { Skip(); }
    T& operator*() const { return cur_->value; }
    T* operator->() const { return &cur_->value; }
    iterator& operator++() {
      cur_ = cur_->next;
      Skip();
      return *this;
    }
    bool operator==(const iterator& o) const { return cur_ == o.cur_; }
    bool operator!=(const iterator& o) const { return cur_ != o.cur_; }

   private:
    void Skip() {
      while (cur_ && cur_->removed) cur_ = cur_->next;
    }
    std::shared_ptr<Node> cur_;
  };

  TList() : head_(std::make_shared<Node>()), tail_(head_.get()) {}
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;
  ~TList() { Clear(); }

  iterator begin() const { return iterator(head_->next); }
  iterator end() const { return iterator(); }

  Link AddLast(T value) {
    auto n = std::make_shared<Node>();
    n->value = std::move(value);
    n->prev = tail_;
    tail_->next = n;
    tail_ = n.get();
    ++count_;
    // Removed links that were last when they went lead on to the new element, so a walk
    // standing on one of them visits it.
    for (const std::weak_ptr<Node>& weak : dangling_)
      if (std::shared_ptr<Node> d = weak.lock())
        if (!d->next) d->next = n;
    dangling_.clear();
    return Link(n);
  }
  Link AddFirst(T value) {
    auto n = std::make_shared<Node>();
    n->value = std::move(value);
    n->prev = head_.get();
    n->next = head_->next;
    if (n->next) n->next->prev = n.get(); else tail_ = n.get();
    head_->next = n;
    ++count_;
    return Link(n);
  }
  // Removes the first element equal to `value`; true when one was found.
  bool Remove(const T& value) {
    for (Node* n = head_->next.get(); n; n = n->next.get()) {
      if (!n->removed && n->value == value) {
        Unlink(n);
        return true;
      }
    }
    return false;
  }
  void RemoveLink(const Link& link) {
    if (link.Valid()) Unlink(link.node_.get());
  }
  // Removes every element for which `pred` holds.
  int RemoveIf(const std::function<bool(const T&)>& pred) {
    int removed = 0;
    for (Node* n = head_->next.get(); n;) {
      Node* next = n->next.get();
      if (pred(n->value)) {
        Unlink(n);
        ++removed;
      }
      n = next;
    }
    return removed;
  }
  bool Contains(const T& value) const {
    for (const T& v : *this)
      if (v == value) return true;
    return false;
  }
  int Count() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }
  T First() const { return head_->next ? head_->next->value : T{}; }
  T Last() const { return tail_ != head_.get() ? tail_->value : T{}; }
  T RemoveFirst() {
    if (!head_->next) return T{};
    T v = head_->next->value;
    Unlink(head_->next.get());
    return v;
  }
  T RemoveLast() {
    if (tail_ == head_.get()) return T{};
    T v = tail_->value;
    Unlink(tail_);
    return v;
  }
  T ValueAtIndex(int index) const {
    int i = 0;
    for (const T& v : *this)
      if (i++ == index) return v;
    return T{};
  }
  void Clear() {
    // Unlinked one by one, so a walk in progress ends and long lists free without recursion.
    while (head_->next) Unlink(head_->next.get());
  }
  void Reverse() {
    std::shared_ptr<Node> items = std::move(head_->next);
    head_->next = nullptr;
    tail_ = head_.get();
    count_ = 0;
    while (items) {
      std::shared_ptr<Node> next = items->next;
      items->next = head_->next;
      items->prev = head_.get();
      if (items->next) items->next->prev = items.get(); else tail_ = items.get();
      head_->next = items;
      ++count_;
      items = std::move(next);
    }
  }
  // Stable sort by `less`.
  void Sort(const std::function<bool(const T&, const T&)>& less) {
    std::vector<T> values;
    for (const T& v : *this) values.push_back(v);
    std::stable_sort(values.begin(), values.end(), less);
    Clear();
    for (T& v : values) AddLast(std::move(v));
  }

 private:
  void Unlink(Node* n) {
    if (n->removed) return;
    n->removed = true;
    std::shared_ptr<Node> keep = n->prev->next;  // n itself; alive until the walk leaves it
    n->prev->next = n->next;
    if (n->next) {
      n->next->prev = n->prev;
    } else {
      tail_ = n->prev;
      std::erase_if(dangling_, [](const std::weak_ptr<Node>& w) { return w.expired(); });
      dangling_.push_back(keep);
    }
    --count_;
  }

  std::shared_ptr<Node> head_;
  Node* tail_;
  int count_ = 0;
  // Removed links that had no element after them when they went.
  std::vector<std::weak_ptr<Node>> dangling_;
};

template <typename T>
using TListPtr = std::shared_ptr<TList<T>>;

template <typename T>
TListPtr<T> CreateList() { return std::make_shared<TList<T>>(); }
template <typename T>
typename TList<T>::Link ListAddLast(const TListPtr<T>& list, T value) { return list->AddLast(std::move(value)); }
template <typename T>
typename TList<T>::Link ListAddFirst(const TListPtr<T>& list, T value) { return list->AddFirst(std::move(value)); }
template <typename T>
bool ListRemove(const TListPtr<T>& list, const T& value) { return list->Remove(value); }
template <typename T>
int CountList(const TListPtr<T>& list) { return list ? list->Count() : 0; }
template <typename T>
void ClearList(const TListPtr<T>& list) { if (list) list->Clear(); }
template <typename T>
void ReverseList(const TListPtr<T>& list) { if (list) list->Reverse(); }
